#include "cli/UCli_Output.h"

#include <cstdio>

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
