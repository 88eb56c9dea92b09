#include "check/UCheck_Device.h"

#include "common/UComon.h"
#include "lang/ULang.h"
#include "lang/UText.h"
#include "platform/UPlatform.h"
#include "ui/UInput_Blocker.h"
#include "ui/UOctet_Fields.h"
#include "check/UCheck_Log.h"
#include "check/UCheck_Result_Lines.h"
#include "check/UCheck_Tables.h"
#include "check/UCheck_Texts.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QUrl>

TFCheck_Device *FCheck_Device = nullptr;

// The settings file keeps the check's own defaults for a program that never checked.
static_assert(Default_Check_Unit_ID == Default_Unit && Default_Check_Registers == Default_Block_Count);

namespace {

const int Client_Width = 940;
const int Device_Panel_Height = 74;
// The tables at least this high, taller on a screen with room for all rows.
const int Result_Panel_Height = 276;
const int Verdict_Panel_Height = 61;
const int Button_Panel_Height = 40;
const int Margin = 16;
const int Button_Top = 6;
const int Button_Height = 28;
const int Button_Width = 110;
const int Button_Gap = 8;
// A window's title bar and borders, beyond its client area.
const int Frame_Allowance = 40;

QWidget *Create_Panel(QWidget *parent, const QString &name, int height)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->resize(Client_Width, height);
    return panel;
}

// A button as wide as its caption and icon need, at least as designed.
int Button_Width_For(const TImageButton *button)
{
    return qMax(Button_Width, button->fontMetrics().horizontalAdvance(button->Caption()) + Button_Height + 16);
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
    connect(&m_runner, &TCheck_Runner::Step_Changed, Tables, &TCheck_Tables::Show_Step);
    connect(&m_runner, &TCheck_Runner::Finished, this, &TFCheck_Device::Show_Result);
    connect(&m_runner, &TCheck_Runner::Round_Done, this, &TFCheck_Device::Show_Round);
    // Over the table's own copy of one cell; an edit field keeps its own.
    auto *copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, &TFCheck_Device::Copy_Registers);
    Show_Plan(true);
    Set_Lang();
    Set_Running(false);
}

// The runner stops a check under way and waits for it.
TFCheck_Device::~TFCheck_Device() = default;

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
    Set_Text_Colour(L_Source, Check_Quiet_Colour);

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
    Tables = new TCheck_Tables(P_Result, Client_Width - 2 * Margin, Result_Panel_Height);
    Tables->move(Margin, 0);
    connect(Tables, &TCheck_Tables::Function_Switched, this, [this] { Show_Plan(false); });

    Lines = new TCheck_Result_Lines(P_Result);
    L_Verdict = Lines->L_Verdict;
    L_Cause = Lines->L_Cause;
    L_Log = Lines->L_Log;
}

void TFCheck_Device::Create_Button_Panel()
{
    P_Button = Create_Panel(this, QStringLiteral("P_Button"), Button_Panel_Height);
    Btn_Log = new TImageButton(QStringLiteral("Btn_Log"), QStringLiteral(":/icons/log.svg"), P_Button);
    Btn_Copy = new TImageButton(QStringLiteral("Btn_Copy"), QStringLiteral(":/icons/copy.svg"), P_Button);
    Btn_Close = new TImageButton(QStringLiteral("Btn_Close"), QStringLiteral(":/icons/close.svg"), P_Button);
    Btn_Cancel = new TImageButton(QStringLiteral("Btn_Cancel"), QStringLiteral(":/icons/stop.svg"), P_Button);
    Btn_Watch = new TImageButton(QStringLiteral("Btn_Watch"), QStringLiteral(":/icons/watch.svg"), P_Button);
    Btn_Start = new TImageButton(QStringLiteral("Btn_Start"), QStringLiteral(":/icons/start.svg"), P_Button);
    connect(Btn_Log, &QAbstractButton::clicked, this, [this] { Open_Log(); });
    connect(Btn_Copy, &QAbstractButton::clicked, this, [this] { Copy_Registers(); });
    connect(Btn_Close, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, [this] { Btn_CancelClick(); });
    connect(Btn_Watch, &QAbstractButton::clicked, this, [this] { Btn_WatchClick(); });
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
        CB_Echo->setChecked(m_choices.Echo);
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
    Show_Buttons();
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
    m_result.reset();
    m_round.reset();
    Tables->Show_Plan(m_plan, newRows);
    if (newRows) {
        Set_Tab_Order();
        Fit_Size();
    }
    Show_Verdict();
}

void TFCheck_Device::Set_Tab_Order()
{
    QList<QWidget *> order{E_IP1, E_IP2, E_IP3, E_IP4, E_Port, SE_Unit_ID, SE_Registers, CB_Echo, Tables->SG_Registers};
    for (QComboBox *box : Tables->Function_Lists())
        order << box;
    order << Tables->SG_Steps << Btn_Log << Btn_Copy << Btn_Close << Btn_Cancel << Btn_Watch << Btn_Start;
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
        {L_Registers, SE_Registers, Text::Check_Registers, Text::Check_Registers_Hint}};
    for (const auto &[label, control, caption, hint] : captioned)
        Set_Caption(label, control, Lang(caption), Lang(hint));
    CB_Echo->setText(Lang(Text::Check_Echo));
    Set_Hint(CB_Echo, Lang(Text::Check_Echo_Hint));
    const QList<std::tuple<TImageButton *, int, int>> buttons{
        {Btn_Log, Text::Check_Open_Log, Text::Check_Open_Log_Hint},
        {Btn_Copy, Text::Check_Copy, Text::Check_Copy_Hint},
        {Btn_Close, Text::Check_Close, Text::Check_Close_Hint},
        {Btn_Watch, Text::Check_Watch, Text::Check_Watch_Hint},
        {Btn_Start, Text::Check_Start, Text::Check_Start_Hint}};
    for (const auto &[button, caption, hint] : buttons) {
        button->Set_Caption(Lang(caption));
        button->Set_Hint(Lang(hint));
    }
    Show_Buttons();

    Tables->Set_Lang();
    Fit_Size();
    Show_Source();
    Show_Verdict();
    Show_Log_Note();
}

// Cancel ends a watch as Stop; Open Log is there once the record is.
void TFCheck_Device::Show_Buttons()
{
    Btn_Cancel->Set_Caption(Lang(m_watching ? Text::Check_Stop : Text::Check_Cancel));
    Btn_Cancel->Set_Hint(Lang(m_watching ? Text::Check_Stop_Hint : Text::Check_Cancel_Hint));
    Btn_Log->setEnabled(QFileInfo(Check_Log_Path(m_project)).isFile());
}

// The window as wide as its tables (as a language with longer words needs)
// and its buttons, at least as designed; the tables as tall as their rows
// need where the screen has room, at least as designed. Its panels, lines and
// buttons follow.
void TFCheck_Device::Fit_Size()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int others = Title.P_Title->height() + P_Device->height() + Verdict_Panel_Height + Button_Panel_Height;
    const int room = screen ? screen->availableGeometry().height() - Frame_Allowance - others : 0;
    const int tables = qMax(Result_Panel_Height, qMin(Tables->Registers_Height(), room));
    Tables->Set_Height(tables);

    int buttons = 2 * Margin + Margin;
    for (TImageButton *button : {Btn_Log, Btn_Copy, Btn_Close, Btn_Cancel, Btn_Watch, Btn_Start})
        buttons += Button_Width_For(button) + Button_Gap;
    const int width = qMax(2 * Margin + Tables->width(), buttons - Button_Gap);
    P_Result->resize(width, tables + Verdict_Panel_Height);
    Lines->setGeometry(Margin, tables, width - 2 * Margin, Verdict_Panel_Height);
    int y = 0;
    for (QWidget *panel : {Title.P_Title, P_Device, P_Result, P_Button}) {
        panel->setGeometry(0, y, width, panel->height());
        y += panel->height();
    }
    L_Source->setFixedWidth(width - 2 * Margin);
    Place_Buttons(width);
    Set_Fixed_Client_Size(this, width, y);
}

// The record's buttons at the left margin; the check's at the right, the one
// that starts it last. Each as wide as its caption needs, at least as designed.
void TFCheck_Device::Place_Buttons(int width)
{
    const auto place = [](const QList<TImageButton *> &buttons, int left) {
        for (TImageButton *button : buttons) {
            button->setGeometry(left, Button_Top, Button_Width_For(button), Button_Height);
            left += button->width() + Button_Gap;
        }
        return left - Button_Gap;
    };
    place({Btn_Log, Btn_Copy}, Margin);
    const QList<TImageButton *> right{Btn_Close, Btn_Cancel, Btn_Watch, Btn_Start};
    const int end = place(right, 0);
    place(right, width - Margin - end);
}

void TFCheck_Device::Show_Verdict()
{
    Lines->Show_Verdict(Running(), m_result, m_round);
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
    Set_Text_Colour(L_Source, m_problems.isEmpty() && m_source == TSource::ParGen ? Check_Quiet_Colour
                                                                                  : Check_Failed_Colour);
    Set_Fitted_Text(L_Source, text);
    if (m_source == TSource::Damaged && m_problems.isEmpty())
        Set_Hint(L_Source, m_plan.Source);
}

void TFCheck_Device::Show_Log_Note()
{
    Lines->Show_Log_Note(Check_Log_Path(m_project), m_log_error);
}

void TFCheck_Device::Set_Running(bool running)
{
    // The focus moves to the button that ends what runs, and back, before the
    // control that holds it is switched off.
    if (running) {
        Btn_Cancel->setEnabled(true);
        QWidget *focus = focusWidget();
        if (!focus || focus == Btn_Start || focus == Btn_Watch || P_Device->isAncestorOf(focus)
            || Tables->Function_Lists().contains(qobject_cast<QComboBox *>(focus)))
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
    Tables->Set_Running(running);
    Btn_Start->setEnabled(!running);
    Btn_Watch->setEnabled(!running);
    Btn_Cancel->setEnabled(running);
    Show_Buttons();
}

bool TFCheck_Device::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == E_IP1 || watched == E_IP2 || watched == E_IP3 || watched == E_IP4))
        return KeyPress(watched, static_cast<QKeyEvent *>(event));
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
        // One who works with the keys sees where the focus goes from here on
        // (to Cancel and back to Start), as after a Tab.
        setAttribute(Qt::WA_KeyboardFocusChange);
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
    Tables->Apply_Functions(request.Map);
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
    Start(false);
}

void TFCheck_Device::Btn_WatchClick()
{
    Start(true);
}

void TFCheck_Device::Start(bool watch)
{
    if (Running())
        return;
    SE_Unit_ID->interpretText();
    SE_Registers->interpretText();
    TCheck_Request request;
    if (!Read_Inputs(request))
        return;
    m_choices = {request.Unit, SE_Registers->value(), request.Echo};
    emit Choices_Used(m_choices);

    request.Watch_Every_Ms = watch ? Watch_Interval_Ms : 0;
    m_result.reset();
    m_round.reset();
    m_watching = watch;
    m_log_error.clear();
    Tables->Begin(request);
    m_runner.Start(request, Check_Log_Path(m_project));
    // A version check started meanwhile would hold the window for its request.
    m_hold = std::make_unique<TTimer_Hold>();
    Set_Running(true);
    Show_Verdict();
}

void TFCheck_Device::Btn_CancelClick()
{
    m_runner.Cancel();
}

void TFCheck_Device::Show_Round(const TCheck_Result &round)
{
    m_round = round;
    Tables->Show_Round(round);
    Show_Verdict();
}

void TFCheck_Device::Show_Result(const TCheck_Result &result, const QString &logError)
{
    m_hold.reset();
    m_result = result;
    m_round.reset();
    m_watching = false;
    m_log_error = logError;
    Tables->Show_Result(result);
    Set_Running(false);
    Show_Verdict();
    Show_Log_Note();
}

void TFCheck_Device::Copy_Registers()
{
    QGuiApplication::clipboard()->setText(Tables->Registers_Text());
}

void TFCheck_Device::Open_Log()
{
    Platform().Open_Url(QUrl::fromLocalFile(Check_Log_Path(m_project)).toString());
}

void TFCheck_Device::done(int result)
{
    // Closing the window stops the check under way: its record is written
    // whole before the window goes.
    m_runner.Stop();
    QDialog::done(result);
}
