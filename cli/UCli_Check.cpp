// check: the Set Communication checks over each configuration's ParGen.xml
// (its defaults where there is none yet), as OK would run them; with --all,
// also the configurations that give one device address.
#include "cli/UCli_Commands.h"
#include "console/UConsole_Configurations.h"
#include "console/UConsole_Output.h"
#include "cli/UCli_Shared_Addresses.h"

#include "params/UParGen_Check.h"

int Run_Check(const TCli_Options &options)
{
    bool failed = false;
    TShared_Addresses addresses;
    for (const TCli_Configuration &configuration : Chosen_Configurations(options, failed)) {
        TParGen_Values values;
        if (!Load_Configuration(configuration, values)) {
            failed = true;
            continue;
        }
        addresses.Add(configuration.Name, values);
        const int message = ParGen_Check(values);
        if (message == 0) {
            Print_Result(configuration.Name + QStringLiteral(": OK"));
        } else {
            Print_Problem(configuration.Name + QStringLiteral(": ") + options.Texts.value(message));
            failed = true;
        }
    }
    if (options.All && !addresses.Report())
        failed = true;
    return failed ? Exit_Failed : Exit_Done;
}
