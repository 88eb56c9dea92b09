#pragma once
// The table's columns: Name and the thirty ParGen.xml elements under their
// own names. A cell holds what the element holds in ParGen.xml: a list's
// position as a decimal number, a flag as 1 or 0, a number field's text
// exactly as typed. A list cell may also hold the item's text as Set
// Communication shows it (115200, RS232, EVEN), letter case aside: no item
// text is also a position of its own list, so either reading is unambiguous.

#include "common/UCsv_Table.h"
#include "lang/ULang.h"
#include "params/UParGen_File.h"

#include <QString>
#include <QStringList>

extern const QString Name_Column;

// What each header cell names.
struct TColumns
{
    int Name = -1;
    QList<int> Elements;   // the element of each cell, -1 for Name
};

// Reads the header row of table (named in messages); false after reporting
// every fault in it: a cell without a name, an unknown or doubled column, no
// Name column.
bool Read_Header(const QString &table, const TCsv_Row &header, TColumns &columns);

// The element a header cell names (letter case aside), or -1.
int Column_Element(const QString &header);

// The value one cell gives element id, a send type's text read in texts;
// false with the reason.
bool Read_Cell(int id, const QString &cell, const TLang_Table &texts, TParGen_Value &value,
               QString &error);

// Name and the thirty element names in file order.
QStringList Table_Header();
// One configuration's row under Table_Header(), each value as ParGen.xml holds it.
QStringList Table_Row(const QString &name, const TParGen_Values &values);
