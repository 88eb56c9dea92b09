#include "update/UBoot.h"

#include "ui/UInput_Blocker.h"
#include "ui/UOctet_Fields.h"
#include "platform/UPlatform.h"
#include "platform/UProcess.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "update/UJob_File.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QThread>
#include "lang/UText.h"

TFBoot *FBoot = nullptr;

namespace {

const int Client_Width = 449;
const int Title_Height = 69;
const int IP_Panel_Height = 49;
const int Options_Panel_Height = 72;
const int Button_Panel_Height = 40;
// The buttons end at the right margin the fields keep on the left, as high
// as the other dialogs' buttons and as far from the bottom.
const int Margin = 16;
const int Button_Top = 6;
const int Button_Height = 28;
const int Button_Gap = 8;
const int Cancel_Width = 110;
const int Update_Width = 192;

QWidget *Create_Panel(QWidget *parent, const QString &name, int height)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->resize(Client_Width, height);
    return panel;
}

// Clears a flag when the handler that set it returns, on every path.
struct TFlag_Guard
{
    explicit TFlag_Guard(bool &flag) : m_flag(flag) { m_flag = true; }
    ~TFlag_Guard() { m_flag = false; }
    bool &m_flag;
};

} // namespace

TFBoot::TFBoot(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FBoot"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Title = Create_Title_Band(this, Client_Width);

    P_IP_Address = Create_Panel(this, QStringLiteral("P_IP_Address"), IP_Panel_Height);
    L_IP_Address = Create_Label(P_IP_Address, QStringLiteral("L_IP_Address"), 16, 5);
    E_IP1 = Create_IP_Field(QStringLiteral("E_IP1"), 16);
    Label2 = Create_Dot(QStringLiteral("Label2"), 60);
    E_IP2 = Create_IP_Field(QStringLiteral("E_IP2"), 68);
    Label3 = Create_Dot(QStringLiteral("Label3"), 112);
    E_IP3 = Create_IP_Field(QStringLiteral("E_IP3"), 120);
    Label4 = Create_Dot(QStringLiteral("Label4"), 164);
    E_IP4 = Create_IP_Field(QStringLiteral("E_IP4"), 172);

    P_Options = Create_Panel(this, QStringLiteral("P_Options"), Options_Panel_Height);
    L_Update_Option = Create_Label(P_Options, QStringLiteral("L_Update_Option"), 16, 5);
    CB_Update_Options = new QComboBox(P_Options);
    CB_Update_Options->setObjectName(QStringLiteral("CB_Update_Options"));
    CB_Update_Options->setEditable(false);
    CB_Update_Options->setGeometry(16, 21, 220, 21);
    CB_Update_Option_Read_Back = new QCheckBox(P_Options);
    CB_Update_Option_Read_Back->setObjectName(QStringLiteral("CB_Update_Option_Read_Back"));
    CB_Update_Option_Read_Back->setGeometry(16, 48, 220, 18);

    P_Button = Create_Panel(this, QStringLiteral("P_Button"), Button_Panel_Height);
    Btn_Cancel = new TImageButton(QStringLiteral("Btn_Cancel"), QStringLiteral(":/icons/cancel.svg"),
                                  P_Button);
    const int updateLeft = Client_Width - Margin - Update_Width;
    Btn_Cancel->setGeometry(updateLeft - Button_Gap - Cancel_Width, Button_Top, Cancel_Width,
                            Button_Height);
    Btn_Update = new TImageButton(QStringLiteral("Btn_Update"), QStringLiteral(":/icons/update.svg"),
                                  P_Button);
    Btn_Update->setGeometry(updateLeft, Button_Top, Update_Width, Button_Height);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(Btn_Update, &QAbstractButton::clicked, this, [this] { Btn_UpdateClick(); });

    setTabOrder(E_IP1, E_IP2);
    setTabOrder(E_IP2, E_IP3);
    setTabOrder(E_IP3, E_IP4);
    setTabOrder(E_IP4, CB_Update_Options);
    setTabOrder(CB_Update_Options, CB_Update_Option_Read_Back);
    setTabOrder(CB_Update_Option_Read_Back, Btn_Cancel);
    setTabOrder(Btn_Cancel, Btn_Update);

    Arrange_Panels();
    Set_Label_Text(Title.L_SW_Code, SW_Code);
    Pair_Labels(this, {{QStringLiteral("L_IP_Address"), QStringLiteral("E_IP1")},
                       {QStringLiteral("L_Update_Option"), QStringLiteral("CB_Update_Options")}});
    Set_Lang();
}

QLineEdit *TFBoot::Create_IP_Field(const QString &name, int left)
{
    auto *field = new QLineEdit(QStringLiteral("0"), P_IP_Address);
    field->setObjectName(name);
    field->setGeometry(left, 21, 41, 21);
    Accept_Only_Storable_Text(field);
    field->installEventFilter(this);
    return field;
}

QLabel *TFBoot::Create_Dot(const QString &name, int left)
{
    QLabel *dot = Create_Label(P_IP_Address, name, left, 25);
    Set_Label_Text(dot, QStringLiteral("."));
    return dot;
}

// The panels stand one under the other in their order, the buttons at the
// bottom, and the client area is exactly as high as the four together.
void TFBoot::Arrange_Panels()
{
    int top = 0;
    for (QWidget *panel : {Title.P_Title, P_IP_Address, P_Options, P_Button}) {
        panel->show();
        panel->move(0, top);
        top += panel->height();
    }
    Set_Fixed_Client_Size(this, Client_Width, top);
}

void TFBoot::Set_Lang()
{
    setWindowTitle(Lang(Text::Boot_Title));
    Set_Label_Text(Title.L_SW_Desc, Lang(Text::Boot_Subtitle));
    Set_Label_Text(L_IP_Address, Lang(Text::Boot_IP_Address));
    Set_Hint(E_IP1, Lang(Text::Boot_IP1_Hint));
    Set_Hint(E_IP2, Lang(Text::Boot_IP2_Hint));
    Set_Hint(E_IP3, Lang(Text::Boot_IP3_Hint));
    Set_Hint(E_IP4, Lang(Text::Boot_IP4_Hint));
    Set_Label_Text(L_Update_Option, Lang(Text::Update_Options));
    CB_Update_Options->clear();
    CB_Update_Options->addItems({Lang(Text::Update_Firmware_And_Configuration), Lang(Text::Update_Firmware), Lang(Text::Update_Configuration)});
    CB_Update_Options->setCurrentIndex(0);
    Set_Hint(CB_Update_Options, Lang(Text::Update_Options_Hint));
    CB_Update_Option_Read_Back->setText(Lang(Text::Read_Back));
    Set_Hint(CB_Update_Option_Read_Back, Lang(Text::Read_Back_Hint));
    Btn_Cancel->Set_Caption(Lang(Text::Boot_Cancel));
    Btn_Cancel->Set_Hint(Lang(Text::Boot_Cancel_Hint));
    Btn_Update->Set_Caption(Lang(Text::Execute_Update));
    Btn_Update->Set_Hint(Lang(Text::Execute_Update_Hint));
}

void TFBoot::showEvent(QShowEvent *event)
{
    // Restoring the minimised dialog shows it again (spontaneously): what the
    // user typed stays.
    if (!event->spontaneous()) {
        FormShow();
        Center_On_Screen(this);
    }
    QDialog::showEvent(event);
}

void TFBoot::FormShow()
{
    Set_Lang();
    Set_Label_Text(Title.L_SW_Code, SW_Code);
    Arrange_Panels();
    QString parts[4];
    if (!Last_IP_Address.isEmpty()
        && Check_IP_Address(Last_IP_Address, parts[0], parts[1], parts[2], parts[3])) {
        E_IP1->setText(parts[0]);
        E_IP2->setText(parts[1]);
        E_IP3->setText(parts[2]);
        E_IP4->setText(parts[3]);
    }
    // An index the list does not hold shows its first option.
    const bool known = Update_Option >= 0 && Update_Option < CB_Update_Options->count();
    CB_Update_Options->setCurrentIndex(known ? Update_Option : 0);
    CB_Update_Option_Read_Back->setChecked(Read_Back);
    if (E_IP1->isEnabled())
        Focus_And_Select(E_IP1);
}

bool TFBoot::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == E_IP1 || watched == E_IP2 || watched == E_IP3 || watched == E_IP4))
        return KeyPress(watched, static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

bool TFBoot::KeyPress(QObject *Sender, QKeyEvent *Key)
{
    return Octet_Key_Press({E_IP1, E_IP2, E_IP3, E_IP4}, Sender, Key);
}

QString TFBoot::Address_Text() const
{
    return E_IP1->text() + QLatin1Char('.') + E_IP2->text() + QLatin1Char('.') + E_IP3->text()
           + QLatin1Char('.') + E_IP4->text();
}

void TFBoot::PingReply(const TEcho_Reply &AReplyStatus)
{
    ping_res = AReplyStatus.Bytes_Received > 0 ? 1 : 2;
}

bool TFBoot::Send_Ping()
{
    ping_res = 0;
    m_cancelled = false;
    // The test lets the windows take clicks, but no version check may start inside it.
    const TTimer_Hold hold;
    const uint32_t T0 = Tick_Count();
    const QString host = Address_Text();
    const QByteArray data = host.toUtf8();
    int Count = 0;
    for (;;) {
        const TEcho_Reply reply = Platform().Echo_Request(host, data, Ping_Timeout_Ms);
        if (!reply.Sent)
            return false;
        PingReply(reply);
        // One short pause per echo in which the windows catch up.
        QThread::msleep(10);
        QCoreApplication::processEvents();
        if (m_cancelled)
            return false;
        if (ping_res == 1)
            ++Count;
        if (Count >= 2 || uint32_t(Tick_Count() - T0) > Ping_Limit_Ms)
            break;
    }
    return ping_res == 1;
}

void TFBoot::done(int result)
{
    // Closing the dialog during the test abandons the update.
    if (m_busy)
        m_cancelled = true;
    QDialog::done(result);
}

void TFBoot::Btn_UpdateClick()
{
    // A click that arrives while the test or the updater runs is not a new request.
    if (m_busy)
        return;
    const TFlag_Guard busy(m_busy);
    const QDateTime started = QDateTime::currentDateTime();
    const bool answered = Send_Ping();
    if (m_cancelled) {
        Record_Update(started, TUpdate_End::Cancelled);
        return;
    }
    if (!answered) {
        if (ping_res == 2)
            Platform().Warning_Box(this, Lang(Text::Device_Not_Found));
        else
            Platform().Error_Box(this, Lang(Text::Check_IP_Address));
        Record_Update(started, ping_res == 2 ? TUpdate_End::No_Echo_Answer : TUpdate_End::Echo_Not_Sent);
        return;
    }
    emit Update_Confirmed({Address_Text(), CB_Update_Options->currentIndex(),
                           CB_Update_Option_Read_Back->isChecked()});
    QString error;
    if (!Compile_XML_Parameter(&error)) {
        Platform().Error_Box(this, error);
        Record_Update(started, TUpdate_End::Job_Not_Written, error);
        return;
    }
    const QString program = Updater_Program_Path(Path_Exe);
    TUpdate_Run run;
    run.Started = started;
    Set_Updater_End(run, Run_Updater ? Run_Updater(program, QString(), false) : Not_Started_Result(program),
                    program);
    Append_Record(run);
}

void TFBoot::Record_Update(const QDateTime &started, TUpdate_End end, const QString &detail)
{
    TUpdate_Run run;
    run.Started = started;
    run.End = end;
    run.Detail = detail;
    Append_Record(run);
}

// The record belongs to a configuration; the main window opens the dialog
// only with one open.
void TFBoot::Append_Record(TUpdate_Run run)
{
    if (Path_Project.isEmpty())
        return;
    run.Device_Address = Address_Text();
    run.Option = CB_Update_Options->currentIndex();
    run.With_Read_Back = CB_Update_Option_Read_Back->isChecked();
    Note_Configuration(run, Path_Project);
    QString error;
    if (!Append_Update_Log(Update_Log_Path(Path_Project), run, &error))
        Platform().Warning_Box(this, Lang(Text::Update_Log_Failed).arg(error));
}

bool TFBoot::Compile_XML_Parameter(QString *error)
{
    Build_Job_Document(XML1, Address_Text(), CB_Update_Options->currentIndex(),
                       CB_Update_Option_Read_Back->isChecked(), Path_Master, Path_Project);
    return XML1.Save_File(Job_File_Path(Path_Exe), error);
}
