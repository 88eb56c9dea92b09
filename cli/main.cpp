// velmora-cli: commissions configurations from the console, over the same
// program folder as the configurator: import from a table, build bank.bin,
// show, check and export.
#include "cli/UCli_Options.h"
#include "cli/UCli_Output.h"

#include "common/UComon.h"
#include "lang/ULang.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

// The one place that picks the language of the messages.
bool Use_Language(const QString &name, QString &error)
{
    QString used;
    if (!Select_Language(name, &used, &error))
        return false;
    if (used == name)
        return true;
    error = QStringLiteral("No language file \"%1\"")
                .arg(QDir::toNativeSeparators(Join_Path(Path_Language, name + QStringLiteral(".lng"))));
    return false;
}

#ifdef Q_OS_WIN
// The console shows UTF-8 while the program runs. The console is the user's
// shell's, so the code page it had is given back at the end.
class TConsole_Utf8
{
public:
    TConsole_Utf8() : m_before(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
    ~TConsole_Utf8()
    {
        // 0: no console to give it back to.
        if (m_before != 0)
            SetConsoleOutputCP(m_before);
    }
    TConsole_Utf8(const TConsole_Utf8 &) = delete;
    TConsole_Utf8 &operator=(const TConsole_Utf8 &) = delete;

private:
    const UINT m_before;
};
#endif

// The exit status of what the command line asks for.
int Run_Command_Line()
{
    TCli_Options options;
    QString error;
    switch (Read_Cli_Options(QCoreApplication::arguments().mid(1), options, error)) {
    case TCli_Request::Help:
        Print_Result(Cli_Help_Text());
        return Exit_Done;
    case TCli_Request::Version:
        Print_Result(QStringLiteral("velmora-cli ") + SW_Version);
        return Exit_Done;
    case TCli_Request::Usage_Error:
        Print_Problem(QStringLiteral("velmora-cli: %1 (velmora-cli --help tells more)").arg(error));
        return Exit_Usage;
    case TCli_Request::Run:
        break;
    }
    // The program folder as the configurator sets it; --folder names another one.
    const QString folder =
        options.Folder.isEmpty() ? QCoreApplication::applicationDirPath() : options.Folder;
    if (!QFileInfo(folder).isDir()) {
        Print_Problem(QStringLiteral("velmora-cli: no program folder \"%1\"")
                          .arg(QDir::toNativeSeparators(folder)));
        return Exit_Usage;
    }
    Set_Program_Paths(QFileInfo(folder).absoluteFilePath());
    if (!Use_Language(options.Language, error)) {
        Print_Problem(QStringLiteral("velmora-cli: ") + error);
        return Exit_Usage;
    }
    return options.Run(options);
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // Tables leave as written (CRLF already), and both streams end their
    // lines alike (LF, as on every system) for scripts that read them.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const TConsole_Utf8 console;
#endif
    QCoreApplication application(argc, argv);
    return Finish_Output(Run_Command_Line());
}
