#include "check/UCheck_Tables.h"

#include "lang/ULang.h"
#include "lang/UText.h"
#include "ui/UGrid.h"
#include "ui/UWidgets.h"
#include "check/UCheck_Texts.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>

const QColor Check_Quiet_Colour(110, 110, 110);
const QColor Check_Failed_Colour(190, 0, 0);

namespace {

const int Table_Top = 20;
const int Registers_Table_Width = 596;
const int Table_Gap = 12;
const int Row_Height = 22;

const QColor Passed_Colour(0, 120, 0);
const QColor Refused_Colour(170, 90, 0);

const TRegister_Role Roles[] = {TRegister_Role::Read_Data, TRegister_Role::Status_Word,
                                TRegister_Role::Byte_Count, TRegister_Role::Write_Data,
                                TRegister_Role::Control_Word};

bool Step_Ended(const TCheck_Step &step)
{
    return step.State == TStep_State::Passed || step.State == TStep_State::Failed
           || step.State == TStep_State::Cancelled;
}

// A value that changed in a watch's last round.
const QColor Changed_Colour(0, 70, 160);

// A function list in its table: framed in the selection colour while it has
// the focus, as the table shows no selection of its own.
class TFunction_Box : public QComboBox
{
protected:
    void paintEvent(QPaintEvent *event) override
    {
        QComboBox::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

// Function 03 first, 04 second, in this language.
void Translate_Function_Box(QComboBox *box)
{
    box->setItemText(0, Lang(Text::Function_Holding_Registers));
    box->setItemText(1, Lang(Text::Function_Input_Registers));
    Set_Hint(box, Lang(Text::Check_Function_Hint));
}

} // namespace

QColor State_Colour(const TCheck_Step &step)
{
    switch (step.State) {
    case TStep_State::Passed:
        return Passed_Colour;
    case TStep_State::Failed:
        // A silent echo is told, and the check goes on: many plants block it.
        return step.Refused() || step.Kind == TStep_Kind::Echo ? Refused_Colour : Check_Failed_Colour;
    default:
        return Check_Quiet_Colour;
    }
}

QColor Verdict_Colour(TCheck_Verdict verdict)
{
    switch (verdict) {
    case TCheck_Verdict::Answers_With_Map:
        return Passed_Colour;
    case TCheck_Verdict::Registers_Refused:
        return Refused_Colour;
    case TCheck_Verdict::Cancelled:
        return Check_Quiet_Colour;
    default:
        return Check_Failed_Colour;
    }
}

TCheck_Tables::TCheck_Tables(QWidget *parent, int width, int height)
    : QWidget(parent), m_designed_width(width)
{
    setObjectName(QStringLiteral("P_Tables"));
    resize(width, height);
    for (TRegister_Role role : Roles)
        m_functions[int(role)] = Default_Function(role);
    const int tableHeight = height - Table_Top - 4;
    L_Registers_Table = Create_Label(this, QStringLiteral("L_Registers_Table"), 0, 3);
    SG_Registers = Create_Grid(this, QStringLiteral("SG_Registers"), Register_Columns,
                               QRect(0, Table_Top, Registers_Table_Width, tableHeight), Row_Height);
    // A focused function list would select its whole row (the view makes its
    // cell current): the list is framed instead.
    SG_Registers->setSelectionMode(QAbstractItemView::NoSelection);
    const int stepsLeft = Registers_Table_Width + Table_Gap;
    L_Steps = Create_Label(this, QStringLiteral("L_Steps"), stepsLeft, 3);
    SG_Steps = Create_Grid(this, QStringLiteral("SG_Steps"), Step_Columns,
                           QRect(stepsLeft, Table_Top, width - stepsLeft, tableHeight), Row_Height);
    for (QLabel *caption : {L_Registers_Table, L_Steps})
        Style_Bold_Grey_Label(caption);
}

void TCheck_Tables::Apply_Functions(TModbus_Map &map) const
{
    for (TRegister_Block &block : map.Blocks)
        block.Function = m_functions[int(block.Role)];
}

void TCheck_Tables::Show_Plan(const TCheck_Request &plan, bool newRows)
{
    m_request = plan;
    Apply_Functions(m_request.Map);
    m_steps = Planned_Steps(m_request);
    m_was.clear();
    if (newRows)
        Rebuild_Register_Rows();
    Show_All_Steps();
    if (newRows)
        SG_Registers->scrollToTop();
}

void TCheck_Tables::Begin(const TCheck_Request &request)
{
    m_request = request;
    m_steps = Planned_Steps(request);
    m_was.clear();
    Show_All_Steps();
}

void TCheck_Tables::Show_Step(int index, const TCheck_Step &step)
{
    if (index < 0 || index >= m_steps.size())
        return;
    m_steps[index] = step;
    Show_Current_Step(index);
}

void TCheck_Tables::Show_Result(const TCheck_Result &result)
{
    m_request = result.Request;
    m_steps = result.Steps;
    if (result.Watch_Rounds == 0)
        m_was.clear();
    Show_All_Steps();
    for (int index = First_Read_Step; index < m_steps.size() - 1; ++index) {
        if (m_steps.at(index).State != TStep_State::Passed) {
            SG_Registers->scrollTo(SG_Registers->model()->index(m_first_row.at(index), Col_Role),
                                   QAbstractItemView::PositionAtTop);
            return;
        }
    }
    SG_Registers->scrollToTop();
}

void TCheck_Tables::Show_Round(const TCheck_Result &round)
{
    m_was.clear();
    if (round.Watch_Rounds > 1) {
        for (int index = First_Read_Step; index < m_steps.size() - 1 && index < round.Steps.size(); ++index) {
            const QList<uint16_t> &before = m_steps.at(index).Values;
            const QList<uint16_t> &now = round.Steps.at(index).Values;
            for (int i = 0; i < qMin(before.size(), now.size()); ++i) {
                if (before.at(i) != now.at(i))
                    m_was.insert(m_first_row.at(index) + i, before.at(i));
            }
        }
    }
    m_request = round.Request;
    m_steps = round.Steps;
    Show_All_Steps();
}

void TCheck_Tables::Set_Running(bool running)
{
    for (QComboBox *box : std::as_const(m_function_boxes))
        box->setEnabled(!running);
}

void TCheck_Tables::Rebuild_Register_Rows()
{
    SG_Registers->clearSpans();
    SG_Registers->setRowCount(0);
    m_function_boxes.clear();
    m_first_row.clear();
    int rows = 0;
    for (const TCheck_Step &step : std::as_const(m_steps)) {
        m_first_row << rows;
        if (step.Kind == TStep_Kind::Read)
            rows += step.Block.Count;
    }
    SG_Registers->setRowCount(rows);
    // Echo and connect are steps of their own; the verdict is the line below.
    SG_Steps->setRowCount(qMax(0, int(m_steps.size()) - 1));
    for (int index = 0; index < m_steps.size(); ++index) {
        const TCheck_Step &step = m_steps.at(index);
        if (step.Kind != TStep_Kind::Read)
            continue;
        const int first = m_first_row.at(index);
        for (int i = 0; i < step.Block.Count; ++i)
            Set_Grid_Cell(SG_Registers, first + i, Col_Address, QString::number(step.Block.Start + i));
        auto *box = new TFunction_Box;
        box->setObjectName(QStringLiteral("CB_Function_%1").arg(index - First_Read_Step));
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->addItems({QString(), QString()});
        Translate_Function_Box(box);
        box->setCurrentIndex(step.Block.Function == Function_Holding_Registers ? 0 : 1);
        box->installEventFilter(this);
        const TRegister_Role role = step.Block.Role;
        connect(box, &QComboBox::activated, this, [this, role](int item) {
            m_functions[int(role)] = item == 0 ? Function_Holding_Registers : Function_Input_Registers;
            emit Function_Switched();
        });
        SG_Registers->setCellWidget(first, Col_Function, box);
        m_function_boxes << box;
    }
    Fit_Columns();
}

void TCheck_Tables::Set_Lang()
{
    Set_Caption(L_Registers_Table, SG_Registers, Lang(Text::Check_Registers_Table),
                Lang(Text::Check_Registers_Table_Hint));
    Set_Caption(L_Steps, SG_Steps, Lang(Text::Check_Steps), Lang(Text::Check_Steps_Hint));
    SG_Registers->setHorizontalHeaderLabels(
        {Lang(Text::Check_Role), Lang(Text::Check_Register_Address), Lang(Text::Check_Manual_Number),
         Lang(Text::Check_Function), Lang(Text::Check_Time), Lang(Text::Check_Decimal), Lang(Text::Check_Hex),
         Lang(Text::Check_Text_Bits)});
    // The columns whose numbers need saying how they count.
    const QList<QPair<int, int>> hints{{Col_Address, Text::Check_Address_Hint},
                                       {Col_Manual, Text::Check_Manual_Number_Hint},
                                       {Col_Function, Text::Check_Function_Hint},
                                       {Col_Text, Text::Check_Text_Bits_Hint}};
    for (const auto &[column, hint] : hints)
        SG_Registers->horizontalHeaderItem(column)->setToolTip(Literal_Hint(Lang(hint)));
    SG_Steps->setHorizontalHeaderLabels({Lang(Text::Check_Step), Lang(Text::Check_State), Lang(Text::Check_Time)});
    for (QComboBox *box : std::as_const(m_function_boxes))
        Translate_Function_Box(box);
    Show_All_Steps();
}

// Each column as wide as the widest text it can show in this language (the
// numbers up to their largest); the texts of a register without a value span
// the value columns. The register table grows into the steps table's room
// when it needs, and the widget as wide as both need, so nothing is cut.
void TCheck_Tables::Fit_Columns()
{
    QStringList roles;
    for (TRegister_Role role : Roles)
        roles << Role_Text(role);
    const QStringList number{QStringLiteral("65535")};
    const QStringList unread = Value_Texts() + Unread_Texts();
    const int registers = Fit_Grid_Columns(
        SG_Registers, {{Col_Role, roles},
                       {Col_Address, number},
                       {Col_Manual, {Manual_Number(Function_Holding_Registers, 65535)}},
                       {Col_Time, number},
                       {Col_Decimal, {QStringLiteral("65535 *")}},
                       {Col_Hex, {QStringLiteral("0xFFFF")}},
                       {Col_Text, {Register_Bits(0)}},
                       {Col_Decimal, unread, Register_Columns - Col_Decimal}});
    const int steps = Fit_Grid_Columns(
        SG_Steps, {{Col_Step, QStringList{Lang(Text::Step_Echo), Lang(Text::Step_Connect)} + roles},
                   {Col_State, State_Texts()},
                   {Col_Step_Time, number}});
    const int registersWidth = qMax(Registers_Table_Width, registers);
    const int stepsWidth = qMax(m_designed_width - Table_Gap - registersWidth, steps);
    SG_Registers->resize(registersWidth, SG_Registers->height());
    L_Steps->move(registersWidth + Table_Gap, L_Steps->y());
    SG_Steps->setGeometry(registersWidth + Table_Gap, Table_Top, stepsWidth, SG_Steps->height());
    resize(registersWidth + Table_Gap + stepsWidth, height());
}

int TCheck_Tables::Registers_Height() const
{
    return Table_Top + 4 + 2 * SG_Registers->frameWidth() + SG_Registers->horizontalHeader()->sizeHint().height()
           + SG_Registers->verticalHeader()->length();
}

void TCheck_Tables::Set_Height(int height)
{
    resize(width(), height);
    for (QTableWidget *table : {SG_Registers, SG_Steps})
        table->resize(table->width(), height - Table_Top - 4);
    // A scroll bar may come or go with the height.
    Fit_Columns();
}

void TCheck_Tables::Show_All_Steps()
{
    for (int i = 0; i < m_steps.size(); ++i)
        Show_Current_Step(i);
    Fit_Columns();
}

void TCheck_Tables::Show_Current_Step(int index)
{
    const TCheck_Step &step = m_steps.at(index);
    if (step.Kind == TStep_Kind::Verdict)
        return;
    const QString time = Step_Ended(step) ? QString::number(step.Ms) : QString();
    // Why, in this language, and the engine's own words after it (as in
    // Check.log): the hint of the step's state.
    const QString cause = Cause_Text(step, m_request);
    const QString detail = Step_Ended(step) || step.State == TStep_State::Not_Run ? step.Text : QString();
    const QString hint = cause.isEmpty() || cause == detail ? detail : cause + QLatin1Char('\n') + detail;
    Set_Grid_Cell(SG_Steps, index, Col_Step, Step_Text(step));
    Set_Grid_Cell(SG_Steps, index, Col_State, State_Text(step), State_Colour(step), hint);
    Set_Grid_Cell(SG_Steps, index, Col_Step_Time, time);
    if (step.Kind != TStep_Kind::Read)
        return;

    const int first = m_first_row.at(index);
    const TRegister_Block &block = step.Block;
    Set_Grid_Cell(SG_Registers, first, Col_Role, Role_Text(block.Role));
    Set_Grid_Cell(SG_Registers, first, Col_Time, time);
    const int box = index - First_Read_Step;
    if (box >= 0 && box < m_function_boxes.size())
        m_function_boxes.at(box)->setAccessibleName(Lang(Text::Check_Function) + QLatin1Char(' ')
                                                    + Role_Text(block.Role));
    for (int i = 0; i < block.Count; ++i)
        Show_Register(index, i);
}

// Register i of step index's block: its numbers, and its value in decimal,
// hex and as text or bits, or why it has none.
void TCheck_Tables::Show_Register(int index, int i)
{
    const TCheck_Step &step = m_steps.at(index);
    const TRegister_Block &block = step.Block;
    const int row = m_first_row.at(index) + i;
    Set_Grid_Cell(SG_Registers, row, Col_Manual, Manual_Number(block.Function, block.Start + i));
    if (i < step.Values.size()) {
        Span_Values(row, false);
        const uint16_t value = step.Values.at(i);
        const auto was = m_was.constFind(row);
        const bool changed = was != m_was.cend();
        // Marked in text as well as in colour and weight.
        QTableWidgetItem *decimal = Set_Grid_Cell(
            SG_Registers, row, Col_Decimal, QString::number(value) + (changed ? QStringLiteral(" *") : QString()),
            changed ? Changed_Colour : QColor(), changed ? Lang(Text::Check_Changed_Hint).arg(*was) : QString());
        QFont font = SG_Registers->font();
        font.setBold(changed);
        decimal->setFont(font);
        Set_Grid_Cell(SG_Registers, row, Col_Hex,
                      QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0')));
        QString text;
        if (block.Role == TRegister_Role::Read_Data) {
            const int bytes = Bytes_Read();
            text = Register_Ascii(value, bytes < 0 ? 2 : qBound(0, bytes - 2 * i, 2));
        } else if (block.Role == TRegister_Role::Status_Word) {
            text = Register_Bits(value);
        }
        Set_Grid_Cell(SG_Registers, row, Col_Text, text);
        return;
    }
    // No value: the exception that refused it on every row, or what became
    // of the read once, on the block's first row.
    QString text;
    if (step.Refused())
        text = Exception_Text(step.Exception);
    else if (i == 0)
        text = Unread_Text(step);
    Span_Values(row, !text.isEmpty());
    const QString cause = Cause_Text(step, m_request);
    const QString hint = text.isEmpty() ? QString() : cause.isEmpty() ? text : text + QLatin1Char('\n') + cause;
    Set_Grid_Cell(SG_Registers, row, Col_Decimal, text, State_Colour(step), hint)->setFont(SG_Registers->font());
    Set_Grid_Cell(SG_Registers, row, Col_Hex, QString());
    Set_Grid_Cell(SG_Registers, row, Col_Text, QString());
}

// A text across the value columns, or each value in its own.
void TCheck_Tables::Span_Values(int row, bool spanned)
{
    const int span = spanned ? Register_Columns - Col_Decimal : 1;
    if (SG_Registers->columnSpan(row, Col_Decimal) != span)
        SG_Registers->setSpan(row, Col_Decimal, 1, span);
}

int TCheck_Tables::Bytes_Read() const
{
    for (const TCheck_Step &step : m_steps) {
        if (step.Kind == TStep_Kind::Read && step.Block.Role == TRegister_Role::Byte_Count && !step.Values.isEmpty())
            return step.Values.first();
    }
    return -1;
}

QString TCheck_Tables::Registers_Text() const
{
    QStringList lines;
    QStringList header;
    for (int column = 0; column < Register_Columns; ++column)
        header << SG_Registers->horizontalHeaderItem(column)->text();
    lines << header.join(QLatin1Char('\t'));
    for (int index = First_Read_Step; index < m_steps.size() - 1; ++index) {
        const int first = m_first_row.at(index);
        const QComboBox *box = m_function_boxes.value(index - First_Read_Step);
        for (int i = 0; i < m_steps.at(index).Block.Count; ++i) {
            QStringList cells;
            for (int column = 0; column < Register_Columns; ++column) {
                const QTableWidgetItem *item = SG_Registers->item(first + i, column);
                if (column == Col_Role)
                    cells << Role_Text(m_steps.at(index).Block.Role);
                else if (column == Col_Function)
                    cells << (box ? box->currentText() : QString());
                else
                    cells << (item ? item->text() : QString());
            }
            lines << cells.join(QLatin1Char('\t'));
        }
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// A function list reached with Tab scrolls into view in its table.
bool TCheck_Tables::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        // Compared as objects: what the filter watches need not be a list.
        for (int box = 0; box < m_function_boxes.size(); ++box)
            if (static_cast<QObject *>(m_function_boxes.at(box)) == watched)
                SG_Registers->scrollTo(
                    SG_Registers->model()->index(m_first_row.at(box + First_Read_Step), Col_Function));
    }
    return QWidget::eventFilter(watched, event);
}
