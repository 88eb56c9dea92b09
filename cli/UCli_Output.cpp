#include "cli/UCli_Output.h"

#include "common/UComon.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

static void Write(std::FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

void Print_Result(const QString &line)
{
    Write(stdout, (line + QLatin1Char('\n')).toUtf8());
}

void Print_Problem(const QString &line)
{
    Write(stderr, (line + QLatin1Char('\n')).toUtf8());
}

void Write_Result(const QByteArray &bytes)
{
    Write(stdout, bytes);
}

void Set_Console_Streams()
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
#endif
}

int Answer_Request(TCli_Request request, const QString &program, const QString &help,
                   const QString &error)
{
    switch (request) {
    case TCli_Request::Help:
        Print_Result(help);
        return Exit_Done;
    case TCli_Request::Version:
        Print_Result(program + QLatin1Char(' ') + SW_Version);
        return Exit_Done;
    case TCli_Request::Usage_Error:
        Print_Problem(QStringLiteral("%1: %2 (%1 --help tells more)").arg(program, error));
        return Exit_Usage;
    case TCli_Request::Run:
        break;
    }
    return -1;
}
