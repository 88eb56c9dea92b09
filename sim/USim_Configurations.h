#pragma once
// The configurations a run of the virtual converter serves: where each
// listens and its registers, from its ParGen.xml.

#include "console/UConsole_Configurations.h"
#include "common/UComon.h"
#include "sim/USim_Options.h"
#include "sim/USim_Server.h"

// The configurations named, found as velmora-cli finds them, or with --all
// every one; false after naming on standard error each name that is none.
bool Sim_Configurations(const TSim_Options &options, const TProgram_Paths &paths,
                        QList<TCli_Configuration> &configurations);

// Adds the configurations to the server in the order given, naming on
// standard output where each listens and what it serves, and on standard
// error each one it cannot serve and why, and a ParGen.xml that is missing or
// cannot be read (its configuration then serves Set Communication's
// defaults). False with error for a usage error found only once the
// configurations are known (--port past 65535).
bool Add_Configurations(const TSim_Options &options, const QList<TCli_Configuration> &configurations,
                        TSim_Server &server, QString &error);
