#pragma once
// What the console programs (velmora-cli, velmora-sim) say: results on
// standard output, problems on standard error, both in UTF-8, and their exit
// statuses.

#include <QByteArray>
#include <QString>

constexpr int Exit_Done = 0;
constexpr int Exit_Failed = 1;   // some row or configuration failed
constexpr int Exit_Usage = 2;    // a usage error or an unreadable table

// What a command line asks of a console program.
enum class TCli_Request { Run, Help, Version, Usage_Error };

// One line each.
void Print_Result(const QString &line);
void Print_Problem(const QString &line);
// Bytes as they are, for a table on standard output.
void Write_Result(const QByteArray &bytes);

// The last step of a program: closes standard output and gives the exit
// status, Exit_Failed in place of Exit_Done after reporting, in program's
// name, that standard output did not take every result.
int Finish_Output(int status, const QString &program);

// What a console program does for a request other than Run: prints its help
// text or its name and version, or the usage error; the exit status, or -1
// for Run.
int Answer_Request(TCli_Request request, const QString &program, const QString &help,
                   const QString &error);
