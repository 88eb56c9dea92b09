// velmora-cli: commissions configurations from the console, over the same
// program folder as the configurator: import from a table, build bank.bin,
// show, check, export, probe and report.
#include "cli/UCli_Options.h"
#include "console/UConsole_Output.h"
#include "platform/UConsole_Streams.h"

#include "common/UComon.h"
#include "lang/ULang.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <memory>

namespace {

// The one place that picks the language of the messages: texts from the
// language files in folder.
bool Use_Language(const QString &folder, const QString &name, TLang_Table &texts, QString &error)
{
    QString used;
    if (!Load_Language(folder, name, texts, &used, &error))
        return false;
    if (used == name)
        return true;
    error = QStringLiteral("No language file \"%1\"")
                .arg(QDir::toNativeSeparators(Join_Path(folder, name + QStringLiteral(".lng"))));
    return false;
}

// The exit status of what the command line asks for.
int Run_Command_Line()
{
    TCli_Options options;
    QString error;
    const TCli_Request request = Read_Cli_Options(QCoreApplication::arguments().mid(1), options, error);
    if (request != TCli_Request::Run)
        return Answer_Request(request, QStringLiteral("velmora-cli"), Cli_Help_Text(), error);
    // The program folder as the configurator sets it; --folder names another one.
    const QString folder =
        options.Folder.isEmpty() ? QCoreApplication::applicationDirPath() : options.Folder;
    if (!QFileInfo(folder).isDir()) {
        Print_Problem(QStringLiteral("velmora-cli: no program folder \"%1\"")
                          .arg(QDir::toNativeSeparators(folder)));
        return Exit_Usage;
    }
    options.Paths = Program_Paths(QFileInfo(folder).absoluteFilePath());
    if (!Use_Language(options.Paths.Languages, options.Language_Name, options.Texts, error)) {
        Print_Problem(QStringLiteral("velmora-cli: ") + error);
        return Exit_Usage;
    }
    return options.Run(options);
}

// The report draws its PDF and needs Qt Gui's fonts, but never a screen: it
// runs over SSH and in CI alike. Elsewhere than on Windows (whose platform
// works in a console) it takes the offscreen platform unless one is named, so
// a DISPLAY that is unset, or set and gone, makes no difference. The other
// commands start without Qt Gui.
std::unique_ptr<QCoreApplication> Make_Application(int &argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!Cli_Needs_Gui(arguments))
        return std::make_unique<QCoreApplication>(argc, argv);
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // The platform's start-up looks for a desktop session and warns when it
    // finds none (no XDG_RUNTIME_DIR over SSH or in CI): nothing a report's
    // user can act on. Its errors still go out.
    static QtMessageHandler Previous = nullptr;
    Previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            Previous(type, context, text);
    });
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(Previous);
    return application;
}

} // namespace

int main(int argc, char *argv[])
{
    const TConsole_Streams console;
    const std::unique_ptr<QCoreApplication> application = Make_Application(argc, argv);
    return Finish_Output(Run_Command_Line(), QStringLiteral("velmora-cli"));
}
