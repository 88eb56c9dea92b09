#include "platform/UConsole_Streams.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

TConsole_Streams::TConsole_Streams()
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    m_code_page = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
#endif
}

TConsole_Streams::~TConsole_Streams()
{
#ifdef Q_OS_WIN
    if (m_code_page != 0)
        SetConsoleOutputCP(m_code_page);
#endif
}
