#pragma once
// Plant Overview's table: one row per configuration with the columns of
// TPlant_Column, each cell sorting by its value (dates as dates, numbers as
// numbers, the state in its order of precedence) rather than by its text, the
// state in words with a colour beside them, rows hidden by a filter on the
// name. Rows are found by the configuration's name as the disk spells it, so
// two names that differ only in letter case are two rows.

#include "lang/ULang.h"
#include "plant/UPlant_Rows.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QTableWidget;
class QTableWidgetItem;
class QWidget;

// The colour a state's word is shown in.
QColor Plant_State_Colour(TPlant_State state);

// Made with new: the table it makes owns it, so it goes with the window.
class TPlant_Grid : public QObject
{
public:
    // SG_Plant inside parent.
    explicit TPlant_Grid(QWidget *parent);

    QTableWidget *Table() const { return m_table; }

    // The column titles in texts' language.
    void Set_Titles(const TLang_Table &texts);
    // Every row anew, in the order of the sort chosen (none: as given).
    void Show_Rows(const QList<TPlant_Row> &rows, const TLang_Table &texts);
    // The cells of the row of row.Name, where the table has it.
    void Update_Row(const TPlant_Row &row, const TLang_Table &texts);
    // Shows only the rows whose name holds text, in any letter case; how
    // many show.
    int Set_Filter(const QString &text);

    // The names of the rows shown, in the table's order.
    QStringList Listed_Names() const;
    // The names of the rows chosen and shown, in the table's order.
    QStringList Chosen_Names() const;
    // The name of the row with the focus; "" when none or when it is hidden.
    QString Current_Name() const;
    // Gives the row of name the focus and chooses it alone.
    void Choose(const QString &name);

    // Each column as wide as its longest text in this language (at most
    // Max_Plant_Column_Width, the settings and the serial line half of it;
    // the cell's hint then shows it whole).
    void Fit_Columns(const TLang_Table &texts);
    QList<int> Column_Widths() const;
    void Set_Column_Widths(const QList<int> &widths);

private:
    void Set_Cells(int row, const TPlant_Row &plantRow, const TLang_Table &texts);

    QTableWidget *m_table;
    // The first cell of each row by the configuration's name.
    QHash<QString, QTableWidgetItem *> m_names;
    QString m_filter;
};

constexpr int Max_Plant_Column_Width = 320;
