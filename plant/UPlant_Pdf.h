#pragma once
// The commissioning report as a PDF document through Qt's own PDF writer:
// landscape A4; on the first page the title, the plant, the date and time,
// the program's code and version and the summary line, then the table, one
// row per configuration with the overview's columns; the table's header at
// the top of every page and "Page n / N" at its foot. Needs a
// QGuiApplication (fonts); no window is opened.

#include "lang/ULang.h"
#include "plant/UPlant_Rows.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

struct TPlant_Report_Info
{
    QString Plant;             // the program folder's name
    QDateTime Made;            // when the report is made
    QString Program_Code;      // the program's code ("QV40318")
    QString Program_Version;   // "1.102"
};

QByteArray Plant_Report_Pdf(const TPlant_Report_Info &info, const QList<TPlant_Row> &rows,
                            const TLang_Table &texts);
