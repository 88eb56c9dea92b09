#pragma once
// Tables that only show what a window found, one row a line: read-only, Tab
// leaves them for the next control while the arrows move within them, and
// each cell can carry a hint that a screen reader says besides its text.

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class QTableWidget;
class QTableWidgetItem;
class QWidget;

// A table of columns at place inside parent, rows rowHeight high, under the
// object name tests and screen readers know it by; the last column takes the
// width the others leave.
QTableWidget *Create_Grid(QWidget *parent, const QString &name, int columns, const QRect &place,
                          int rowHeight);

// Shows text in a cell, in colour (the table's own when invalid), with hint
// as its tooltip and accessible description (none when empty).
QTableWidgetItem *Set_Grid_Cell(QTableWidget *table, int row, int column, const QString &text,
                                const QColor &colour = QColor(), const QString &hint = QString());

// Texts a column may show besides those it holds now (another state, a row not
// made yet), as wide as span columns from Column on together.
struct TGrid_Texts
{
    int Column = 0;
    QStringList Texts;
    int Span = 1;
};

// Makes each column as wide as the widest of its header, the texts and cell
// widgets it holds and the texts given for it, so none is cut in any
// language. A text over several columns (a spanned cell, or given with a
// Span) widens the last of them when they are too narrow together; the last
// column takes whatever width the table has beyond the others. Returns the
// width the table needs to show every column whole without scrolling
// sideways: its columns, its frame, and the vertical scroll bar when its rows
// are more than its height shows.
int Fit_Grid_Columns(QTableWidget *table, const QList<TGrid_Texts> &texts = {});
