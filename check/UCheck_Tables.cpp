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
#include <QScrollBar>
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

bool Step_Ended(const TCheck_Step &step)
{
    return step.State == TStep_State::Passed || step.State == TStep_State::Failed
           || step.State == TStep_State::Cancelled;
}

// Function 03 first, 04 second, in this language.
void Translate_Function_Box(QComboBox *box)
{
    box->setItemText(0, Lang(Text::Function_Holding_Registers));
    box->setItemText(1, Lang(Text::Function_Input_Registers));
    Set_Hint(box, Lang(Text::Check_Function_Hint));
}

} // namespace

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
    TCheck_Request planned = plan;
    Apply_Functions(planned.Map);
    m_steps = Planned_Steps(planned);
    if (newRows)
        Rebuild_Register_Rows();
    for (int i = 0; i < m_steps.size(); ++i)
        Show_Current_Step(i);
}

void TCheck_Tables::Show_Step(int index, const TCheck_Step &step)
{
    if (index < 0 || index >= m_steps.size())
        return;
    m_steps[index] = step;
    Show_Current_Step(index);
}

void TCheck_Tables::Show_Steps(const QList<TCheck_Step> &steps)
{
    m_steps = steps;
    for (int i = 0; i < m_steps.size(); ++i)
        Show_Current_Step(i);
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
        if (step.Block.Count > 1)
            SG_Registers->setSpan(first, Col_Role, step.Block.Count, 1);
        for (int i = 0; i < step.Block.Count; ++i)
            Set_Grid_Cell(SG_Registers, first + i, Col_Address, QString::number(step.Block.Start + i));
        auto *box = new QComboBox;
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
    SG_Registers->setHorizontalHeaderLabels({Lang(Text::Check_Role), Lang(Text::Check_Register_Address),
                                             Lang(Text::Check_Function), Lang(Text::Check_Time),
                                             Lang(Text::Check_Decimal), Lang(Text::Check_Hex)});
    SG_Steps->setHorizontalHeaderLabels({Lang(Text::Check_Step), Lang(Text::Check_State), Lang(Text::Check_Time)});
    for (QComboBox *box : std::as_const(m_function_boxes))
        Translate_Function_Box(box);
    for (int i = 0; i < m_steps.size(); ++i)
        Show_Current_Step(i);
    Fit_Columns();
}

// Each column as wide as the widest text it can show in this language (the
// numbers up to 65535); the last takes what is left, and an exception spans
// the value columns. The register table grows into the steps table's room
// when a language's exception texts need it, so none is ever cut.
void TCheck_Tables::Fit_Columns()
{
    QStringList roles;
    for (TRegister_Role role : Roles)
        roles << Role_Text(role);
    const QStringList states = State_Texts();
    const QStringList number{QStringLiteral("65535")};
    const QList<QStringList> registerTexts{roles, number, {}, number, number, {QStringLiteral("0xFFFF")}};
    const QList<QStringList> stepTexts{QStringList{Lang(Text::Step_Echo), Lang(Text::Step_Connect)} + roles, states, number};
    for (QTableWidget *table : {SG_Registers, SG_Steps}) {
        const QList<QStringList> &texts = table == SG_Registers ? registerTexts : stepTexts;
        const QFontMetrics cells = table->fontMetrics();
        const QFontMetrics header = table->horizontalHeader()->fontMetrics();
        for (int column = 0; column < texts.size(); ++column) {
            int width = header.horizontalAdvance(table->model()->headerData(column, Qt::Horizontal).toString());
            for (const QString &text : texts.at(column))
                width = qMax(width, cells.horizontalAdvance(text));
            if (table == SG_Registers && column == Col_Function && !m_function_boxes.isEmpty())
                width = qMax(width, m_function_boxes.first()->sizeHint().width());
            table->horizontalHeader()->resizeSection(column, width + 12);
        }
    }

    QHeaderView *header = SG_Registers->horizontalHeader();
    int widest = 0;
    for (const QString &text : Value_Texts())
        widest = qMax(widest, SG_Registers->fontMetrics().horizontalAdvance(text) + 12);
    header->resizeSection(Col_Decimal, qMax(header->sectionSize(Col_Decimal), widest - header->sectionSize(Col_Hex)));
    Fit_Width();
}

// The tables as wide as their columns need, at least as designed; the window
// takes this widget's width from here.
void TCheck_Tables::Fit_Width()
{
    const auto needed = [](QTableWidget *table) {
        int width = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
        for (int column = 0; column < table->columnCount(); ++column)
            width += table->horizontalHeader()->sectionSize(column);
        return width;
    };
    const int registers = qMax(Registers_Table_Width, needed(SG_Registers));
    const int steps = qMax(m_designed_width - Table_Gap - registers, needed(SG_Steps));
    SG_Registers->resize(registers, SG_Registers->height());
    L_Steps->move(registers + Table_Gap, L_Steps->y());
    SG_Steps->setGeometry(registers + Table_Gap, Table_Top, steps, SG_Steps->height());
    resize(registers + Table_Gap + steps, height());
}

void TCheck_Tables::Show_Current_Step(int index)
{
    const TCheck_Step &step = m_steps.at(index);
    if (step.Kind == TStep_Kind::Verdict)
        return;
    const QString time = Step_Ended(step) ? QString::number(step.Ms) : QString();
    // The engine's own words (why a connection failed, say) stay in English,
    // as in Check.log; they are the hint of the step's state.
    const QString detail = Step_Ended(step) || step.State == TStep_State::Not_Run ? step.Text : QString();
    Set_Grid_Cell(SG_Steps, index, Col_Step, Step_Text(step));
    Set_Grid_Cell(SG_Steps, index, Col_State, State_Text(step), State_Colour(step), detail);
    Set_Grid_Cell(SG_Steps, index, Col_Step_Time, time);
    if (step.Kind != TStep_Kind::Read)
        return;

    const int first = m_first_row.at(index);
    const TRegister_Block &block = step.Block;
    Set_Grid_Cell(SG_Registers, first, Col_Role, Role_Text(block.Role))
        ->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
    Set_Grid_Cell(SG_Registers, first, Col_Time, time);
    const int box = index - First_Read_Step;
    if (box >= 0 && box < m_function_boxes.size())
        m_function_boxes.at(box)->setAccessibleName(Lang(Text::Check_Function) + QLatin1Char(' ')
                                                    + Role_Text(block.Role));
    for (int i = 0; i < block.Count; ++i) {
        const int row = first + i;
        const bool single = SG_Registers->columnSpan(row, Col_Decimal) == 1;
        if (i < step.Values.size()) {
            if (!single)
                SG_Registers->setSpan(row, Col_Decimal, 1, 1);
            const uint16_t value = step.Values.at(i);
            Set_Grid_Cell(SG_Registers, row, Col_Decimal, QString::number(value));
            Set_Grid_Cell(SG_Registers, row, Col_Hex,
                     QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0')));
            continue;
        }
        // No value: the exception that refused it, or what became of the read.
        QString text;
        if (step.Refused())
            text = Exception_Text(step.Exception);
        else if (step.State != TStep_State::Pending)
            text = State_Text(step);
        if (single)
            SG_Registers->setSpan(row, Col_Decimal, 1, 2);
        // The whole text is the hint as well, with the engine's words after it.
        const QString hint = detail.isEmpty() || text.isEmpty() ? text + detail : text + QLatin1Char('\n') + detail;
        Set_Grid_Cell(SG_Registers, row, Col_Decimal, text, State_Colour(step), hint);
        Set_Grid_Cell(SG_Registers, row, Col_Hex, QString());
    }
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
