#pragma once
// The configurations a console program works on, and reading one's ParGen.xml.

#include "params/UParGen_File.h"

#include <QList>
#include <QString>
#include <QStringList>

struct TCli_Configuration
{
    QString Name;   // as the folder is spelled on the disk
    QString Path;
};

// The configurations of the projects folder named in names, each found as the
// Open dialog finds a name (as spelled, else ASCII letters in any case) and
// each once, after every folder it lists when all (--all). A name with no
// configuration is reported on standard error and left out; missing is then
// set.
QList<TCli_Configuration> Chosen_Configurations(const QString &projects, bool all, const QStringList &names,
                                                bool &missing);

// Reads the configuration's ParGen.xml (the defaults where there is none yet,
// as Set Communication shows them); false after reporting a file that cannot
// be read.
bool Load_Configuration(const TCli_Configuration &configuration, TParGen_Values &values);
