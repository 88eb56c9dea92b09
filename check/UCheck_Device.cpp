#include "check/UCheck_Device.h"

#include "common/UComon.h"
#include "lang/ULang.h"
#include "lang/UText.h"
#include "platform/UPlatform.h"
#include "ui/UGrid.h"
#include "ui/UInput_Blocker.h"
#include "ui/UOctet_Fields.h"
#include "check/UCheck_Log.h"
#include "check/UCheck_Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QScrollBar>
#include <QTableWidget>
#include <QThread>

TFCheck_Device *FCheck_Device = nullptr;

// The settings file keeps the check's own defaults for a program that never checked.
static_assert(Default_Check_Unit_ID == Default_Unit && Default_Check_Registers == Default_Block_Count);

namespace {

const int Client_Width = 940;
const int Device_Panel_Height = 74;
const int Result_Panel_Height = 276;
const int Verdict_Panel_Height = 42;
const int Button_Panel_Height = 40;
const int Margin = 16;
const int Table_Top = 20;
const int Table_Height = Result_Panel_Height - Table_Top - 4;
const int Registers_Table_Width = 596;
const int Row_Height = 22;
const int Button_Top = 6;
const int Button_Height = 28;
const int Button_Width = 110;
const int Button_Gap = 8;

const QColor Passed_Colour(0, 120, 0);
const QColor Refused_Colour(170, 90, 0);
const QColor Failed_Colour(190, 0, 0);
const QColor Quiet_Colour(110, 110, 110);

const TRegister_Role Roles[] = {TRegister_Role::Read_Data, TRegister_Role::Status_Word,
                                TRegister_Role::Byte_Count, TRegister_Role::Write_Data,
                                TRegister_Role::Control_Word};

QWidget *Create_Panel(QWidget *parent, const QString &name, int height)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->resize(Client_Width, height);
    return panel;
}

QColor State_Colour(const TCheck_Step &step)
{
    switch (step.State) {
    case TStep_State::Passed:
        return Passed_Colour;
    case TStep_State::Failed:
        // A silent echo is told, and the check goes on: many plants block it.
        return step.Refused() || step.Kind == TStep_Kind::Echo ? Refused_Colour : Failed_Colour;
    default:
        return Quiet_Colour;
    }
}

bool Step_Ended(const TCheck_Step &step)
{
    return step.State == TStep_State::Passed || step.State == TStep_State::Failed
           || step.State == TStep_State::Cancelled;
}

QColor Verdict_Colour(TCheck_Verdict verdict)
{
    switch (verdict) {
    case TCheck_Verdict::Answers_With_Map:
        return Passed_Colour;
    case TCheck_Verdict::Registers_Refused:
        return Refused_Colour;
    case TCheck_Verdict::Cancelled:
        return Quiet_Colour;
    default:
        return Failed_Colour;
    }
}

void Set_Text_Colour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// Shows text in a label of fixed width, cut in the middle when it is too
// long; the whole text stays its hint and what a screen reader says.
void Set_Fitted_Text(QLabel *label, const QString &text, Qt::TextElideMode mode = Qt::ElideRight)
{
    const QString shown = label->fontMetrics().elidedText(text, mode, label->width());
    label->setText(shown);
    Set_Hint(label, shown == text ? QString() : text);
    label->setAccessibleName(text);
}

// Function 03 first, 04 second, in this language.
void Translate_Function_Box(QComboBox *box)
{
    box->setItemText(0, Lang(Text::Function_Holding_Registers));
    box->setItemText(1, Lang(Text::Function_Input_Registers));
    Set_Hint(box, Lang(Text::Check_Function_Hint));
}

QSpinBox *Create_Spin(QWidget *parent, const QString &name, int minimum, int maximum)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    // The plan follows a finished number, not each digit typed.
    spin->setKeyboardTracking(false);
    spin->setFixedWidth(64);
    return spin;
}

} // namespace

TFCheck_Device::TFCheck_Device(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FCheck_Device"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Title = Create_Title_Band(this, Client_Width);
    for (TRegister_Role role : Roles)
        m_functions[int(role)] = Default_Function(role);

    Create_Device_Panel();
    Create_Result_Panel();
    Create_Button_Panel();

    int top = 0;
    for (QWidget *panel : {Title.P_Title, P_Device, P_Result, P_Button}) {
        panel->move(0, top);
        top += panel->height();
    }
    Set_Fixed_Client_Size(this, Client_Width, top);
    Set_Label_Text(Title.L_SW_Code, SW_Code);
    Pair_Labels(this, {{QStringLiteral("L_IP_Address"), QStringLiteral("E_IP1")},
                       {QStringLiteral("L_Port"), QStringLiteral("E_Port")},
                       {QStringLiteral("L_Unit_ID"), QStringLiteral("SE_Unit_ID")},
                       {QStringLiteral("L_Registers"), QStringLiteral("SE_Registers")},
                       {QStringLiteral("L_Registers_Table"), QStringLiteral("SG_Registers")},
                       {QStringLiteral("L_Steps"), QStringLiteral("SG_Steps")}});
    Show_Plan(true);
    Set_Lang();
    Set_Running(false);
}

TFCheck_Device::~TFCheck_Device()
{
    Stop_Check(false);
}

void TFCheck_Device::Create_Device_Panel()
{
    P_Device = Create_Panel(this, QStringLiteral("P_Device"), Device_Panel_Height);
    auto *grid = new QGridLayout(P_Device);
    grid->setContentsMargins(Margin, 4, Margin, 4);
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(2);

    L_IP_Address = Create_Label(P_Device, QStringLiteral("L_IP_Address"), 0, 0);
    P_IP_Address = new QWidget(P_Device);
    P_IP_Address->setObjectName(QStringLiteral("P_IP_Address"));
    auto *row = new QHBoxLayout(P_IP_Address);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    E_IP1 = Create_IP_Field(QStringLiteral("E_IP1"));
    E_IP2 = Create_IP_Field(QStringLiteral("E_IP2"));
    E_IP3 = Create_IP_Field(QStringLiteral("E_IP3"));
    E_IP4 = Create_IP_Field(QStringLiteral("E_IP4"));
    for (QLineEdit *field : {E_IP1, E_IP2, E_IP3, E_IP4}) {
        if (field != E_IP1) {
            auto *dot = new QLabel(QStringLiteral("."), P_IP_Address);
            row->addWidget(dot);
        }
        row->addWidget(field);
    }

    L_Port = Create_Label(P_Device, QStringLiteral("L_Port"), 0, 0);
    E_Port = new QLineEdit(P_Device);
    E_Port->setObjectName(QStringLiteral("E_Port"));
    E_Port->setFixedWidth(56);
    Accept_Only_Storable_Text(E_Port);
    L_Unit_ID = Create_Label(P_Device, QStringLiteral("L_Unit_ID"), 0, 0);
    SE_Unit_ID = Create_Spin(P_Device, QStringLiteral("SE_Unit_ID"), 0, Max_Unit);
    L_Registers = Create_Label(P_Device, QStringLiteral("L_Registers"), 0, 0);
    SE_Registers = Create_Spin(P_Device, QStringLiteral("SE_Registers"), 1, Max_Block_Count);
    connect(SE_Registers, &QSpinBox::valueChanged, this, [this] {
        Load_Plan();
        Show_Plan(true);
    });
    CB_Echo = new QCheckBox(P_Device);
    CB_Echo->setObjectName(QStringLiteral("CB_Echo"));
    CB_Echo->setChecked(true);
    L_Source = Create_Label(P_Device, QStringLiteral("L_Source"), 0, 0);
    L_Source->setFixedWidth(Client_Width - 2 * Margin);
    Set_Text_Colour(L_Source, Quiet_Colour);

    const QList<QPair<QLabel *, QWidget *>> columns{
        {L_IP_Address, P_IP_Address}, {L_Port, E_Port}, {L_Unit_ID, SE_Unit_ID}, {L_Registers, SE_Registers}};
    for (int column = 0; column < columns.size(); ++column) {
        grid->addWidget(columns.at(column).first, 0, column, Qt::AlignLeft | Qt::AlignBottom);
        grid->addWidget(columns.at(column).second, 1, column, Qt::AlignLeft);
    }
    grid->addWidget(CB_Echo, 1, int(columns.size()), Qt::AlignLeft);
    grid->setColumnStretch(int(columns.size()), 1);
    grid->addWidget(L_Source, 2, 0, 1, int(columns.size()) + 1);
}

QLineEdit *TFCheck_Device::Create_IP_Field(const QString &name)
{
    auto *field = new QLineEdit(QStringLiteral("0"), P_IP_Address);
    field->setObjectName(name);
    field->setFixedSize(41, 21);
    Accept_Only_Storable_Text(field);
    field->installEventFilter(this);
    return field;
}

void TFCheck_Device::Create_Result_Panel()
{
    P_Result = Create_Panel(this, QStringLiteral("P_Result"), Result_Panel_Height + Verdict_Panel_Height);
    L_Registers_Table = Create_Label(P_Result, QStringLiteral("L_Registers_Table"), Margin, 3);
    SG_Registers = Create_Grid(P_Result, QStringLiteral("SG_Registers"), Register_Columns,
                                QRect(Margin, Table_Top, Registers_Table_Width, Table_Height), Row_Height);
    const int stepsLeft = Margin + Registers_Table_Width + 12;
    L_Steps = Create_Label(P_Result, QStringLiteral("L_Steps"), stepsLeft, 3);
    SG_Steps = Create_Grid(P_Result, QStringLiteral("SG_Steps"), Step_Columns,
                            QRect(stepsLeft, Table_Top, Client_Width - Margin - stepsLeft, Table_Height), Row_Height);
    for (QLabel *caption : {L_Registers_Table, L_Steps})
        Style_Bold_Grey_Label(caption);

    L_Verdict = Create_Label(P_Result, QStringLiteral("L_Verdict"), Margin, Result_Panel_Height + 2);
    QFont bold = L_Verdict->font();
    bold.setBold(true);
    L_Verdict->setFont(bold);
    L_Log = Create_Label(P_Result, QStringLiteral("L_Log"), Margin, Result_Panel_Height + 21);
    for (QLabel *line : {L_Verdict, L_Log})
        line->resize(Client_Width - 2 * Margin, 17);
}

void TFCheck_Device::Create_Button_Panel()
{
    P_Button = Create_Panel(this, QStringLiteral("P_Button"), Button_Panel_Height);
    Btn_Close = new TImageButton(QStringLiteral("Btn_Close"), QStringLiteral(":/icons/close.svg"), P_Button);
    Btn_Cancel = new TImageButton(QStringLiteral("Btn_Cancel"), QStringLiteral(":/icons/stop.svg"), P_Button);
    Btn_Start = new TImageButton(QStringLiteral("Btn_Start"), QStringLiteral(":/icons/start.svg"), P_Button);
    connect(Btn_Close, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, [this] { Btn_CancelClick(); });
    connect(Btn_Start, &QAbstractButton::clicked, this, [this] { Btn_StartClick(); });
}

void TFCheck_Device::Prepare(const QString &project, const TCheck_Choices &choices)
{
    m_project = project;
    m_choices = choices;
}

void TFCheck_Device::showEvent(QShowEvent *event)
{
    // Restoring the minimised dialog shows it again (spontaneously): what the
    // user typed and the last result stay.
    if (!event->spontaneous()) {
        FormShow();
        Center_On_Screen(this);
    }
    QDialog::showEvent(event);
}

void TFCheck_Device::FormShow()
{
    Set_Label_Text(Title.L_SW_Code, SW_Code);
    {
        // The plan is made once, below.
        const QSignalBlocker quiet(SE_Registers);
        SE_Unit_ID->setValue(m_choices.Unit_ID);
        SE_Registers->setValue(m_choices.Registers);
    }
    Load_Plan();
    // The configuration's address and port, to be changed here for this check only.
    const QStringList octets = m_plan.Map.Address.split(QLatin1Char('.'));
    const QList<QLineEdit *> fields{E_IP1, E_IP2, E_IP3, E_IP4};
    for (int i = 0; i < fields.size() && i < octets.size(); ++i)
        fields.at(i)->setText(octets.at(i));
    E_Port->setText(QString::number(m_plan.Map.Port));
    m_log_error.clear();
    Show_Plan(true);
    Set_Lang();
    Focus_And_Select(E_IP1);
}

// The configuration as Set Communication saved it, with the registers per
// block now chosen.
void TFCheck_Device::Load_Plan()
{
    m_problems.clear();
    m_plan = TCheck_Request();
    Check_Request_Of(m_project, SE_Registers->value(), m_plan, m_problems);
    if (!QFileInfo::exists(ParGen_File_Path(m_project)))
        m_source = TSource::No_ParGen;
    else
        m_source = m_plan.Source == QLatin1String("ParGen.xml") ? TSource::ParGen : TSource::Damaged;
}

// The steps ahead, each block with its function, and no result yet; the
// table's rows are made anew when the blocks may have changed.
void TFCheck_Device::Show_Plan(bool newRows)
{
    for (TRegister_Block &block : m_plan.Map.Blocks)
        block.Function = m_functions[int(block.Role)];
    m_steps = Planned_Steps(m_plan);
    m_result.reset();
    if (newRows)
        Rebuild_Register_Rows();
    for (int i = 0; i < m_steps.size(); ++i)
        Show_Step(i);
    Show_Verdict();
}

void TFCheck_Device::Rebuild_Register_Rows()
{
    SG_Registers->clearSpans();
    SG_Registers->setRowCount(0);
    m_function_boxes.clear();
    m_first_row.clear();
    int rows = 0;
    for (const TCheck_Step &step : m_steps) {
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
        box->setObjectName(QStringLiteral("CB_Function_%1").arg(index - 2));
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->addItems({QString(), QString()});
        Translate_Function_Box(box);
        box->setCurrentIndex(step.Block.Function == Function_Holding_Registers ? 0 : 1);
        box->installEventFilter(this);
        const TRegister_Role role = step.Block.Role;
        connect(box, &QComboBox::activated, this, [this, role](int item) {
            m_functions[int(role)] = item == 0 ? Function_Holding_Registers : Function_Input_Registers;
            Show_Plan(false);
        });
        SG_Registers->setCellWidget(first, Col_Function, box);
        m_function_boxes << box;
    }
    Set_Tab_Order();
    Fit_Columns();
}

void TFCheck_Device::Set_Tab_Order()
{
    QList<QWidget *> order{E_IP1, E_IP2, E_IP3, E_IP4, E_Port, SE_Unit_ID, SE_Registers, CB_Echo, SG_Registers};
    for (QComboBox *box : std::as_const(m_function_boxes))
        order << box;
    order << SG_Steps << Btn_Close << Btn_Cancel << Btn_Start;
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order.at(i), order.at(i + 1));
}

void TFCheck_Device::Set_Lang()
{
    setWindowTitle(Lang(Text::Check_Title));
    Set_Label_Text(Title.L_SW_Desc, Lang(Text::Check_Subtitle));
    Set_Label_Text(L_IP_Address, Lang(Text::Check_Address));
    const int hints[] = {Text::Check_IP1_Hint, Text::Check_IP2_Hint, Text::Check_IP3_Hint, Text::Check_IP4_Hint};
    const QList<QLineEdit *> fields{E_IP1, E_IP2, E_IP3, E_IP4};
    for (int i = 0; i < fields.size(); ++i) {
        Set_Hint(fields.at(i), Lang(hints[i]));
        fields.at(i)->setAccessibleName(Lang(hints[i]));
    }
    const QList<std::tuple<QLabel *, QWidget *, int, int>> captioned{
        {L_Port, E_Port, Text::Check_Port, Text::Check_Port_Hint},
        {L_Unit_ID, SE_Unit_ID, Text::Check_Unit_ID, Text::Check_Unit_ID_Hint},
        {L_Registers, SE_Registers, Text::Check_Registers, Text::Check_Registers_Hint},
        {L_Registers_Table, SG_Registers, Text::Check_Registers_Table, Text::Check_Registers_Table_Hint},
        {L_Steps, SG_Steps, Text::Check_Steps, Text::Check_Steps_Hint}};
    for (const auto &[label, control, caption, hint] : captioned) {
        Set_Label_Text(label, Lang(caption));
        Set_Hint(control, Lang(hint));
        control->setAccessibleName(Lang(caption));
        control->setAccessibleDescription(Lang(hint));
    }
    CB_Echo->setText(Lang(Text::Check_Echo));
    Set_Hint(CB_Echo, Lang(Text::Check_Echo_Hint));
    SG_Registers->setHorizontalHeaderLabels({Lang(Text::Check_Role), Lang(Text::Check_Register_Address),
                                             Lang(Text::Check_Function), Lang(Text::Check_Time),
                                             Lang(Text::Check_Decimal), Lang(Text::Check_Hex)});
    SG_Steps->setHorizontalHeaderLabels({Lang(Text::Check_Step), Lang(Text::Check_State), Lang(Text::Check_Time)});
    Btn_Close->Set_Caption(Lang(Text::Check_Close));
    Btn_Close->Set_Hint(Lang(Text::Check_Close_Hint));
    Btn_Cancel->Set_Caption(Lang(Text::Check_Cancel));
    Btn_Cancel->Set_Hint(Lang(Text::Check_Cancel_Hint));
    Btn_Start->Set_Caption(Lang(Text::Check_Start));
    Btn_Start->Set_Hint(Lang(Text::Check_Start_Hint));

    for (QComboBox *box : std::as_const(m_function_boxes))
        Translate_Function_Box(box);
    for (int i = 0; i < m_steps.size(); ++i)
        Show_Step(i);
    Fit_Columns();
    Show_Source();
    Show_Verdict();
    Show_Log_Note();
}

// Each column as wide as the widest text it can show in this language (the
// numbers up to 65535); the last takes what is left, and an exception spans
// the value columns. The register table grows into the steps table's room
// when a language's exception texts need it, so none is ever cut.
void TFCheck_Device::Fit_Columns()
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
// grows with them (as a language with longer words needs) and its panels,
// lines and buttons follow.
void TFCheck_Device::Fit_Width()
{
    const auto needed = [](QTableWidget *table) {
        int width = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
        for (int column = 0; column < table->columnCount(); ++column)
            width += table->horizontalHeader()->sectionSize(column);
        return width;
    };
    const int registers = qMax(Registers_Table_Width, needed(SG_Registers));
    const int gap = 12;
    const int steps = qMax(Client_Width - 2 * Margin - gap - registers, needed(SG_Steps));
    const int width = 2 * Margin + registers + gap + steps;
    SG_Registers->resize(registers, Table_Height);
    L_Steps->move(Margin + registers + gap, L_Steps->y());
    SG_Steps->setGeometry(Margin + registers + gap, Table_Top, steps, Table_Height);
    for (QWidget *panel : {Title.P_Title, P_Device, P_Result, P_Button})
        panel->resize(width, panel->height());
    L_Source->setFixedWidth(width - 2 * Margin);
    for (QLabel *line : {L_Verdict, L_Log})
        line->resize(width - 2 * Margin, line->height());
    // The buttons end at the right margin, the one that starts the check last.
    int left = width - Margin - 3 * Button_Width - 2 * Button_Gap;
    for (TImageButton *button : {Btn_Close, Btn_Cancel, Btn_Start}) {
        button->setGeometry(left, Button_Top, Button_Width, Button_Height);
        left += Button_Width + Button_Gap;
    }
    Set_Fixed_Client_Size(this, width, P_Button->y() + P_Button->height());
}

void TFCheck_Device::Show_Step(int index)
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
    const int box = index - 2;
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

void TFCheck_Device::Show_Verdict()
{
    if (Running()) {
        Set_Text_Colour(L_Verdict, Quiet_Colour);
        Set_Fitted_Text(L_Verdict, Lang(Text::Check_Running));
    } else if (m_result) {
        Set_Text_Colour(L_Verdict, Verdict_Colour(m_result->Verdict));
        Set_Fitted_Text(L_Verdict, Lang(Text::Check_Verdict)
                                       .arg(Verdict_Text(*m_result), QString::number(m_result->Total_Ms)));
        // The engine's words say why, as Check.log does.
        Set_Hint(L_Verdict, m_result->Steps.last().Text);
    } else {
        Set_Text_Colour(L_Verdict, Quiet_Colour);
        Set_Fitted_Text(L_Verdict, Lang(Text::Check_Ready));
    }
}

void TFCheck_Device::Show_Source()
{
    int entry = Text::Check_Source_ParGen;
    if (m_source == TSource::No_ParGen)
        entry = Text::Check_Source_No_ParGen;
    else if (m_source == TSource::Damaged)
        entry = Text::Check_Source_Damaged;
    QString text = Lang(entry);
    if (!m_problems.isEmpty())
        text = Lang(Text::Error_Check_ParGen) + QLatin1Char(' ') + m_problems.join(QStringLiteral("; "));
    Set_Text_Colour(L_Source, m_problems.isEmpty() && m_source == TSource::ParGen ? Quiet_Colour : Failed_Colour);
    Set_Fitted_Text(L_Source, text);
    if (m_source == TSource::Damaged && m_problems.isEmpty())
        Set_Hint(L_Source, m_plan.Source);
}

void TFCheck_Device::Show_Log_Note()
{
    if (m_log_error.isEmpty()) {
        Set_Text_Colour(L_Log, Quiet_Colour);
        Set_Fitted_Text(L_Log, Lang(Text::Check_Log_Note).arg(QDir::toNativeSeparators(Check_Log_Path(m_project))),
                        Qt::ElideMiddle);
    } else {
        Set_Text_Colour(L_Log, Failed_Colour);
        Set_Fitted_Text(L_Log, Lang(Text::Check_Log_Failed).arg(m_log_error), Qt::ElideMiddle);
    }
}

void TFCheck_Device::Set_Running(bool running)
{
    // The focus moves to the button that ends what runs, and back, before the
    // control that holds it is switched off.
    if (running) {
        Btn_Cancel->setEnabled(true);
        QWidget *focus = focusWidget();
        if (!focus || focus == Btn_Start || P_Device->isAncestorOf(focus) || m_function_boxes.contains(qobject_cast<QComboBox *>(focus)))
            Btn_Cancel->setFocus(Qt::OtherFocusReason);
    } else {
        Btn_Start->setEnabled(true);
        if (focusWidget() == Btn_Cancel)
            Btn_Start->setFocus(Qt::OtherFocusReason);
    }
    for (QWidget *input : {static_cast<QWidget *>(P_IP_Address), static_cast<QWidget *>(E_Port),
                           static_cast<QWidget *>(SE_Unit_ID), static_cast<QWidget *>(SE_Registers),
                           static_cast<QWidget *>(CB_Echo)})
        input->setEnabled(!running);
    for (QComboBox *box : std::as_const(m_function_boxes))
        box->setEnabled(!running);
    Btn_Start->setEnabled(!running);
    Btn_Cancel->setEnabled(running);
}

bool TFCheck_Device::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == E_IP1 || watched == E_IP2 || watched == E_IP3 || watched == E_IP4))
        return KeyPress(watched, static_cast<QKeyEvent *>(event));
    // A function reached with Tab scrolls into view in its table.
    if (event->type() == QEvent::FocusIn) {
        // Compared as objects: the fields share this filter and are no lists.
        for (int box = 0; box < m_function_boxes.size(); ++box)
            if (static_cast<QObject *>(m_function_boxes.at(box)) == watched)
                SG_Registers->scrollTo(SG_Registers->model()->index(m_first_row.at(box + 2), Col_Function));
    }
    return QDialog::eventFilter(watched, event);
}

bool TFCheck_Device::KeyPress(QObject *Sender, QKeyEvent *Key)
{
    return Octet_Key_Press({E_IP1, E_IP2, E_IP3, E_IP4}, Sender, Key);
}

void TFCheck_Device::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // Escape stops a check under way; the next one closes the window.
        if (Running())
            Btn_CancelClick();
        else
            reject();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter presses a focused button, and Start from anywhere else.
        if (auto *button = qobject_cast<TImageButton *>(focusWidget()))
            button->click();
        else if (!Running())
            Btn_StartClick();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

QString TFCheck_Device::Address_Text() const
{
    return E_IP1->text() + QLatin1Char('.') + E_IP2->text() + QLatin1Char('.') + E_IP3->text()
           + QLatin1Char('.') + E_IP4->text();
}

// The request from the fields, or false after telling what is wrong.
bool TFCheck_Device::Read_Inputs(TCheck_Request &request)
{
    QString parts[4];
    if (!Check_IP_Address(Address_Text(), parts[0], parts[1], parts[2], parts[3])) {
        Platform().Error_Box(this, Lang(Text::Error_Check_Address));
        Focus_And_Select(E_IP1);
        return false;
    }
    int32_t port = 0;
    if (!Try_Read_Integer(E_Port->text(), port) || port < 1 || port > 65535) {
        Platform().Error_Box(this, Lang(Text::Error_Check_Port));
        Focus_And_Select(E_Port);
        return false;
    }
    if (!m_problems.isEmpty()) {
        Platform().Error_Box(this, Lang(Text::Error_Check_ParGen) + QLatin1Char('\n') + m_problems.join(QLatin1Char('\n')));
        return false;
    }
    request = m_plan;
    // The numbers as the integer rule reads them ("0x7F" is 127).
    QStringList octets;
    for (const QString &part : parts)
        octets << QString::number(Read_Integer(part, 0));
    request.Map.Address = octets.join(QLatin1Char('.'));
    request.Map.Port = uint16_t(port);
    if (request.Map.Address != m_plan.Map.Address || request.Map.Port != m_plan.Map.Port)
        request.Source += QStringLiteral("; address and port typed for this check: %1:%2")
                              .arg(request.Map.Address, QString::number(request.Map.Port));
    request.Unit = SE_Unit_ID->value();
    request.Echo = CB_Echo->isChecked();
    return true;
}

void TFCheck_Device::Btn_StartClick()
{
    if (Running())
        return;
    SE_Unit_ID->interpretText();
    SE_Registers->interpretText();
    TCheck_Request request;
    if (!Read_Inputs(request))
        return;
    m_choices = {request.Unit, SE_Registers->value()};
    emit Choices_Used(m_choices);

    m_result.reset();
    m_log_error.clear();
    m_steps = Planned_Steps(request);
    for (int i = 0; i < m_steps.size(); ++i)
        Show_Step(i);
    m_run = std::make_shared<TRun>();
    const int serial = ++m_serial;
    const std::shared_ptr<TRun> run = m_run;
    const QString logFile = Check_Log_Path(m_project);
    // Each step's start and end is reported from the check's thread and shown
    // on this one; a report that comes after the check was collected is dropped.
    const TCheck_Progress progress = [this, serial](int index, const TCheck_Step &step) {
        QMetaObject::invokeMethod(
            this, [this, serial, index, step] { Step_Progress(serial, index, step); }, Qt::QueuedConnection);
    };
    m_worker.reset(QThread::create([run, request, logFile, progress] {
        run->Result = Run_Recorded_Check(request, logFile, &run->Log_Error, &run->Cancel, progress);
    }));
    connect(m_worker.get(), &QThread::finished, this, [this, serial] {
        if (serial == m_serial && Running())
            Collect(true);
    });
    // A version check started meanwhile would hold the window for its request.
    m_hold = std::make_unique<TTimer_Hold>();
    Set_Running(true);
    Show_Verdict();
    m_worker->start();
}

void TFCheck_Device::Step_Progress(int serial, int index, const TCheck_Step &step)
{
    if (serial != m_serial || !Running() || index < 0 || index >= m_steps.size())
        return;
    m_steps[index] = step;
    Show_Step(index);
}

void TFCheck_Device::Btn_CancelClick()
{
    if (Running())
        m_run->Cancel.Cancel();
}

void TFCheck_Device::Collect(bool show)
{
    m_worker->wait();
    m_worker.reset();
    m_hold.reset();
    const std::shared_ptr<TRun> run = std::move(m_run);
    if (!show)
        return;
    m_result = run->Result;
    m_log_error = run->Log_Error;
    m_steps = run->Result.Steps;
    for (int i = 0; i < m_steps.size(); ++i)
        Show_Step(i);
    Set_Running(false);
    Show_Verdict();
    Show_Log_Note();
}

void TFCheck_Device::Stop_Check(bool show)
{
    if (!Running())
        return;
    m_run->Cancel.Cancel();
    Collect(show);
}

void TFCheck_Device::done(int result)
{
    // Closing the window stops the check under way: its record is written
    // whole before the window goes.
    Stop_Check(true);
    QDialog::done(result);
}
