#pragma once
// The console program's commands. Each runs over the program folder and the
// texts of the chosen language that options carry, and returns the exit status.

#include "cli/UCli_Options.h"

int Run_Import(const TCli_Options &options);
int Run_Export(const TCli_Options &options);
int Run_Bank(const TCli_Options &options);
int Run_Check(const TCli_Options &options);
int Run_Show(const TCli_Options &options);
int Run_Probe(const TCli_Options &options);
int Run_Report(const TCli_Options &options);
