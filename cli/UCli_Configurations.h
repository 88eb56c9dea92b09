#pragma once
// The configurations a command works on, and reading one's ParGen.xml.

#include "cli/UCli_Options.h"
#include "params/UParGen_File.h"

#include <QList>
#include <QString>

struct TCli_Configuration
{
    QString Name;   // as the folder is spelled on the disk
    QString Path;
};

// The named configurations, each found as the Open dialog finds a name (as
// spelled, else ASCII letters in any case) and each once, or with --all every
// folder it lists. A name with no configuration is reported on standard error
// and left out; missing is then set.
QList<TCli_Configuration> Chosen_Configurations(const TCli_Options &options, bool &missing);

// Reads the configuration's ParGen.xml (the defaults where there is none yet,
// as Set Communication shows them); false after reporting a file that cannot
// be read.
bool Load_Configuration(const TCli_Configuration &configuration, TParGen_Values &values);
