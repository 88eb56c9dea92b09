#pragma once
// What the console program says: results on standard output, problems on
// standard error, both in UTF-8, and its exit statuses.

#include "cli/UCli_Options.h"

#include <QByteArray>
#include <QString>

constexpr int Exit_Done = 0;
constexpr int Exit_Failed = 1;   // some row or configuration failed
constexpr int Exit_Usage = 2;    // a usage error or an unreadable table

// One line each.
void Print_Result(const QString &line);
void Print_Problem(const QString &line);
// Bytes as they are, for a table on standard output.
void Write_Result(const QByteArray &bytes);

// The last step of the program: closes standard output and gives the exit
// status, Exit_Failed in place of Exit_Done after reporting that standard
// output did not take every result.
int Finish_Output(int status);

// For the whole run of a console program, made first thing in main(): on
// Windows both streams binary, so lines end in LF as on every system and
// bytes written whole (a table with CRLF already) leave unchanged, and the
// console shows UTF-8; the console is the user's shell's, so the code page
// it had is given back at the end. Nothing elsewhere.
class TConsole_Streams
{
public:
    TConsole_Streams();
    ~TConsole_Streams();
    TConsole_Streams(const TConsole_Streams &) = delete;
    TConsole_Streams &operator=(const TConsole_Streams &) = delete;

private:
    [[maybe_unused]] unsigned m_code_page = 0;   // 0: no console to give it back to
};

// What a console program does for a request other than Run: prints its help
// text or its name and version, or the usage error; the exit status, or -1
// for Run.
int Answer_Request(TCli_Request request, const QString &program, const QString &help,
                   const QString &error);
