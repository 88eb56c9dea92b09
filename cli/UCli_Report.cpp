// report: the commissioning report over the configurations named (or every
// one): one line per configuration and the summary line, the table as CSV
// with --csv, the PDF document with --pdf. A report that cannot be written
// leaves no part of itself behind; a name that is no configuration makes no
// report, since it would leave that configuration out unseen.
#include "cli/UCli_Commands.h"
#include "console/UConsole_Configurations.h"
#include "console/UConsole_Output.h"
#include "plant/UPlant_Report.h"
#include "plant/UPlant_Texts.h"

#include <QFileInfo>

int Run_Report(const TCli_Options &options)
{
    bool missing = false;
    QStringList names;
    for (const TCli_Configuration &configuration : Chosen_Configurations(options, missing))
        names << configuration.Name;
    if (missing)
        return Exit_Failed;
    const QList<TPlant_Row> rows = Read_Plant_Rows(options.Paths.Projects, names);
    if (!options.Pdf_File.isEmpty()) {
        const TPlant_Report_Info info{QFileInfo(options.Paths.Exe).fileName(), QDateTime::currentDateTime(),
                                      Default_SW_Code, SW_Version};
        QString error;
        if (!Write_Plant_Report(options.Pdf_File, TPlant_Report_Format::Pdf, info, rows, options.Texts, &error)) {
            Print_Problem(error);
            return Exit_Failed;
        }
    }
    if (options.Csv)
        Write_Result(Plant_Report_Csv(rows, options.Texts));
    else if (options.Pdf_File.isEmpty())
        for (const QString &line : Plant_Report_Lines(rows, options.Texts))
            Print_Result(line);
    else
        Print_Result(Plant_Summary_Text(Summarize_Plant(rows), options.Texts));
    return Exit_Done;
}
