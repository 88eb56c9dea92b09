// velmora-sim: a virtual converter for tests, demonstrations and training
// without a device. Serves each chosen configuration of the program folder
// as a Modbus TCP slave with exactly its registers until the user stops it.
#include "common/UComon.h"
#include "console/UConsole_Output.h"
#include "platform/UConsole_Streams.h"
#include "sim/USim_Configurations.h"
#include "sim/USim_System.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    const TConsole_Streams console;
    QCoreApplication application(argc, argv);
    TSim_Options options;
    QString error;
    const TCli_Request request = Read_Sim_Options(QCoreApplication::arguments().mid(1), options, error);
    if (request != TCli_Request::Run)
        return Answer_Request(request, QStringLiteral("velmora-sim"), Sim_Help_Text(), error);
    const QFileInfo folder(options.Folder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                    : options.Folder);
    if (!folder.isDir()) {
        Print_Problem(QStringLiteral("velmora-sim: no program folder \"%1\"")
                          .arg(QDir::toNativeSeparators(folder.filePath())));
        return Exit_Usage;
    }
    const TProgram_Paths paths = Program_Paths(folder.absoluteFilePath());
    // A name mistyped is found before anything is served, as velmora-cli finds it.
    QList<TCli_Configuration> configurations;
    if (!Sim_Configurations(options, paths, configurations)) {
        Print_Problem(QStringLiteral("velmora-sim: nothing served"));
        return Exit_Failed;
    }
    if (!Sim_Start_Network(error)) {
        Print_Problem(QStringLiteral("velmora-sim: ") + error);
        return Exit_Failed;
    }

    // A stop asked while the sockets open ends the run as soon as it begins.
    Sim_Catch_Stop();
    TSim_Server server(options.Silent);
    if (!Add_Configurations(options, configurations, server, error)) {
        Print_Problem(QStringLiteral("velmora-sim: %1 (velmora-sim --help tells more)").arg(error));
        return Exit_Usage;
    }
    if (server.Count() == 0) {
        Print_Problem(QStringLiteral("velmora-sim: nothing could be served"));
        return Exit_Failed;
    }
    Print_Result(QStringLiteral("velmora-sim: serving %1 configuration%2%3%4; Ctrl+C ends")
                     .arg(server.Count())
                     .arg(server.Count() == 1 ? QString() : QStringLiteral("s"))
                     .arg(options.Offset ? QStringLiteral(", registers %1 addresses off")
                                               .arg(options.Offset)
                                         : QString())
                     .arg(options.Silent ? QStringLiteral(", silent (no answers)") : QString()));
    server.Run();
    Sim_Stopped();
    Print_Result(QStringLiteral("velmora-sim: stopped"));
    return Exit_Done;
}
