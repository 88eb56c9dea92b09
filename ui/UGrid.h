#pragma once
// Tables that only show what a window found, one row a line: read-only, Tab
// leaves them for the next control while the arrows move within them, and
// each cell can carry a hint that a screen reader says besides its text.

#include <QColor>
#include <QRect>
#include <QString>

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
