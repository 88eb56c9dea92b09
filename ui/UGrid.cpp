#include "ui/UGrid.h"

#include "ui/UWidgets.h"

#include <QHeaderView>
#include <QTableWidget>

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
