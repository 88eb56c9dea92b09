#pragma once
// Tables as spreadsheets save them: RFC 4180 CSV (quoted fields, doubled
// quotes, separators and line breaks inside quotes) in UTF-8 with or without a
// byte-order mark, lines ending in CRLF, LF or CR. The separator is a comma,
// or a semicolon where the header row shows one first: the form spreadsheets
// write where the decimal mark is a comma. Qt Core only.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct TCsv_Row
{
    int Line = 0;   // the line the row starts on, counting from 1
    QStringList Fields;
};

struct TCsv_Table
{
    QChar Separator = QLatin1Char(',');
    // The header row first. Rows with nothing in any field are left out.
    QList<TCsv_Row> Rows;
};

// False, with the line and the reason, for bytes that are no table: not
// UTF-8, a quote left open, a quote inside a field that does not start with
// one, or text after a field's closing quote.
bool Read_Csv_Table(const QByteArray &bytes, TCsv_Table &table, int &errorLine, QString &error);

// One row as a table line ending in CRLF. A field is quoted when it holds a
// comma, a semicolon, a quote or a line break, starts or ends with a blank or
// starts with a byte-order mark, so it reads back the same whichever separator
// the reader takes.
QByteArray Csv_Row_Bytes(const QStringList &fields, QChar separator);
