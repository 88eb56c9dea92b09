#include "plant/UPlant_Report.h"

#include "common/UCsv_Table.h"
#include "common/UXmlDoc.h"
#include "plant/UPlant_Texts.h"

QByteArray Plant_Report_Csv(const QList<TPlant_Row> &rows, const TLang_Table &texts)
{
    const QChar separator = QLatin1Char(',');
    QByteArray table = Csv_Row_Bytes(Plant_Column_Titles(texts), separator);
    for (const TPlant_Row &row : rows)
        table += Csv_Row_Bytes(Plant_Cells(row, texts), separator);
    return table;
}

QStringList Plant_Report_Lines(const QList<TPlant_Row> &rows, const TLang_Table &texts)
{
    const QStringList titles = Plant_Column_Titles(texts);
    const int state = int(TPlant_Column::State);
    QStringList lines;
    for (const TPlant_Row &row : rows) {
        const QStringList cells = Plant_Cells(row, texts);
        QStringList parts{cells.at(state)};
        for (int column = int(TPlant_Column::Address); column < state; ++column) {
            if (!cells.at(column).isEmpty())
                parts << titles.at(column) + QStringLiteral(": ") + cells.at(column);
        }
        lines << row.Name + QStringLiteral(": ") + parts.join(QStringLiteral("; "));
    }
    lines << Plant_Summary_Text(Summarize_Plant(rows), texts);
    return lines;
}

bool Write_Plant_Report(const QString &path, TPlant_Report_Format format, const TPlant_Report_Info &info,
                        const QList<TPlant_Row> &rows, const TLang_Table &texts, QString *error)
{
    QByteArray bytes;
    switch (format) {
    case TPlant_Report_Format::Pdf:
        bytes = Plant_Report_Pdf(info, rows, texts);
        break;
    case TPlant_Report_Format::Csv:
        bytes = Plant_Report_Csv(rows, texts);
        break;
    case TPlant_Report_Format::Lines:
        bytes = (Plant_Report_Lines(rows, texts).join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
        break;
    }
    return Save_Whole_File(path, bytes, error);
}
