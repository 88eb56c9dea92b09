#include "ui/UGrid.h"

#include "ui/UWidgets.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QtMath>
#include <QStyle>
#include <QTableWidget>
#include <QVector>

namespace {

// The width a cell needs for text in font: the text's own (whole pixels
// rounded up: the view cuts a text a fraction too wide), the style's margins
// on both sides of it, and the grid line the cell gives up.
int Cell_Width(const QTableWidget *table, const QFont &font, const QString &text)
{
    const int margin = table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    const int grid = table->showGrid() ? 1 : 0;
    return qCeil(QFontMetricsF(font).horizontalAdvance(text)) + 1 + 2 * margin + grid;
}

// A need across columns first..last: what they lack together goes to the last.
void Widen_Span(QVector<int> &widths, int first, int span, int need)
{
    const int last = qMin(first + span, int(widths.size())) - 1;
    int together = 0;
    for (int column = first; column <= last; ++column)
        together += widths.at(column);
    if (together < need)
        widths[last] += need - together;
}

} // namespace

QTableWidget *Create_Grid(QWidget *parent, const QString &name, int columns, const QRect &place,
                          int rowHeight)
{
    auto *table = new QTableWidget(0, columns, parent);
    table->setObjectName(name);
    table->setGeometry(place);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setMinimumSectionSize(rowHeight);
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
    return table;
}

QTableWidgetItem *Set_Grid_Cell(QTableWidget *table, int row, int column, const QString &text,
                                const QColor &colour, const QString &hint)
{
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table->setItem(row, column, item);
    }
    item->setText(text);
    item->setData(Qt::ForegroundRole, colour.isValid() ? QVariant(colour) : QVariant());
    item->setToolTip(Literal_Hint(hint));
    item->setData(Qt::AccessibleDescriptionRole, hint);
    return item;
}

int Fit_Grid_Columns(QTableWidget *table, const QList<TGrid_Texts> &texts)
{
    const int columns = table->columnCount();
    QHeaderView *header = table->horizontalHeader();
    QVector<int> widths(columns, 0);
    for (int column = 0; column < columns; ++column)
        widths[column] = qMax(header->minimumSectionSize(), header->sectionSizeHint(column));

    struct TSpanned
    {
        int Column;
        int Span;
        int Need;
    };
    QList<TSpanned> spanned;
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < columns; ++column) {
            int need = 0;
            if (const QTableWidgetItem *item = table->item(row, column)) {
                // An item without a font of its own shows in the table's.
                const QVariant font = item->data(Qt::FontRole);
                need = Cell_Width(table, font.isValid() ? font.value<QFont>() : table->font(), item->text());
            }
            if (const QWidget *widget = table->cellWidget(row, column))
                need = qMax(need, widget->sizeHint().width() + (table->showGrid() ? 1 : 0));
            const int span = table->columnSpan(row, column);
            if (span > 1)
                spanned.append({column, span, need});
            else
                widths[column] = qMax(widths.at(column), need);
        }
    }
    for (const TGrid_Texts &given : texts) {
        if (given.Column < 0 || given.Column >= columns)
            continue;
        int need = 0;
        for (const QString &text : given.Texts)
            need = qMax(need, Cell_Width(table, table->font(), text));
        if (given.Span > 1)
            spanned.append({given.Column, given.Span, need});
        else
            widths[given.Column] = qMax(widths.at(given.Column), need);
    }
    for (const TSpanned &text : std::as_const(spanned))
        Widen_Span(widths, text.Column, text.Span, text.Need);

    int needed = 2 * table->frameWidth();
    for (int column = 0; column < columns; ++column) {
        header->resizeSection(column, widths.at(column));
        needed += widths.at(column);
    }
    const int shown = table->height() - 2 * table->frameWidth()
                      - (header->isHidden() ? 0 : header->sizeHint().height());
    if (table->verticalHeader()->length() > shown)
        needed += table->verticalScrollBar()->sizeHint().width();
    return needed;
}
