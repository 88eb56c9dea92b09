#include "sim/USim_Options.h"

#include "platform/UEcho.h"
#include "sim/USim_Server.h"

#include <QCommandLineParser>

namespace {

// A decimal number in min..max, or a usage error naming the option.
bool Read_Number(const QCommandLineParser &parser, const QCommandLineOption &option, int min,
                 int max, int &number, QString &error)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const QString text = parser.value(option);
    number = text.toInt(&ok, 10);
    if (ok && number >= min && number <= max)
        return true;
    error = QStringLiteral("--%1 takes a number from %2 to %3, not \"%4\"")
                .arg(option.names().constFirst())
                .arg(min)
                .arg(max)
                .arg(text);
    return false;
}

} // namespace

TCli_Request Read_Sim_Options(const QStringList &arguments, TSim_Options &options, QString &error)
{
    QCommandLineParser parser;
    const QCommandLineOption all(QStringLiteral("all"));
    const QCommandLineOption folder(QStringLiteral("folder"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption listen(QStringLiteral("listen"), QString(), QStringLiteral("ADDRESS"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("N"));
    const QCommandLineOption count(QStringLiteral("count"), QString(), QStringLiteral("N"));
    const QCommandLineOption offset(QStringLiteral("offset"), QString(), QStringLiteral("N"));
    const QCommandLineOption silent(QStringLiteral("silent"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({all, folder, listen, port, count, offset, silent, help, version});
    if (!parser.parse(QStringList{QStringLiteral("velmora-sim")} + arguments)) {
        error = parser.errorText();
        return TCli_Request::Usage_Error;
    }
    if (parser.isSet(help))
        return TCli_Request::Help;
    if (parser.isSet(version))
        return TCli_Request::Version;

    options.Names = parser.positionalArguments();
    options.All = parser.isSet(all);
    options.Folder = parser.value(folder);
    options.Silent = parser.isSet(silent);
    if (parser.isSet(listen))
        options.Listen = parser.value(listen);
    uint32_t address = 0;
    if (options.All == !options.Names.isEmpty())
        error = QStringLiteral("configuration names or --all (one of the two)");
    else if (!Parse_Dotted_Quad(options.Listen, address))
        error = QStringLiteral("--listen takes an IPv4 address such as 127.0.0.1, not \"%1\"")
                    .arg(options.Listen);
    else if (Read_Number(parser, port, 1, 65535, options.Port, error)
             && Read_Number(parser, count, 1, Max_Block_Count, options.Count, error))
        Read_Number(parser, offset, -65535, 65535, options.Offset, error);
    return error.isEmpty() ? TCli_Request::Run : TCli_Request::Usage_Error;
}

QString Sim_Help_Text()
{
    return QStringLiteral(
        "Usage: velmora-sim [options] NAME... | --all\n"
        "\n"
        "A virtual converter for tests, demonstrations and training: serves each\n"
        "configuration of PROJECTS in the program folder as a Modbus TCP slave with\n"
        "exactly its registers. Read data, status word and byte count are input\n"
        "registers (function 04); write data and control word are holding registers\n"
        "(03, written with 06 and 16, and what is written is kept). Any other address\n"
        "answers exception 02 (illegal data address). The status word counts up once\n"
        "a second. Addresses are the protocol addresses the configuration holds.\n"
        "\n"
        "Each configuration listens at its own address and port when the address is\n"
        "in 127.0.0.0/8, otherwise at --listen. Ctrl+C or SIGTERM ends the program.\n"
        "\n"
        "Requests are Modbus TCP frames, each as long as its header says. Functions\n"
        "01, 02, 05 and 15 answer exception 02 (there are no coils), 22 and 23 work\n"
        "on the holding registers, and any other function answers exception 01;\n"
        "counts or a length that disagree answer 03, and a frame of another protocol\n"
        "goes unanswered. A length no request can have closes the connection, and so\n"
        "do %1 s without a whole request. Each configuration keeps %2 connections\n"
        "at most: one more closes the one idle longest. When the system has no\n"
        "socket left for a new connection, connections wait %3 s before they are\n"
        "taken again.\n"
        "\n"
        "Options:\n"
        "  --all              every configuration, by name\n"
        "  --folder DIR       the program folder holding PROJECTS (default: the folder\n"
        "                     of this program)\n"
        "  --listen ADDRESS   where configurations outside 127.0.0.0/8 listen\n"
        "                     (default: 127.0.0.1)\n"
        "  --port N           instead of each configuration's own port: the first one\n"
        "                     listens at N, the next at N+1 and so on, in the order\n"
        "                     served (the names as given; with --all by name)\n"
        "  --count N          registers in each data block, 1 to 125 (default: 8, as\n"
        "                     many as a check reads)\n"
        "  --offset N         serve every register N addresses off (N may be below\n"
        "                     0), as a device running another configuration would\n"
        "  --silent           accept connections and never answer\n"
        "  -h, --help         this text\n"
        "  --version          the program's version\n"
        "\n"
        "Each configuration served is named on standard output with where it listens\n"
        "and its registers; problems go to standard error. A configuration whose\n"
        "ParGen.xml is missing or cannot be read is served with Set Communication's\n"
        "defaults. A name that is no configuration is refused before anything is\n"
        "served. Exit status: 0 stopped by the user, 1 nothing could be served or a\n"
        "name is no configuration, 2 a usage error.")
        .arg(Sim_Idle_Seconds)
        .arg(Sim_Clients_Per_Configuration)
        .arg(Sim_Accept_Pause_Ms / 1000);
}
