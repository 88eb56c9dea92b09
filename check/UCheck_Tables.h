#pragma once
// The two tables of Check Device: the registers of each block with the
// function that reads it (a list the user may switch), their values or what
// refused them, and the steps with their state and time. The columns are as
// wide as this language's texts need, and the tables grow sideways with them.
// The function chosen for each role is kept while the program runs: it is a
// property of the device's firmware, not of one check.

#include "check/UModbus_Check.h"

#include <QColor>
#include <QList>
#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

// The colours of what a check found, in the tables and the lines under them.
extern const QColor Check_Quiet_Colour;
extern const QColor Check_Failed_Colour;
QColor Verdict_Colour(TCheck_Verdict verdict);

class TCheck_Tables : public QWidget
{
    Q_OBJECT
public:
    // The tables side by side at least width wide, in height.
    TCheck_Tables(QWidget *parent, int width, int height);

    // The steps of plan before a check: each block read with the function its
    // list shows, nothing run yet. newRows makes the rows anew, for blocks
    // that may have changed; the width may change with them.
    void Show_Plan(const TCheck_Request &plan, bool newRows);
    // Sets each block of map to the function its role's list shows.
    void Apply_Functions(TModbus_Map &map) const;
    // One step as the check reports it (indexes out of the plan are left
    // alone), or all of them; the blocks are the plan's.
    void Show_Step(int index, const TCheck_Step &step);
    void Show_Steps(const QList<TCheck_Step> &steps);
    // The function lists are switched off while a check runs.
    void Set_Running(bool running);
    // The lists in the order of their blocks.
    const QList<QComboBox *> &Function_Lists() const { return m_function_boxes; }
    // Captions, headers, lists, rows and widths in the current language.
    void Set_Lang();

    QLabel *L_Registers_Table;
    QTableWidget *SG_Registers;
    QLabel *L_Steps;
    QTableWidget *SG_Steps;

    // Columns of SG_Registers (a block's role, function and time on its
    // first row) and of SG_Steps.
    enum { Col_Role, Col_Address, Col_Function, Col_Time, Col_Decimal, Col_Hex, Register_Columns };
    enum { Col_Step, Col_State, Col_Step_Time, Step_Columns };

signals:
    // The user switched a block's function: the plan is to be shown anew.
    void Function_Switched();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Rebuild_Register_Rows();
    void Show_Current_Step(int index);
    void Fit_Columns();
    void Fit_Width();

    int m_designed_width;
    int m_functions[5];
    QList<TCheck_Step> m_steps;
    // First row of each read step in SG_Registers, by step index.
    QList<int> m_first_row;
    QList<QComboBox *> m_function_boxes;
};
