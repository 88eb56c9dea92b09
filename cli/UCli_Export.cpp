// export: the configurations as a table that import reads back to the same
// ParGen.xml: every column, each value as the file holds it.
#include "cli/UCli_Columns.h"
#include "cli/UCli_Commands.h"
#include "console/UConsole_Configurations.h"
#include "console/UConsole_Output.h"
#include "common/UCsv_Table.h"

int Run_Export(const TCli_Options &options)
{
    bool failed = false;
    const QList<TCli_Configuration> chosen = Chosen_Configurations(options, failed);
    const QChar separator = QLatin1Char(',');
    QByteArray table = Csv_Row_Bytes(Table_Header(), separator);
    for (const TCli_Configuration &configuration : chosen) {
        TParGen_Values values;
        if (!Load_Configuration(configuration, values)) {
            failed = true;
            continue;
        }
        table += Csv_Row_Bytes(Table_Row(configuration.Name, values), separator);
    }
    Write_Result(table);
    return failed ? Exit_Failed : Exit_Done;
}
