#pragma once
// The commissioning report of a plant in its three forms: the PDF document
// (UPlant_Pdf), the same table as CSV, and one line per configuration; each
// written whole, or not at all.

#include "plant/UPlant_Pdf.h"

#include <QByteArray>
#include <QStringList>

enum class TPlant_Report_Format { Pdf, Csv, Lines };

// The header row and one row per configuration with the overview's cells,
// as velmora-cli export writes tables: UTF-8, comma-separated, CRLF.
QByteArray Plant_Report_Csv(const QList<TPlant_Row> &rows, const TLang_Table &texts);

// "Line 1 pump: commissioned; Address: 127.0.0.1:1502; Serial Line: ...":
// one line per configuration, its name and state first and then each cell
// that holds something with its column's title; the summary line last.
QStringList Plant_Report_Lines(const QList<TPlant_Row> &rows, const TLang_Table &texts);

// The report in format written to path whole (lines: UTF-8 ending in LF):
// false, with error naming the file and the reason, when it cannot be
// written (no such folder, a full disk); no part of it is left then. The PDF
// needs a QGuiApplication.
bool Write_Plant_Report(const QString &path, TPlant_Report_Format format, const TPlant_Report_Info &info,
                        const QList<TPlant_Row> &rows, const TLang_Table &texts, QString *error);
