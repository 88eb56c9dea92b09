#pragma once
// The time a record's block opens with: local time with its distance from
// UTC, "2025-03-04 14:05:06 +01:00", so blocks written on systems in other
// time zones still compare rightly; and the same text read back.

#include <QDateTime>
#include <QString>

QString Record_Time_Text(const QDateTime &time);

// The time of a text Record_Time_Text wrote, with its offset; an invalid
// time for any other text. The readers of the records parse without
// regular expressions: they run on worker threads (the plant's rows), where
// a regular expression's state per thread crashed or held up the Windows
// build at a thread's or the program's end.
QDateTime Read_Record_Time(const QString &text);

// The whole of text as a decimal number (a sign allowed), or false.
bool Read_Whole_Number(const QString &text, int &number);
