#include "params/UParGen.h"

#include "platform/UPlatform.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "params/UParGen_Check.h"
#include "params/UParGen_Lists.h"
#include "ui/UDefault_Button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>
#include "lang/UText.h"

TFParGen *FParGen = nullptr;

namespace {

constexpr int Group_Left = 8;
// The top of the groups' panel.
constexpr int Group_Top = 70;
constexpr int Group_Width = 296;
constexpr int Group_Gap = 6;
constexpr int Collapsed_Height = 26;
constexpr int Group_Bottom_Margin = 15;
constexpr int Button_Gap = 13;
constexpr int Client_Width = 312;
constexpr int Client_Bottom_Margin = 54;
constexpr int Label_Left = 16;
constexpr int Label_Drop = 3;
constexpr int Octet_Lefts[4] = {16, 82, 148, 214};
constexpr int Octet_Width = 60;

QComboBox *Create_List(QWidget *group, const QString &name, int top, const QStringList &items)
{
    auto *list = new QComboBox(group);
    list->setObjectName(name);
    list->setGeometry(82, top, 192, 22);
    list->addItems(items);
    return list;
}

QLineEdit *Create_Edit(QWidget *group, const QString &name, int left, int top, int width)
{
    auto *edit = new QLineEdit(group);
    edit->setObjectName(name);
    edit->setGeometry(left, top, width, 21);
    Accept_Only_Storable_Text(edit);
    return edit;
}

// A label or check box in the left column, 3 below the top of its row's input.
QLabel *Create_Row_Label(QWidget *group, const QString &name, int rowTop)
{
    return Create_Label(group, name, Label_Left, rowTop + Label_Drop);
}

QCheckBox *Create_Check(QWidget *group, const QString &name, int top, int width)
{
    auto *check = new QCheckBox(group);
    check->setObjectName(name);
    check->setGeometry(Label_Left, top, width, 17);
    return check;
}

TImageButton *Create_Corner_Button(QWidget *group, const QString &name, const QString &icon)
{
    auto *button = new TImageButton(name, icon, group, true);
    button->setGeometry(280, 10, 11, 11);
    return button;
}

// Four octet edits side by side with a "." between neighbours.
void Create_Octet_Row(QWidget *group, const QString &prefix, int top, QLineEdit *edits[4])
{
    for (int i = 0; i < 4; ++i) {
        edits[i] = Create_Edit(group, prefix + QString::number(i + 1), Octet_Lefts[i], top,
                               Octet_Width);
        if (i > 0) {
            QLabel *dot = Create_Label(group, prefix + QStringLiteral("_Dot") + QString::number(i),
                                       Octet_Lefts[i] - 5, top + 4);
            Set_Label_Text(dot, QStringLiteral("."));
        }
    }
}

int Bottom(const QWidget *widget)
{
    return widget->y() + widget->height();
}

} // namespace

TFParGen::TFParGen(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FParGen"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Title = Create_Title_Band(this, Client_Width);
    Set_Label_Text(Title.L_SW_Code, SW_Code);

    P_Groups = new TScroll_Panel(this, QStringLiteral("P_Groups"));
    Create_Serial_Group();
    Create_ModbusTCPSlave_Group();
    Btn_OK = new TImageButton(QStringLiteral("Btn_OK"), QStringLiteral(":/icons/ok.svg"), this);
    Btn_Cancel = new TImageButton(QStringLiteral("Btn_Cancel"), QStringLiteral(":/icons/cancel.svg"), this);
    connect(Btn_OK, &QAbstractButton::clicked, this, &TFParGen::Btn_OKClick);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &TFParGen::Btn_CancelClick);
    Set_Default_Button(this, Btn_OK);

    m_controls = {CB_Serial_Serial, CB_Serial_Baud, CB_Serial_Parity, CB_Serial_SendType,
                  E_Serial_ST_EndChar, E_Serial_ST_NumByte, E_Serial_TimeOut, CB_Serial_DataBits,
                  CB_Serial_Time_Wait_RX, E_Serial_Time_Wait_RX,
                  E_ModbusTCPSlave_IP1, E_ModbusTCPSlave_IP2, E_ModbusTCPSlave_IP3, E_ModbusTCPSlave_IP4,
                  E_ModbusTCPSlave_SM1, E_ModbusTCPSlave_SM2, E_ModbusTCPSlave_SM3, E_ModbusTCPSlave_SM4,
                  E_ModbusTCPSlave_GAT1, E_ModbusTCPSlave_GAT2, E_ModbusTCPSlave_GAT3,
                  E_ModbusTCPSlave_GAT4, CB_ModbusTCPSlave_En_GAT, E_ModbusTCPSlave_Port,
                  E_ModbusTCPSlave_Start_Read, E_ModbusTCPSlave_Start_Write, E_ModbusTCPSlave_Control,
                  E_ModbusTCPSlave_Status, CB_ModbusTCPSlave_NumBytesRX, E_ModbusTCPSlave_NumBytesRX};
    m_octets = {E_ModbusTCPSlave_IP1, E_ModbusTCPSlave_IP2, E_ModbusTCPSlave_IP3, E_ModbusTCPSlave_IP4,
                E_ModbusTCPSlave_SM1, E_ModbusTCPSlave_SM2, E_ModbusTCPSlave_SM3, E_ModbusTCPSlave_SM4,
                E_ModbusTCPSlave_GAT1, E_ModbusTCPSlave_GAT2, E_ModbusTCPSlave_GAT3, E_ModbusTCPSlave_GAT4};
    for (QLineEdit *octet : m_octets)
        octet->installEventFilter(this);

    // The values a control holds before any file was read; they are what the
    // dialog shows when the first file it meets cannot be read.
    Set_Creation_Values();
    Connect_Change_Events();
    Collapse_Expand_Creation();
    Move_GroupBoxs();
    Pair_Labels(this, {{QStringLiteral("L_Serial_Serial"), QStringLiteral("CB_Serial_Serial")},
                       {QStringLiteral("L_Serial_Baud"), QStringLiteral("CB_Serial_Baud")},
                       {QStringLiteral("L_Serial_Par"), QStringLiteral("CB_Serial_Parity")},
                       {QStringLiteral("L_Serial_DataBits"), QStringLiteral("CB_Serial_DataBits")},
                       {QStringLiteral("L_Serial_SendType"), QStringLiteral("CB_Serial_SendType")},
                       {QStringLiteral("L_Serial_ST_EndChar"), QStringLiteral("E_Serial_ST_EndChar")},
                       {QStringLiteral("L_Serial_ST_NumByte"), QStringLiteral("E_Serial_ST_NumByte")},
                       {QStringLiteral("CB_Serial_TimeOut"), QStringLiteral("E_Serial_TimeOut")},
                       {QStringLiteral("L_ModbusTCPSlave_IP_Add"), QStringLiteral("E_ModbusTCPSlave_IP1")},
                       {QStringLiteral("L_ModbusTCPSlave_SM_Add"), QStringLiteral("E_ModbusTCPSlave_SM1")},
                       {QStringLiteral("L_ModbusTCPSlave_Port"), QStringLiteral("E_ModbusTCPSlave_Port")},
                       {QStringLiteral("L_ModbusTCPSlave_Start_Read"), QStringLiteral("E_ModbusTCPSlave_Start_Read")},
                       {QStringLiteral("L_ModbusTCPSlave_Start_Write"), QStringLiteral("E_ModbusTCPSlave_Start_Write")},
                       {QStringLiteral("L_ModbusTCPSlave_Control"), QStringLiteral("E_ModbusTCPSlave_Control")},
                       {QStringLiteral("L_ModbusTCPSlave_Status"), QStringLiteral("E_ModbusTCPSlave_Status")}});
    Set_Lang();
}

void TFParGen::Create_Serial_Group()
{
    GB_Serial = new QGroupBox(P_Groups->widget());
    GB_Serial->setObjectName(QStringLiteral("GB_Serial"));
    GB_Serial->setGeometry(Group_Left, 0, Group_Width, 329);
    QWidget *g = GB_Serial;

    L_Serial_Serial = Create_Row_Label(g, QStringLiteral("L_Serial_Serial"), 21);
    CB_Serial_Serial = Create_List(g, QStringLiteral("CB_Serial_Serial"), 21,
                                   ParGen_List_Items(PG_Serial_Serial, Lang_Strings));
    L_Serial_Baud = Create_Row_Label(g, QStringLiteral("L_Serial_Baud"), 55);
    CB_Serial_Baud = Create_List(g, QStringLiteral("CB_Serial_Baud"), 55,
                                 ParGen_List_Items(PG_Serial_Baud, Lang_Strings));
    L_Serial_Par = Create_Row_Label(g, QStringLiteral("L_Serial_Par"), 89);
    CB_Serial_Parity = Create_List(g, QStringLiteral("CB_Serial_Parity"), 89,
                                   ParGen_List_Items(PG_Serial_Parity, Lang_Strings));
    L_Serial_DataBits = Create_Row_Label(g, QStringLiteral("L_Serial_DataBits"), 123);
    CB_Serial_DataBits = Create_List(g, QStringLiteral("CB_Serial_DataBits"), 123,
                                     ParGen_List_Items(PG_Serial_DataBits, Lang_Strings));
    L_Serial_SendType = Create_Row_Label(g, QStringLiteral("L_Serial_SendType"), 157);
    CB_Serial_SendType = Create_List(g, QStringLiteral("CB_Serial_SendType"), 157, {});
    L_Serial_ST_EndChar = Create_Row_Label(g, QStringLiteral("L_Serial_ST_EndChar"), 191);
    E_Serial_ST_EndChar = Create_Edit(g, QStringLiteral("E_Serial_ST_EndChar"), 148, 191, 126);
    L_Serial_ST_NumByte = Create_Row_Label(g, QStringLiteral("L_Serial_ST_NumByte"), 225);
    E_Serial_ST_NumByte = Create_Edit(g, QStringLiteral("E_Serial_ST_NumByte"), 148, 225, 126);
    CB_Serial_TimeOut = Create_Row_Label(g, QStringLiteral("CB_Serial_TimeOut"), 259);
    E_Serial_TimeOut = Create_Edit(g, QStringLiteral("E_Serial_TimeOut"), 148, 259, 126);
    CB_Serial_Time_Wait_RX = Create_Check(g, QStringLiteral("CB_Serial_Time_Wait_RX"), 293 + Label_Drop, 130);
    E_Serial_Time_Wait_RX = Create_Edit(g, QStringLiteral("E_Serial_Time_Wait_RX"), 148, 293, 126);

    Btn_Serial_Collapse = Create_Corner_Button(g, QStringLiteral("Btn_Serial_Collapse"),
                                               QStringLiteral(":/icons/collapse.svg"));
    Btn_Serial_Expande = Create_Corner_Button(g, QStringLiteral("Btn_Serial_Expande"),
                                              QStringLiteral(":/icons/expand.svg"));
}

void TFParGen::Create_ModbusTCPSlave_Group()
{
    GB_ModbusTCPSlave = new QGroupBox(P_Groups->widget());
    GB_ModbusTCPSlave->setObjectName(QStringLiteral("GB_ModbusTCPSlave"));
    GB_ModbusTCPSlave->setGeometry(Group_Left, 335, Group_Width, 395);
    QWidget *g = GB_ModbusTCPSlave;
    const QString prefix = QStringLiteral("E_ModbusTCPSlave_");

    L_ModbusTCPSlave_IP_Add = Create_Label(g, QStringLiteral("L_ModbusTCPSlave_IP_Add"), Label_Left, 24);
    QLineEdit *ip[4];
    Create_Octet_Row(g, prefix + QStringLiteral("IP"), 43, ip);
    E_ModbusTCPSlave_IP1 = ip[0];
    E_ModbusTCPSlave_IP2 = ip[1];
    E_ModbusTCPSlave_IP3 = ip[2];
    E_ModbusTCPSlave_IP4 = ip[3];
    L_ModbusTCPSlave_SM_Add = Create_Label(g, QStringLiteral("L_ModbusTCPSlave_SM_Add"), Label_Left, 79);
    QLineEdit *sm[4];
    Create_Octet_Row(g, prefix + QStringLiteral("SM"), 98, sm);
    E_ModbusTCPSlave_SM1 = sm[0];
    E_ModbusTCPSlave_SM2 = sm[1];
    E_ModbusTCPSlave_SM3 = sm[2];
    E_ModbusTCPSlave_SM4 = sm[3];
    CB_ModbusTCPSlave_En_GAT = Create_Check(g, QStringLiteral("CB_ModbusTCPSlave_En_GAT"), 134, 264);
    QLineEdit *gat[4];
    Create_Octet_Row(g, prefix + QStringLiteral("GAT"), 154, gat);
    E_ModbusTCPSlave_GAT1 = gat[0];
    E_ModbusTCPSlave_GAT2 = gat[1];
    E_ModbusTCPSlave_GAT3 = gat[2];
    E_ModbusTCPSlave_GAT4 = gat[3];

    L_ModbusTCPSlave_Port = Create_Row_Label(g, QStringLiteral("L_ModbusTCPSlave_Port"), 188);
    E_ModbusTCPSlave_Port = Create_Edit(g, prefix + QStringLiteral("Port"), 82, 188, 192);
    L_ModbusTCPSlave_Start_Read = Create_Row_Label(g, QStringLiteral("L_ModbusTCPSlave_Start_Read"), 222);
    E_ModbusTCPSlave_Start_Read = Create_Edit(g, prefix + QStringLiteral("Start_Read"), 148, 222, 126);
    L_ModbusTCPSlave_Start_Write = Create_Row_Label(g, QStringLiteral("L_ModbusTCPSlave_Start_Write"), 256);
    E_ModbusTCPSlave_Start_Write = Create_Edit(g, prefix + QStringLiteral("Start_Write"), 148, 256, 126);
    L_ModbusTCPSlave_Control = Create_Row_Label(g, QStringLiteral("L_ModbusTCPSlave_Control"), 290);
    E_ModbusTCPSlave_Control = Create_Edit(g, prefix + QStringLiteral("Control"), 148, 290, 126);
    L_ModbusTCPSlave_Status = Create_Row_Label(g, QStringLiteral("L_ModbusTCPSlave_Status"), 324);
    E_ModbusTCPSlave_Status = Create_Edit(g, prefix + QStringLiteral("Status"), 148, 324, 126);
    CB_ModbusTCPSlave_NumBytesRX = Create_Check(g, QStringLiteral("CB_ModbusTCPSlave_NumBytesRX"), 361, 130);
    E_ModbusTCPSlave_NumBytesRX = Create_Edit(g, prefix + QStringLiteral("NumBytesRX"), 148, 359, 126);

    Btn_ModbusTCPSlave_Collapse = Create_Corner_Button(g, QStringLiteral("Btn_ModbusTCPSlave_Collapse"),
                                                       QStringLiteral(":/icons/collapse.svg"));
    Btn_ModbusTCPSlave_Expande = Create_Corner_Button(g, QStringLiteral("Btn_ModbusTCPSlave_Expande"),
                                                      QStringLiteral(":/icons/expand.svg"));
}

void TFParGen::Set_Creation_Values()
{
    CB_Serial_Serial->setCurrentIndex(0);
    CB_Serial_Baud->setCurrentIndex(7);
    CB_Serial_Parity->setCurrentIndex(0);
    CB_Serial_DataBits->setCurrentIndex(1);
    for (QLineEdit *edit : {E_Serial_ST_EndChar, E_Serial_ST_NumByte, E_Serial_TimeOut,
                            E_Serial_Time_Wait_RX, E_ModbusTCPSlave_Port, E_ModbusTCPSlave_Start_Read,
                            E_ModbusTCPSlave_Start_Write, E_ModbusTCPSlave_Control,
                            E_ModbusTCPSlave_Status, E_ModbusTCPSlave_NumBytesRX})
        edit->setText(QStringLiteral("0"));
    const char *octets[12] = {"192", "168", "0", "5", "255", "255", "255", "0", "192", "168", "0", "1"};
    for (int i = 0; i < 12; ++i)
        m_octets[i]->setText(QLatin1String(octets[i]));
}

void TFParGen::Connect_Change_Events()
{
    for (QWidget *control : m_controls) {
        if (auto *list = qobject_cast<QComboBox *>(control))
            connect(list, &QComboBox::currentIndexChanged, this, &TFParGen::On_Change);
        else if (auto *check = qobject_cast<QCheckBox *>(control))
            connect(check, &QCheckBox::toggled, this, &TFParGen::On_Change);
        else if (auto *edit = qobject_cast<QLineEdit *>(control))
            connect(edit, &QLineEdit::textChanged, this, &TFParGen::On_Change);
    }
    for (TImageButton *button : {Btn_Serial_Collapse, Btn_ModbusTCPSlave_Collapse})
        connect(button, &QAbstractButton::clicked, this, [this, button] { Btn_GB_Collapse(button); });
    for (TImageButton *button : {Btn_Serial_Expande, Btn_ModbusTCPSlave_Expande})
        connect(button, &QAbstractButton::clicked, this, [this, button] { Btn_GB_Expande(button); });
}

void TFParGen::Collapse_Expand_Creation()
{
    GB_Serial_Visible = true;
    GB_ModbusTCPSlave_Visible = true;
    for (TImageButton *button : {Btn_Serial_Collapse, Btn_ModbusTCPSlave_Collapse})
        button->show();
    for (TImageButton *button : {Btn_Serial_Expande, Btn_ModbusTCPSlave_Expande})
        button->hide();
}

void TFParGen::Set_Lang()
{
    setWindowTitle(Lang(Text::ParGen_Title));
    Set_Label_Text(Title.L_SW_Desc, Lang(Text::ParGen_Subtitle));
    Btn_OK->Set_Caption(Lang(Text::ParGen_OK));
    Btn_Cancel->Set_Caption(Lang(Text::ParGen_Cancel));
    Btn_OK->Set_Hint(Lang(Text::ParGen_OK_Hint));
    Btn_Cancel->Set_Hint(Lang(Text::ParGen_Cancel_Hint));

    GB_Serial->setTitle(Lang(Text::Serial_Group));
    Set_Label_Text(L_Serial_Serial, Lang(Text::Serial_Serial));
    Set_Label_Text(L_Serial_Baud, Lang(Text::Serial_Baud));
    Set_Label_Text(L_Serial_Par, Lang(Text::Serial_Parity));
    Set_Label_Text(L_Serial_DataBits, Lang(Text::Serial_DataBits));
    Set_Label_Text(L_Serial_SendType, Lang(Text::Serial_Send_Type));
    Set_Label_Text(L_Serial_ST_EndChar, Lang(Text::Serial_End_Char));
    Set_Label_Text(L_Serial_ST_NumByte, Lang(Text::Serial_Num_Byte));
    Set_Label_Text(CB_Serial_TimeOut, Lang(Text::Serial_TimeOut));
    CB_Serial_Time_Wait_RX->setText(Lang(Text::Serial_Time_Wait_RX));
    Set_Hint(CB_Serial_Time_Wait_RX, Lang(Text::Serial_Time_Wait_RX_Hint));
    Set_Hint(CB_Serial_Serial, Lang(Text::Serial_Serial_Hint));
    Set_Hint(CB_Serial_Baud, Lang(Text::Serial_Baud_Hint));
    Set_Hint(CB_Serial_Parity, Lang(Text::Serial_Parity_Hint));
    Set_Hint(CB_Serial_SendType, Lang(Text::Serial_Send_Type_Hint));
    Set_Hint(E_Serial_ST_EndChar, Lang(Text::Serial_End_Char_Hint));
    Set_Hint(E_Serial_ST_NumByte, Lang(Text::Serial_Num_Byte_Hint));
    Set_Hint(E_Serial_TimeOut, Lang(Text::Serial_TimeOut_Hint));
    Set_Hint(E_Serial_Time_Wait_RX, Lang(Text::Serial_Time_Wait_RX_Time_Hint));
    {
        // Refilling the translated list is no change by the user.
        const QSignalBlocker blocker(CB_Serial_SendType);
        CB_Serial_SendType->clear();
        CB_Serial_SendType->addItems(ParGen_List_Items(PG_Serial_Send_Type, Lang_Strings));
        CB_Serial_SendType->setCurrentIndex(0);
    }

    GB_ModbusTCPSlave->setTitle(Lang(Text::Modbus_Group));
    Set_Label_Text(L_ModbusTCPSlave_IP_Add, Lang(Text::Modbus_IP_Address));
    Set_Label_Text(L_ModbusTCPSlave_SM_Add, Lang(Text::Modbus_Subnet_Mask));
    CB_ModbusTCPSlave_En_GAT->setText(Lang(Text::Modbus_Gateway));
    Set_Hint(CB_ModbusTCPSlave_En_GAT, Lang(Text::Modbus_Gateway_Hint));
    Set_Label_Text(L_ModbusTCPSlave_Port, Lang(Text::Modbus_Port));
    Set_Label_Text(L_ModbusTCPSlave_Start_Read, Lang(Text::Modbus_Start_Read));
    Set_Label_Text(L_ModbusTCPSlave_Start_Write, Lang(Text::Modbus_Start_Write));
    Set_Label_Text(L_ModbusTCPSlave_Control, Lang(Text::Modbus_Control_Word));
    Set_Label_Text(L_ModbusTCPSlave_Status, Lang(Text::Modbus_Status_Word));
    for (int i = 0; i < 12; ++i)
        Set_Hint(m_octets[i], Lang(Text::Modbus_IP1_Hint + i));
    Set_Hint(E_ModbusTCPSlave_Port, Lang(Text::Modbus_Port_Hint));
    Set_Hint(E_ModbusTCPSlave_Start_Read, Lang(Text::Modbus_Start_Read_Hint));
    Set_Hint(E_ModbusTCPSlave_Start_Write, Lang(Text::Modbus_Start_Write_Hint));
    Set_Hint(E_ModbusTCPSlave_Control, Lang(Text::Modbus_Control_Word_Hint));
    Set_Hint(E_ModbusTCPSlave_Status, Lang(Text::Modbus_Status_Word_Hint));
    CB_ModbusTCPSlave_NumBytesRX->setText(Lang(Text::Modbus_Num_Bytes_RX));

    for (TImageButton *button : {Btn_Serial_Collapse, Btn_ModbusTCPSlave_Collapse})
        button->Set_Hint(Lang(Text::Collapse_Hint));
    for (TImageButton *button : {Btn_Serial_Expande, Btn_ModbusTCPSlave_Expande})
        button->Set_Hint(Lang(Text::Expand_Hint));
}

void TFParGen::Move_GroupBoxs()
{
    GB_Serial->move(Group_Left, 0);
    if (GB_Serial_Visible)
        GB_Serial->resize(Group_Width, Bottom(E_Serial_Time_Wait_RX) + Group_Bottom_Margin);
    GB_ModbusTCPSlave->move(Group_Left, Bottom(GB_Serial) + Group_Gap);
    if (GB_ModbusTCPSlave_Visible)
        GB_ModbusTCPSlave->resize(Group_Width,
                                  Bottom(E_ModbusTCPSlave_NumBytesRX) + Group_Bottom_Margin);
    const int groupsHeight = Bottom(GB_ModbusTCPSlave);
    const int clientHeight = std::min(Group_Top + groupsHeight + Client_Bottom_Margin,
                                      Available_Client_Height(this));
    const int viewHeight =
        std::max(Collapsed_Height, clientHeight - Group_Top - Client_Bottom_Margin);
    const int width = P_Groups->Place(Group_Top, Client_Width, groupsHeight, viewHeight);
    Title.P_Title->resize(width, Title.P_Title->height());
    const int buttonTop = Bottom(P_Groups) + Button_Gap;
    Btn_OK->setGeometry(71, buttonTop, 112, 28);
    Btn_Cancel->setGeometry(192, buttonTop, 112, 28);
    Set_Fixed_Client_Size(this, width, Bottom(P_Groups) + Client_Bottom_Margin);
}

void TFParGen::Btn_GB_Collapse(QAbstractButton *sender)
{
    const bool serial = sender == Btn_Serial_Collapse;
    QGroupBox *group = serial ? GB_Serial : GB_ModbusTCPSlave;
    group->resize(group->width(), Collapsed_Height);
    if (serial) {
        L_Serial_Serial->hide();
        CB_Serial_Serial->hide();
        Btn_Serial_Collapse->hide();
        Btn_Serial_Expande->show();
        GB_Serial_Visible = false;
    } else {
        L_ModbusTCPSlave_IP_Add->hide();
        Btn_ModbusTCPSlave_Collapse->hide();
        Btn_ModbusTCPSlave_Expande->show();
        GB_ModbusTCPSlave_Visible = false;
    }
    Move_GroupBoxs();
}

void TFParGen::Btn_GB_Expande(QAbstractButton *sender)
{
    if (sender == Btn_Serial_Expande) {
        L_Serial_Serial->show();
        CB_Serial_Serial->show();
        Btn_Serial_Collapse->show();
        Btn_Serial_Expande->hide();
        GB_Serial_Visible = true;
    } else {
        L_ModbusTCPSlave_IP_Add->show();
        Btn_ModbusTCPSlave_Collapse->show();
        Btn_ModbusTCPSlave_Expande->hide();
        GB_ModbusTCPSlave_Visible = true;
    }
    Move_GroupBoxs();
}

TParGen_Values TFParGen::Get_Values() const
{
    TParGen_Values values;
    for (int id = 0; id < ParGen_Count; ++id) {
        QWidget *control = m_controls[id];
        if (auto *list = qobject_cast<QComboBox *>(control))
            values[id].Index = list->currentIndex();
        else if (auto *check = qobject_cast<QCheckBox *>(control))
            values[id].Flag = check->isChecked();
        else if (auto *edit = qobject_cast<QLineEdit *>(control))
            values[id].Text = edit->text();
    }
    return values;
}

void TFParGen::Set_Values(const TParGen_Values &values)
{
    for (int id = 0; id < ParGen_Count; ++id) {
        QWidget *control = m_controls[id];
        // An index outside the list leaves it without a selection.
        if (auto *list = qobject_cast<QComboBox *>(control))
            list->setCurrentIndex(values[id].Index);
        else if (auto *check = qobject_cast<QCheckBox *>(control))
            check->setChecked(values[id].Flag);
        else if (auto *edit = qobject_cast<QLineEdit *>(control))
            edit->setText(values[id].Text);
    }
}

void TFParGen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFParGen::FormShow()
{
    TParGen_Values values;
    QString error;
    if (Load_ParGen(XML1, File_ParGen, values, &error)) {
        Set_Values(values);
        Is_Change = false;
    } else {
        // The dialog still opens with what it showed last; the message comes
        // once it is on the screen.
        QMetaObject::invokeMethod(
            this, [this, error] { Platform().Error_Box(this, error); }, Qt::QueuedConnection);
    }
    // Fitted to the screen the dialog opens on.
    Move_GroupBoxs();
    Center_On_Screen(this);
    FormActivate();
}

bool TFParGen::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

void TFParGen::FormActivate()
{
    const QScreen *screen = this->screen();
    const int top = screen ? screen->availableGeometry().top() : 0;
    if (frameGeometry().top() < top)
        move(x(), top);
}

void TFParGen::On_Change()
{
    Is_Change = true;
}

bool TFParGen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            return Octet_KeyPress(edit, static_cast<QKeyEvent *>(event));
    }
    return QDialog::eventFilter(watched, event);
}

bool TFParGen::Octet_KeyPress(QLineEdit *edit, QKeyEvent *event)
{
    if (event->text() != QLatin1String("."))
        return false;
    const auto it = std::find(m_octets.begin(), m_octets.end(), edit);
    const auto next = it + 1;
    if (it != m_octets.end() && next != m_octets.end()) {
        QLineEdit *target = *next;
        if (target->isEnabled() && target->isVisible()) {
            // Typing goes on over the next octet's whole text.
            target->setFocus(Qt::TabFocusReason);
            target->selectAll();
        }
    }
    return true;
}

bool TFParGen::Controllo_Dati()
{
    const int message = ParGen_Check(Get_Values());
    if (message == 0)
        return true;
    Platform().Error_Box(this, Lang(message));
    return false;
}

void TFParGen::Btn_OKClick()
{
    if (!Controllo_Dati())
        return;
    QString error;
    if (!Save_ParGen(XML1, File_ParGen, Get_Values(), &error)) {
        Platform().Error_Box(this, error);
        return;
    }
    accept();
}

void TFParGen::Btn_CancelClick()
{
    if (Is_Change && !Platform().Confirm_Box(this, Lang(Text::Exit_Without_Saving)))
        return;
    QDialog::reject();
}

void TFParGen::reject()
{
    Btn_CancelClick();
}
