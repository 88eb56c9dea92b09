#include "console/UConsole_Output.h"

#include "common/UComon.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

// Why standard output first refused the results; "" while it takes them.
static QString Result_Failure;


static void Write(std::FILE *stream, const QByteArray &bytes)
{
    errno = 0;
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream)
                             == static_cast<size_t>(bytes.size())
                         && std::fflush(stream) == 0;
    // A full disk, a quota or a failing share behind a redirection: the
    // results are cut, which the exit status must say.
    if (!written && stream == stdout && Result_Failure.isEmpty())
        Result_Failure = QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EIO));
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

int Finish_Output(int status, const QString &program)
{
    // Some file systems (network shares) report a failed write only when
    // the file is closed.
    // A standard output closed from the start fails here too, but only
    // matters when results were written to it, and those writes failed.
    errno = 0;
    if (std::fclose(stdout) != 0 && errno != EBADF && Result_Failure.isEmpty())
        Result_Failure = QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EIO));
    if (Result_Failure.isEmpty())
        return status;
    Print_Problem(program + QStringLiteral(": cannot write the results to standard output: ") + Result_Failure);
    return status == Exit_Done ? Exit_Failed : status;
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
