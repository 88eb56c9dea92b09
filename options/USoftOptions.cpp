#include "options/USoftOptions.h"

#include "platform/UPlatform.h"
#include "common/UComon.h"
#include "common/UVersion.h"
#include "lang/ULang.h"
#include "ui/UClickable.h"

#include <QCheckBox>
#include <QPixmap>
#include <QShowEvent>
#include <QTabWidget>
#include <utility>
#include "lang/UText.h"

TFSoftOptions *FSoftOptions = nullptr;

namespace {
constexpr int Client_Width = 450;
constexpr int Client_Height = 380;
constexpr int Flag_Side = 48;
// Slots 1-3 fill the left column from the top, slots 4-6 the right one.
constexpr int Slot_Left[2] = {12, 218};
constexpr int Slot_Top[3] = {30, 84, 138};
} // namespace

TFSoftOptions::TFSoftOptions(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FSoftOptions"));
    Set_Dialog_Flags(this);
    Apply_Look(this);
    Set_Fixed_Client_Size(this, Client_Width, Client_Height);
    Title = Create_Title_Band(this, Client_Width);
    Set_Label_Text(Title.L_SW_Code, SW_Code);

    PC_Options = new QTabWidget(this);
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    PC_Options->setGeometry(8, 75, Client_Width - 16, 250);

    TS_Language = new QWidget;
    TS_Language->setObjectName(QStringLiteral("TS_Language"));
    PC_Options->addTab(TS_Language, QString());
    L_Sel_Lang = Create_Label(TS_Language, QStringLiteral("L_Sel_Lang"), 12, 8);
    for (int k = 0; k < Languages_Per_Page; ++k) {
        const int left = Slot_Left[k / 3];
        const int top = Slot_Top[k % 3];
        const QString number = QString::number(k + 1);
        I_L[k] = Create_Label(TS_Language, QStringLiteral("I_L") + number, left, top);
        I_L[k]->setFixedSize(Flag_Side, Flag_Side);
        I_L[k]->setScaledContents(true);
        Make_Clickable(I_L[k], [this, k] { LangClick(k + 1); }, false);
        L_L[k] = Create_Label(TS_Language, QStringLiteral("L_L") + number, left + Flag_Side + 8,
                              top + 17);
        L_L[k]->setTextFormat(Qt::PlainText);
        Make_Clickable(L_L[k], [this, k] { LangClick(k + 1); });
    }
    Btn_Prev = new TImageButton(QStringLiteral("Btn_Prev"), QString(), TS_Language);
    Btn_Prev->setGeometry(12, 192, 90, 24);
    Btn_Next = new TImageButton(QStringLiteral("Btn_Next"), QString(), TS_Language);
    Btn_Next->setGeometry(326, 192, 90, 24);
    for (TImageButton *button : {Btn_Prev, Btn_Next})
        connect(button, &QAbstractButton::clicked, this, [this, button] { Btn_NextClick(button); });
    L_Page_Lang = Create_Label(TS_Language, QStringLiteral("L_Page_Lang"), 110, 196);
    L_Page_Lang->setFixedSize(208, 16);
    L_Page_Lang->setAlignment(Qt::AlignCenter);

    TS_Con_Options = new QWidget;
    TS_Con_Options->setObjectName(QStringLiteral("TS_Con_Options"));
    PC_Options->addTab(TS_Con_Options, QString());
    CB_En_Con = Create_Check_Box(TS_Con_Options, QStringLiteral("CB_En_Con"), 12, 12);
    CB_Update = Create_Check_Box(TS_Con_Options, QStringLiteral("CB_Update"), 32, 36);
    Btn_Check_Update = new TImageButton(QStringLiteral("Btn_Check_Update"), QString(), TS_Con_Options);
    Btn_Check_Update->setGeometry(12, 72, 200, 28);
    connect(Btn_Check_Update, &QAbstractButton::clicked, this, [this] { Btn_Check_UpdateClick(); });
    LL_Check_Update = Create_Label(TS_Con_Options, QStringLiteral("LL_Check_Update"), 12, 112);
    LL_Check_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse
                                             | Qt::LinksAccessibleByKeyboard);
    connect(LL_Check_Update, &QLabel::linkActivated, this,
            [this](const QString &link) { LL_Check_UpdateLinkClick(link); });
    LL_Check_Update->hide();

    TS_Soft_Settings = new QWidget;
    TS_Soft_Settings->setObjectName(QStringLiteral("TS_Soft_Settings"));
    PC_Options->addTab(TS_Soft_Settings, QString());
    CB_Soft_Set_Jump_Table =
        Create_Check_Box(TS_Soft_Settings, QStringLiteral("CB_Soft_Set_Jump_Table"), 12, 12);
    CB_DoubleClick_Auto_Size =
        Create_Check_Box(TS_Soft_Settings, QStringLiteral("CB_DoubleClick_Auto_Size"), 12, 36);

    P_Button = new QWidget(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    P_Button->setGeometry(0, Client_Height - 48, Client_Width, 48);
    Btn_OK = new TImageButton(QStringLiteral("Btn_OK"), QStringLiteral(":/icons/ok.svg"), P_Button);
    Btn_OK->setGeometry(Client_Width - 236, 10, 110, 28);
    connect(Btn_OK, &QAbstractButton::clicked, this, [this] { Btn_OKClick(); });
    Btn_Cancel = new TImageButton(QStringLiteral("Btn_Cancel"), QStringLiteral(":/icons/cancel.svg"),
                                  P_Button);
    Btn_Cancel->setGeometry(Client_Width - 118, 10, 110, 28);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &QDialog::reject);

    Set_Lang();
}

QCheckBox *TFSoftOptions::Create_Check_Box(QWidget *page, const QString &name, int left, int top)
{
    auto *box = new QCheckBox(page);
    box->setObjectName(name);
    box->move(left, top);
    // Also on changes made by the program, as FormShow relies on.
    connect(box, &QCheckBox::toggled, this, [this] { CB_En_ConClick(); });
    return box;
}

void TFSoftOptions::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TFSoftOptions::FormShow()
{
    Language_In_Use = Language;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(Enable_Internet);
    CB_Update->setChecked(Enable_Update);
    CB_Soft_Set_Jump_Table->setChecked(Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->setChecked(Double_Click_Auto_Size);
    Center_On_Screen(this);
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages = Build_Lang_List(Path_Language);
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Show_Page_Texts(int32_t page)
{
    Set_Label_Text(L_Sel_Lang, Lang(Text::Selected_Language) + Language_In_Use);
    L_Page_Lang->setText(Lang(Text::Page) + QString::number(page) + Lang(Text::Page_Of)
                         + QString::number(Lang_Page_Count(SL_Languages.size())));
}

void TFSoftOptions::Update_Lang_Page(int32_t page)
{
    Show_Page_Texts(page);
    const int pages = Lang_Page_Count(SL_Languages.size());
    Btn_Prev->setVisible(page != 1);
    Btn_Next->setVisible(page != pages);

    const int first = (page - 1) * Languages_Per_Page;
    const int count = qBound(0, static_cast<int>(SL_Languages.size()) - first, Languages_Per_Page);
    for (int k = 0; k < Languages_Per_Page; ++k) {
        I_L[k]->setVisible(k < count);
        L_L[k]->setVisible(k < count);
    }
    for (int i = 0; i < count; ++i) {
        const QString name = Lang_Name(SL_Languages.at(first + i));
        Set_Label_Text(L_L[i], name);
        const QString flag = Flag_File(Path_Language, name);
        QPixmap picture;
        // A flag that is not a readable picture leaves the slot without one.
        if (!flag.isEmpty())
            picture.load(flag);
        if (picture.isNull()) {
            I_L[i]->clear();
            I_L[i]->hide();
        } else {
            I_L[i]->setPixmap(picture);
        }
    }
}

void TFSoftOptions::Btn_NextClick(QAbstractButton *sender)
{
    if (sender == Btn_Next) {
        if (Lang_Page_Count(SL_Languages.size()) >= Show_Page + 1)
            ++Show_Page;
    } else if (Show_Page >= 2) {
        --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(int slot)
{
    const int index = Show_Page * Languages_Per_Page - Languages_Per_Page + (slot - 1);
    if (index < 0 || index >= SL_Languages.size())
        return;
    const QString chosen = Lang_Name(SL_Languages.at(index));
    if (!Platform().Confirm_Box(this, Lang(Text::Change_Language_From) + Language_In_Use + Lang(Text::Change_Language_To) + chosen + Lang(Text::Change_Language_End)))
        return;

    // The shared Language changes only with OK, in the main window.
    QString error;
    QString used;
    const bool read = Select_Language(chosen, &used, &error);
    // A file that cannot be read leaves the English texts and the old choice.
    if (read)
        Language_In_Use = chosen;
    emit Language_Chosen(read ? used : QStringLiteral("English"));
    Show_Page_Texts(Show_Page);
    if (!read)
        Platform().Error_Box(this, error);
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked());
}

void TFSoftOptions::CB_En_ConClick()
{
    Update_CheckBox();
}

void TFSoftOptions::Btn_OKClick()
{
    Choices.Language = Language_In_Use;
    Choices.Enable_Internet = CB_En_Con->isChecked();
    Choices.Enable_Update = CB_Update->isChecked();
    Choices.Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->isChecked();
    Choices.Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    accept();
}

void TFSoftOptions::Set_Lang()
{
    setWindowTitle(Lang(Text::Options_Title));
    Set_Label_Text(Title.L_SW_Desc, Lang(Text::Options_Subtitle));
    PC_Options->setTabText(PC_Options->indexOf(TS_Language), Lang(Text::Options_Language_Page));
    PC_Options->setTabText(PC_Options->indexOf(TS_Con_Options), Lang(Text::Options_Connection_Page));
    PC_Options->setTabText(PC_Options->indexOf(TS_Soft_Settings), Lang(Text::Options_Settings_Page));
    // Rebuilt from the page on view, so a change of language keeps it right.
    Show_Page_Texts(Show_Page);
    // The buttons have no hints of their own: the caption is the tooltip too.
    const std::pair<TImageButton *, int> buttons[] = {
        {Btn_Prev, Text::Options_Previous}, {Btn_Next, Text::Options_Next}, {Btn_Check_Update, Text::Check_Available_Update}, {Btn_OK, Text::Options_OK}, {Btn_Cancel, Text::Options_Cancel}};
    for (const auto &[button, entry] : buttons) {
        button->Set_Caption(Lang(entry));
        button->Set_Hint(Lang(entry));
    }
    CB_En_Con->setText(Lang(Text::Enable_Internet));
    CB_Update->setText(Lang(Text::Check_Update_At_Start));
    CB_Soft_Set_Jump_Table->setText(Lang(Text::Jump_Field_Tables));
    CB_DoubleClick_Auto_Size->setText(Lang(Text::Double_Click_Auto_Size));
    for (QCheckBox *box : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        box->adjustSize();
}

bool TFSoftOptions::Check_Version()
{
    QString reply;
    Platform().Http_Get(Version_Page_Url(Platform().Web_Base()), Platform().Request_Limit_Ms(), reply);
    return Reply_Offers_Newer_Version(reply);
}

void TFSoftOptions::Btn_Check_UpdateClick()
{
    if (Check_Version()) {
        LL_Check_Update->setTextFormat(Qt::RichText);
        Set_Label_Text(LL_Check_Update,
                       Link_Html(Download_Page_Url(Platform().Web_Base()), Lang(Text::Update_Available)));
    } else {
        LL_Check_Update->setTextFormat(Qt::PlainText);
        Set_Label_Text(LL_Check_Update, Lang(Text::No_Update_Available));
    }
    LL_Check_Update->show();
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString &link)
{
    Platform().Open_Url(link);
}
