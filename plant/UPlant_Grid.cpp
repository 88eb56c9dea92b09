#include "plant/UPlant_Grid.h"

#include "lang/UText.h"
#include "plant/UPlant_Texts.h"
#include "ui/UGrid.h"
#include "ui/UWidgets.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {

constexpr int Row_Height = 20;
// The value a cell sorts by.
constexpr int Sort_Role = Qt::UserRole;

// A cell that sorts by its value: numbers and dates as numbers, texts
// without regard to letter case (then with it, so that twins keep an order).
class TPlant_Item : public QTableWidgetItem
{
public:
    TPlant_Item() { setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable); }

    bool operator<(const QTableWidgetItem &other) const override
    {
        const QVariant mine = data(Sort_Role);
        const QVariant theirs = other.data(Sort_Role);
        if (mine.typeId() == QMetaType::QString && theirs.typeId() == QMetaType::QString) {
            const int order = mine.toString().compare(theirs.toString(), Qt::CaseInsensitive);
            return order != 0 ? order < 0 : mine.toString() < theirs.toString();
        }
        return mine.toLongLong() < theirs.toLongLong();
    }
};

// A time as milliseconds since the epoch (UTC), whatever zone it was
// written in; nothing sorts first.
qint64 Time_Key(bool has, const QDateTime &time)
{
    return has ? time.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

// An address and port as one number, so 192.168.0.10 comes after .9; none first.
qint64 Place_Key(const TPlant_Row &row)
{
    const QStringList octets = row.Address.split(QLatin1Char('.'));
    if (octets.size() != 4)
        return -1;
    qint64 key = 0;
    for (const QString &octet : octets)
        key = key * 256 + octet.toInt();
    return key * 65536 + row.Port;
}

QVariant Sort_Key(const TPlant_Row &row, TPlant_Column column, const QString &text)
{
    switch (column) {
    case TPlant_Column::Configuration:
        return row.Name;
    case TPlant_Column::Address:
        return Place_Key(row);
    case TPlant_Column::Image:
        return qint64(row.Image) << 32 | row.Byte_Sum;
    case TPlant_Column::Last_Update:
        return Time_Key(row.Updated, row.Last_Update.Started);
    case TPlant_Column::Last_Check:
        return Time_Key(row.Checked, row.Last_Check.Started);
    case TPlant_Column::Status_Word:
        return row.Checked && row.Last_Check.Has_Status_Word ? qint64(row.Last_Check.Status_Word) : -1;
    case TPlant_Column::Byte_Count:
        return row.Checked && row.Last_Check.Has_Byte_Count ? qint64(row.Last_Check.Byte_Count) : -1;
    case TPlant_Column::State:
        return qint64(row.State);
    case TPlant_Column::Serial_Line:
    case TPlant_Column::Settings:
        break;
    }
    return text;
}

// What a cell says beyond its text: who shares the address, what could not
// be read, the whole of a text too long for its column.
QString Cell_Hint(const TPlant_Row &row, TPlant_Column column, const QString &text, const TLang_Table &texts)
{
    QStringList hint;
    if (column == TPlant_Column::Configuration) {
        hint << row.Path;
        for (const QString &problem : row.Problems)
            hint << texts.value(Text::Plant_Problems_Hint).arg(problem);
    } else if (column == TPlant_Column::Address && !row.Shared_With.isEmpty()) {
        hint << texts.value(Text::Plant_Shared_Hint).arg(row.Shared_With.join(QStringLiteral(", ")));
    } else if (column == TPlant_Column::Settings && !row.Settings_Error.isEmpty()) {
        hint << row.Settings_Error;
    } else if (column == TPlant_Column::Image && !row.Image_Error.isEmpty()) {
        hint << row.Image_Error;
    } else if (column == TPlant_Column::Settings || column == TPlant_Column::Serial_Line
               || column == TPlant_Column::Last_Check) {
        hint << text;
    }
    return hint.join(QLatin1Char('\n'));
}

} // namespace

QColor Plant_State_Colour(TPlant_State state)
{
    switch (state) {
    case TPlant_State::Commissioned:
        return QColor(0, 120, 0);
    case TPlant_State::Settings_To_Fix:
    case TPlant_State::Update_Failed:
    case TPlant_State::Check_Failed:
        return QColor(192, 0, 0);
    case TPlant_State::Address_Shared:
    case TPlant_State::Image_Stale:
    case TPlant_State::Update_Older:
    case TPlant_State::Registers_Refused:
        return QColor(176, 90, 0);
    case TPlant_State::No_Image:
    case TPlant_State::Not_Updated:
    case TPlant_State::Not_Checked:
        break;
    }
    return QColor(90, 90, 90);
}

TPlant_Grid::TPlant_Grid(QWidget *parent)
    : m_table(Create_Grid(parent, QStringLiteral("SG_Plant"), Plant_Column_Count, QRect(), Row_Height))
{
    setParent(m_table);
    // Several rows may be chosen for a check or their images.
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setTextElideMode(Qt::ElideRight);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSectionsClickable(true);
    // By name at first, as Open Configuration lists them.
    m_table->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    // The state beside the name, where it is read first and a narrow window
    // still shows it.
    m_table->horizontalHeader()->moveSection(int(TPlant_Column::State), 1);
}

void TPlant_Grid::Set_Titles(const TLang_Table &texts)
{
    m_table->setHorizontalHeaderLabels(Plant_Column_Titles(texts));
}

void TPlant_Grid::Show_Rows(const QList<TPlant_Row> &rows, const TLang_Table &texts)
{
    const QString current = Current_Name();
    m_table->setSortingEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(int(rows.size()));
    m_names.clear();
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < Plant_Column_Count; ++column)
            m_table->setItem(row, column, new TPlant_Item);
        m_names.insert(rows.at(row).Name, m_table->item(row, 0));
        Set_Cells(row, rows.at(row), texts);
    }
    // Sorts by the column chosen, if any.
    m_table->setSortingEnabled(true);
    Set_Filter(m_filter);
    if (!current.isEmpty())
        Choose(current);
}

void TPlant_Grid::Update_Row(const TPlant_Row &row, const TLang_Table &texts)
{
    const QTableWidgetItem *item = m_names.value(row.Name);
    if (!item)
        return;
    m_table->setSortingEnabled(false);
    Set_Cells(item->row(), row, texts);
    m_table->setSortingEnabled(true);
}

void TPlant_Grid::Set_Cells(int row, const TPlant_Row &plantRow, const TLang_Table &texts)
{
    const QStringList cells = Plant_Cells(plantRow, texts);
    for (int column = 0; column < Plant_Column_Count; ++column) {
        const auto which = TPlant_Column(column);
        const QColor colour = which == TPlant_Column::State ? Plant_State_Colour(plantRow.State) : QColor();
        QTableWidgetItem *item = Set_Grid_Cell(m_table, row, column, cells.at(column), colour,
                                               Cell_Hint(plantRow, which, cells.at(column), texts));
        item->setData(Sort_Role, Sort_Key(plantRow, which, cells.at(column)));
    }
}

int TPlant_Grid::Set_Filter(const QString &text)
{
    m_filter = text;
    int shown = 0;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const bool show = m_table->item(row, 0)->text().contains(text, Qt::CaseInsensitive);
        m_table->setRowHidden(row, !show);
        shown += show ? 1 : 0;
    }
    return shown;
}

QStringList TPlant_Grid::Listed_Names() const
{
    QStringList names;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (!m_table->isRowHidden(row))
            names << m_table->item(row, 0)->text();
    }
    return names;
}

QStringList TPlant_Grid::Chosen_Names() const
{
    QStringList names;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (!m_table->isRowHidden(row) && m_table->item(row, 0)->isSelected())
            names << m_table->item(row, 0)->text();
    }
    return names;
}

QString TPlant_Grid::Current_Name() const
{
    const int row = m_table->currentRow();
    return row < 0 || m_table->isRowHidden(row) ? QString() : m_table->item(row, 0)->text();
}

void TPlant_Grid::Choose(const QString &name)
{
    if (const QTableWidgetItem *item = m_names.value(name)) {
        if (!m_table->isRowHidden(item->row())) {
            m_table->setCurrentCell(item->row(), 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            m_table->scrollToItem(item);
        }
    }
}

void TPlant_Grid::Fit_Columns(const TLang_Table &texts)
{
    QStringList states;
    for (int state = 0; state < Plant_State_Count; ++state)
        states << Plant_State_Word(TPlant_State(state), texts);
    Fit_Grid_Columns(m_table, {{int(TPlant_Column::State), states}});
    QHeaderView *header = m_table->horizontalHeader();
    for (int column = 0; column < Plant_Column_Count; ++column) {
        // The long texts of settings that fail a check and of serial lines
        // are read in their hints.
        const bool wordy = column == int(TPlant_Column::Settings) || column == int(TPlant_Column::Serial_Line);
        header->resizeSection(column, qMin(header->sectionSize(column), wordy ? Max_Plant_Column_Width / 2 : Max_Plant_Column_Width));
    }
}

QList<int> TPlant_Grid::Column_Widths() const
{
    QList<int> widths;
    for (int column = 0; column < Plant_Column_Count; ++column)
        widths << m_table->horizontalHeader()->sectionSize(column);
    return widths;
}

void TPlant_Grid::Set_Column_Widths(const QList<int> &widths)
{
    for (int column = 0; column < Plant_Column_Count && column < widths.size(); ++column)
        m_table->horizontalHeader()->resizeSection(column, widths.at(column));
}
