#include "cli/UCli_Options.h"

#include "cli/UCli_Commands.h"

#include <QCommandLineParser>

namespace {

struct TCommand
{
    const char *Name;
    int (*Run)(const TCli_Options &);
    bool Takes_Names;   // otherwise exactly one argument
    bool Takes_All;
};

constexpr TCommand Commands[] = {
    {"import", Run_Import, false, false}, {"bank", Run_Bank, true, true},
    {"show", Run_Show, false, false},     {"check", Run_Check, true, true},
    {"export", Run_Export, true, true},   {"probe", Run_Probe, true, true},
    {"report", Run_Report, true, true},
};

const TCommand *Find_Command(const QString &name)
{
    for (const TCommand &command : Commands) {
        if (name == QLatin1String(command.Name))
            return &command;
    }
    return nullptr;
}

TCli_Request Usage_Error(QString &error, const QString &text)
{
    error = text;
    return TCli_Request::Usage_Error;
}

} // namespace

TCli_Request Read_Cli_Options(const QStringList &arguments, TCli_Options &options, QString &error)
{
    QCommandLineParser parser;
    const QCommandLineOption folder(QStringLiteral("folder"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption language(QStringLiteral("language"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption replace(QStringLiteral("replace"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"));
    const QCommandLineOption all(QStringLiteral("all"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption csv(QStringLiteral("csv"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QString(), QStringLiteral("FILE"));
    parser.addOptions({folder, language, replace, dryRun, all, help, version, csv, pdf});
    parser.addOptions(Probe_Options());
    // The program's name comes first for the parser.
    if (!parser.parse(QStringList{QStringLiteral("velmora-cli")} + arguments))
        return Usage_Error(error, parser.errorText());
    if (parser.isSet(help))
        return TCli_Request::Help;
    if (parser.isSet(version))
        return TCli_Request::Version;

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return Usage_Error(error, QStringLiteral("no command given"));
    options.Command = positional.takeFirst();
    options.Arguments = positional;
    options.Folder = parser.value(folder);
    if (parser.isSet(language))
        options.Language_Name = parser.value(language);
    options.Replace = parser.isSet(replace);
    options.Dry_Run = parser.isSet(dryRun);
    options.All = parser.isSet(all);
    options.Csv = parser.isSet(csv);
    options.Pdf_File = parser.value(pdf);

    const TCommand *command = Find_Command(options.Command);
    if (!command)
        return Usage_Error(error, QStringLiteral("unknown command \"%1\"").arg(options.Command));
    options.Run = command->Run;
    if ((options.Replace || options.Dry_Run) && options.Command != QLatin1String("import"))
        return Usage_Error(error, QStringLiteral("--replace and --dry-run go with import only"));
    const bool report = options.Command == QLatin1String("report");
    if (options.Csv && !report && options.Command != QLatin1String("probe"))
        return Usage_Error(error, QStringLiteral("--csv goes with probe and report only"));
    if (parser.isSet(pdf) && !report)
        return Usage_Error(error, QStringLiteral("--pdf goes with report only"));
    if (parser.values(pdf).size() > 1)
        return Usage_Error(error, QStringLiteral("--pdf is given more than once"));
    if (parser.isSet(pdf) && options.Pdf_File.isEmpty())
        return Usage_Error(error, QStringLiteral("--pdf takes a file name"));
    if (!Read_Probe_Options(parser, options.Command == QLatin1String("probe"), options.Probe, error))
        return TCli_Request::Usage_Error;
    if (options.All && !command->Takes_All)
        return Usage_Error(error, QStringLiteral("%1 does not take --all").arg(options.Command));
    if (!command->Takes_Names && options.Arguments.size() != 1)
        return Usage_Error(error, QStringLiteral("%1 takes exactly one %2")
                                      .arg(options.Command, options.Command == QLatin1String("import")
                                                                ? QStringLiteral("table")
                                                                : QStringLiteral("name")));
    if (command->Takes_Names && options.All == !options.Arguments.isEmpty())
        return Usage_Error(error, QStringLiteral("%1 takes configuration names or --all (one of the two)")
                                      .arg(options.Command));
    return TCli_Request::Run;
}

bool Cli_Needs_Gui(const QStringList &arguments)
{
    TCli_Options options;
    QString error;
    return Read_Cli_Options(arguments, options, error) == TCli_Request::Run
           && options.Command == QLatin1String("report");
}

QString Cli_Help_Text()
{
    return QStringLiteral(
        "Usage: velmora-cli [options] COMMAND [arguments]\n"
        "\n"
        "Works on the configurations in PROJECTS of the program folder.\n"
        "\n"
        "Commands:\n"
        "  import TABLE.csv         one configuration per table row: a header row with\n"
        "                           Name and any ParGen.xml element names, then the rows\n"
        "  bank NAME... | --all     builds bin/bank.bin as Update Device does\n"
        "  show NAME                the values as Set Communication shows them, and what\n"
        "                           bin/bank.bin holds\n"
        "  check NAME... | --all    the Set Communication checks: OK or the first failure\n"
        "  export NAME... | --all   the configurations as a table that import reads\n"
        "  probe NAME... | --all    does each device answer on Modbus TCP? echo, connect\n"
        "                           and a read of each register block, one line each;\n"
        "                           each check is added to the configuration's Check.log\n"
        "  report NAME... | --all   the commissioning report: one line per configuration\n"
        "                           (settings, image, last update, last check, state)\n"
        "                           and a summary line\n"
        "\n"
        "Options:\n"
        "  --folder DIR             the program folder holding PROJECTS and LANGUAGE\n"
        "                           (default: the folder of this program)\n"
        "  --language NAME          messages from LANGUAGE/NAME.lng (default: English)\n"
        "  --replace                import: write over an existing configuration's ParGen.xml\n"
        "  --dry-run                import: check and report, write nothing\n"
        "  --all                    bank, check, export, probe, report: every configuration\n"
        "  --unit N                 probe: the Modbus unit identifier (default 1)\n"
        "  --timeout MS             probe: time limit of the connect and of each read\n"
        "                           (default 3000)\n"
        "  --count N                probe: registers read of each data block, 1 to 125\n"
        "                           (default 8)\n"
        "  --function ROLE=3|4      probe: read read-data, status-word, byte-count,\n"
        "                           write-data or control-word with function 03 or 04\n"
        "                           (default 04 for the first three, 03 for the others)\n"
        "  --address A, --port N    probe: this address or port instead of the\n"
        "                           configuration's own\n"
        "  --no-echo                probe: no echo requests first\n"
        "  --csv                    probe: one table row per configuration, a column\n"
        "                           per register; report: the report's table as CSV\n"
        "  --pdf FILE               report: write the report as a PDF document (landscape\n"
        "                           A4); no cut file is left when it cannot be written\n"
        "  -h, --help               this text\n"
        "  --version                the program's version\n"
        "\n"
        "Exit status: 0 all done (probe: every device answers with its configured map;\n"
        "report: written), 1 some row or configuration failed (report: not written),\n"
        "2 a usage error or an unreadable table.\n"
        "Results go to standard output, problems to standard error.");
}
