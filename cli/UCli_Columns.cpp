#include "cli/UCli_Columns.h"

#include "console/UConsole_Output.h"
#include "common/UComon.h"
#include "params/UParGen_Lists.h"

#include <QSet>

const QString Name_Column = QStringLiteral("Name");

int Column_Element(const QString &header)
{
    for (int id = 0; id < ParGen_Count; ++id) {
        if (ParGen_Element(id).Name.compare(header, Qt::CaseInsensitive) == 0)
            return id;
    }
    return -1;
}

bool Read_Header(const QString &table, const TCsv_Row &header, TColumns &columns)
{
    const QString where = QStringLiteral("%1:%2: ").arg(table, QString::number(header.Line));
    bool sound = true;
    const auto fail = [&sound, &where](const QString &message) {
        Print_Problem(where + message);
        sound = false;
    };
    QSet<QString> seen;
    for (const QString &cell : header.Fields) {
        const QString name = Trim_Text(cell);
        const int id = Column_Element(name);
        const bool isName = name.compare(Name_Column, Qt::CaseInsensitive) == 0;
        if (name.isEmpty())
            fail(QStringLiteral("column %1 has no name").arg(columns.Elements.size() + 1));
        else if (!isName && id < 0)
            fail(QStringLiteral("unknown column \"%1\"").arg(name));
        else if (seen.contains(name.toCaseFolded()))
            fail(QStringLiteral("column \"%1\" appears twice").arg(name));
        seen.insert(name.toCaseFolded());
        if (isName)
            columns.Name = columns.Elements.size();
        columns.Elements.append(id);
    }
    if (sound && columns.Name < 0)
        fail(QStringLiteral("no \"%1\" column").arg(Name_Column));
    return sound;
}

static bool Read_List_Cell(int id, const QString &text, const TLang_Table &texts,
                           TParGen_Value &value, QString &error)
{
    const QStringList items = ParGen_List_Items(id, texts);
    bool number = false;
    const int position = text.toInt(&number);
    if (number && position >= 0 && position < items.size()) {
        value.Index = position;
        return true;
    }
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(text, Qt::CaseInsensitive) == 0) {
            value.Index = i;
            return true;
        }
    }
    error = QStringLiteral("\"%1\" is neither a position 0 to %2 nor one of %3")
                .arg(text, QString::number(items.size() - 1), items.join(QStringLiteral(", ")));
    return false;
}

bool Read_Cell(int id, const QString &cell, const TLang_Table &texts, TParGen_Value &value,
               QString &error)
{
    // Blanks around a position or a flag are a spreadsheet's doing; a number
    // field keeps them, as its edit field would.
    const QString text = Trim_Text(cell);
    switch (ParGen_Element(id).Kind) {
    case TParGen_Kind::List_Index:
        return Read_List_Cell(id, text, texts, value, error);
    case TParGen_Kind::Flag:
        if (text == QLatin1String("1") || text == QLatin1String("0")) {
            value.Flag = text == QLatin1String("1");
            return true;
        }
        error = QStringLiteral("\"%1\" is neither 1 nor 0").arg(text);
        return false;
    case TParGen_Kind::Number_Text:
        break;
    }
    value.Text = cell;
    return true;
}

QStringList Table_Header()
{
    QStringList header{Name_Column};
    for (int id = 0; id < ParGen_Count; ++id)
        header << ParGen_Element(id).Name;
    return header;
}

QStringList Table_Row(const QString &name, const TParGen_Values &values)
{
    QStringList row{name};
    for (int id = 0; id < ParGen_Count; ++id)
        row << Encode_ParGen_Value(id, values[id]);
    return row;
}
