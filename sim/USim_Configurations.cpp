#include "sim/USim_Configurations.h"

#include "console/UConsole_Output.h"
#include "platform/UEcho.h"

#include <QDir>

namespace {

// The configuration's map, or the defaults' after saying why on standard error.
TModbus_Map Served_Map(const TCli_Configuration &configuration, int count)
{
    QString problem;
    QStringList wrong;
    const TModbus_Map map = Configuration_Map(configuration.Path, count, problem, wrong);
    if (problem.isEmpty() && !wrong.isEmpty())
        problem = QDir::toNativeSeparators(ParGen_File_Path(configuration.Path)) + QStringLiteral(": ")
                  + wrong.join(QStringLiteral("; "));
    if (problem.isEmpty())
        return map;
    Print_Problem(QStringLiteral("%1: %2; serving Set Communication's defaults")
                      .arg(configuration.Name, problem));
    return Modbus_Map_Of(ParGen_Defaults(), count, wrong);
}

} // namespace

bool Sim_Configurations(const TSim_Options &options, const TProgram_Paths &paths,
                        QList<TCli_Configuration> &configurations)
{
    bool missing = false;
    configurations = Chosen_Configurations(paths.Projects, options.All, options.Names, missing);
    return !missing;
}

bool Add_Configurations(const TSim_Options &options, const QList<TCli_Configuration> &configurations,
                        TSim_Server &server, QString &error)
{
    if (options.Port && options.Port + configurations.size() - 1 > 65535) {
        error = QStringLiteral("--port %1 with %2 configurations goes past port 65535")
                    .arg(options.Port)
                    .arg(configurations.size());
        return false;
    }
    for (int i = 0; i < configurations.size(); ++i) {
        const TCli_Configuration &configuration = configurations.at(i);
        const TModbus_Map map = Served_Map(configuration, options.Count);
        uint32_t own = 0;
        const bool loopback = Parse_Dotted_Quad(map.Address, own) && own >> 24 == 127;
        const QString address = loopback ? map.Address : options.Listen;
        const uint16_t port = static_cast<uint16_t>(options.Port ? options.Port + i : map.Port);
        const QString where = QStringLiteral("%1:%2").arg(address, QString::number(port));
        const QString configured = QStringLiteral("%1:%2").arg(map.Address, QString::number(map.Port));

        TSim_Registers registers;
        QString problem;
        if (!registers.Build(map, options.Offset, problem)) {
            Print_Problem(QStringLiteral("%1: not served: %2").arg(configuration.Name, problem));
            continue;
        }
        const QString served = registers.Described();
        if (!server.Add(address, port, std::move(registers), problem)) {
            Print_Problem(QStringLiteral("%1: cannot listen at %2: %3")
                              .arg(configuration.Name, where, problem));
            continue;
        }
        Print_Result(QStringLiteral("%1: listening at %2%3; %4")
                         .arg(configuration.Name, where,
                              where == configured ? QString()
                                                  : QStringLiteral(" (configured: %1)").arg(configured),
                              served));
    }
    return true;
}
