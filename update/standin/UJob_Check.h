#pragma once
// What the updater stand-in can honestly do with a job file: check its tree
// and the files it names, and describe the configuration image, without
// contacting any device.

#include <QString>
#include <QStringList>

struct TJob_Report
{
    QStringList Lines;
    QStringList Problems;

    bool Sound() const { return Problems.isEmpty(); }
    // Lines, problems and the verdict, one per line.
    QString Text() const;
};

// Checks folder/Ethernet_Update.xml.
TJob_Report Check_Job(const QString &folder);
