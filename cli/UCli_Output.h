#pragma once
// What the console program says: results on standard output, problems on
// standard error, both in UTF-8, and its exit statuses.

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
