#pragma once
// The two tables of Check Device: the registers of each block with the
// function that reads it (a list the user may switch), their numbers as the
// protocol and a manual count them, their values (the read data also as
// text, the status word as bits) or what refused them, and the steps with
// their state and time. The columns are as wide as this language's texts
// need, and the tables grow sideways with them. The function chosen for each
// role is kept while the program runs: it is a property of the device's
// firmware, not of one check.

#include "check/UModbus_Check.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

// The colours of what a check found, in the tables and the lines under them.
extern const QColor Check_Quiet_Colour;
extern const QColor Check_Failed_Colour;
QColor Verdict_Colour(TCheck_Verdict verdict);
// A step's state in its colour: passed, refused (or a silent echo), failed.
QColor State_Colour(const TCheck_Step &step);

class TCheck_Tables : public QWidget
{
    Q_OBJECT
public:
    // The tables side by side at least width wide, in height.
    TCheck_Tables(QWidget *parent, int width, int height);

    // The steps of plan before a check: each block read with the function its
    // list shows, nothing run yet, the registers from the top. newRows makes
    // the rows anew, for blocks that may have changed; the width may change
    // with them.
    void Show_Plan(const TCheck_Request &plan, bool newRows);
    // Sets each block of map to the function its role's list shows.
    void Apply_Functions(TModbus_Map &map) const;
    // The check of request begins: its steps, each waiting.
    void Begin(const TCheck_Request &request);
    // One step as the check reports it (indexes out of the plan are left
    // alone); the blocks are the plan's.
    void Show_Step(int index, const TCheck_Step &step);
    // A check's end: its steps, the registers moved to the first block that
    // did not answer (else to the top).
    void Show_Result(const TCheck_Result &result);
    // A watch's round: its values, each one that differs from the round
    // before marked with "*" and, as its hint, what it was.
    void Show_Round(const TCheck_Result &round);
    // The function lists are switched off while a check runs.
    void Set_Running(bool running);
    // The lists in the order of their blocks.
    const QList<QComboBox *> &Function_Lists() const { return m_function_boxes; }
    // Every row of the registers table as tab-separated text under its
    // header line, each row with its block's role and function.
    QString Registers_Text() const;
    // The height that shows every register row without scrolling.
    int Registers_Height() const;
    // Both tables this high (their captions above them included).
    void Set_Height(int height);
    // Captions, headers, lists, rows and widths in the current language.
    void Set_Lang();

    QLabel *L_Registers_Table;
    QTableWidget *SG_Registers;
    QLabel *L_Steps;
    QTableWidget *SG_Steps;

    // Columns of SG_Registers (a block's role, function and time on its
    // first row) and of SG_Steps.
    enum {
        Col_Role,
        Col_Address,
        Col_Manual,
        Col_Function,
        Col_Time,
        Col_Decimal,
        Col_Hex,
        Col_Text,
        Register_Columns
    };
    enum { Col_Step, Col_State, Col_Step_Time, Step_Columns };

signals:
    // The user switched a block's function: the plan is to be shown anew.
    void Function_Switched();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Rebuild_Register_Rows();
    void Show_All_Steps();
    void Show_Current_Step(int index);
    void Show_Register(int index, int i);
    void Span_Values(int row, bool spanned);
    // How many bytes of read data count, from the byte count read (-1: all).
    int Bytes_Read() const;
    void Fit_Columns();

    int m_designed_width;
    int m_functions[5];
    TCheck_Request m_request;
    QList<TCheck_Step> m_steps;
    // First row of each read step in SG_Registers, by step index.
    QList<int> m_first_row;
    QList<QComboBox *> m_function_boxes;
    // A watch's values that changed in its last round: row, and the value before.
    QHash<int, uint16_t> m_was;
};
