#pragma once
// What the updater stand-in can honestly do with a job file: check its tree
// and the files it names, and describe the configuration image, without
// contacting any device.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct TJob_Report
{
    QStringList Lines;
    QStringList Problems;
    // Why the report could not be kept in its log, Ethernet_Update.log; ""
    // while it was, or before it is written.
    QString Unlogged;

    bool Sound() const { return Problems.isEmpty(); }
    // The lines, then each problem as "Problem: ...", the log's last.
    QStringList Findings() const;
    // "Verdict: the job is sound." or broken, with the number of problems,
    // and whether its log could not be written.
    QString Verdict() const;
    // Findings and the verdict, one per line.
    QString Text() const;
};

// A job is a few kilobytes; a larger file is refused unread.
constexpr int Job_File_Limit = 1024 * 1024;

// Checks the bytes of a job file; jobPath names it in the report.
TJob_Report Check_Job_Bytes(const QByteArray &bytes, const QString &jobPath);
// Checks folder/Ethernet_Update.xml.
TJob_Report Check_Job(const QString &folder);
