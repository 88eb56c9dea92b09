#include "app/UVelmoraeFirmWare.h"

#include "app/URunner.h"
#include "app/USettings.h"
#include "common/UComon.h"
#include "common/UVersion.h"
#include "image/USaveBincc.h"
#include "lang/ULang.h"
#include "lang/UQt_Language.h"
#include "lang/UText.h"
#include "options/UAbout.h"
#include "options/USoftOptions.h"
#include "params/UParGen.h"
#include "params/UParGen_File.h"
#include "platform/UPlatform.h"
#include "project/UNew_Project.h"
#include "project/UOpenConf.h"
#include "ui/UClickable.h"
#include "ui/UInput_Blocker.h"
#include "update/UBoot.h"
#include "check/UCheck_Device.h"
#include "plant/UPlant_Overview.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QShowEvent>
#include <QFileInfo>
#include <QFrame>

TFVelmoraeFirmWare *FVelmoraeFirmWare = nullptr;

namespace {
constexpr int Later_Check_Interval_Ms = 2 * 60 * 60 * 1000;
}

TFVelmoraeFirmWare::TFVelmoraeFirmWare(const QString &exeFolder, QWidget *parent)
    : QWidget(parent)
{
    FormCreate(exeFolder);
}

TImageButton *TFVelmoraeFirmWare::Create_Button(const QString &name, const QString &icon,
                                                int left, int top, int width, int height)
{
    auto *button = new TImageButton(name, icon, this);
    button->setGeometry(left, top, width, height);
    connect(button, &QAbstractButton::clicked, this, [this, button] { Btn_Click(button); });
    return button;
}

void TFVelmoraeFirmWare::FormCreate(const QString &exeFolder)
{
    FVelmoraeFirmWare = this;
    Create_Controls();
    Start_Up(exeFolder);
}

void TFVelmoraeFirmWare::Create_Controls()
{
    setObjectName(QStringLiteral("FVelmoraeFirmWare"));
    // Fixed single border: only the system menu and the close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    Apply_Look(this);

    L_SW_Code = Create_Label(this, QStringLiteral("L_SW_Code"), 16, 8);
    Style_Code_Label(L_SW_Code);
    L_SW_Desc = Create_Label(this, QStringLiteral("L_SW_Desc"), 16, 42);
    Style_Bold_Grey_Label(L_SW_Desc);
    L_Begin = Create_Label(this, QStringLiteral("L_Begin"), 16, 84);
    Style_Bold_Grey_Label(L_Begin);
    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(80, 70, 348, 36);
    Shape2->setFrameShape(QFrame::Box);
    Shape2->setStyleSheet(QStringLiteral("QFrame#Shape2 { border: 1px solid silver; background: transparent; }"));
    L_Name_Conf = Create_Label(this, QStringLiteral("L_Name_Conf"), 87, 75);
    L_Name_Conf_L2 = Create_Label(this, QStringLiteral("L_Name_Conf_L2"), 87, 88);
    Btn_Info = Create_Button(QStringLiteral("Btn_Info"), QStringLiteral(":/icons/info.svg"), 516, 8, 50, 50);
    Btn_Opz = Create_Button(QStringLiteral("Btn_Opz"), QStringLiteral(":/icons/options.svg"), 574, 8, 50, 50);
    Btn_Close = Create_Button(QStringLiteral("Btn_Close"), QStringLiteral(":/icons/close.svg"), 632, 8, 50, 50);
    L_Step_1 = Create_Label(this, QStringLiteral("L_Step_1"), 16, 128);
    L_Step_2 = Create_Label(this, QStringLiteral("L_Step_2"), 16, 172);
    L_Step_3 = Create_Label(this, QStringLiteral("L_Step_3"), 16, 216);
    L_Step_4 = Create_Label(this, QStringLiteral("L_Step_4"), 16, 260);
    for (QLabel *label : {L_Step_1, L_Step_2, L_Step_3, L_Step_4})
        Style_Bold_Grey_Label(label);
    Btn_New = Create_Button(QStringLiteral("Btn_New"), QStringLiteral(":/icons/new.svg"), 80, 112, 170, 36);
    Btn_Open = Create_Button(QStringLiteral("Btn_Open"), QStringLiteral(":/icons/open.svg"), 258, 112, 170, 36);
    Btn_Prm_Gen = Create_Button(QStringLiteral("Btn_Prm_Gen"), QStringLiteral(":/icons/setcomm.svg"), 80, 156, 170, 36);
    Btn_CreateBin = Create_Button(QStringLiteral("Btn_CreateBin"), QStringLiteral(":/icons/update.svg"), 80, 200, 170, 36);
    Btn_Check_Device = Create_Button(QStringLiteral("Btn_Check_Device"), QStringLiteral(":/icons/check.svg"), 80, 244, 170, 36);
    Btn_Plant_Overview =
        Create_Button(QStringLiteral("Btn_Plant_Overview"), QStringLiteral(":/icons/plant.svg"), 258, 244, 170, 36);
    L_Kestrix = Create_Label(this, QStringLiteral("L_Kestrix"), 565, L_Step_3->y());
    Style_Bold_Grey_Label(L_Kestrix);
    Set_Label_Text(L_Kestrix, Maker_Host);
    // Ends where the icon buttons above end, at the window's right margin.
    L_Kestrix->move(Btn_Close->geometry().right() + 1 - L_Kestrix->width(), L_Kestrix->y());
    L_Kestrix->setAccessibleName(Maker_Host);
    Make_Clickable(L_Kestrix, [this] { L_KestrixClick(); });
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    // The divider and the window's foot follow the last step's row.
    Shape1->setGeometry(10, Btn_Check_Device->y() + 51, 674, 1);
    // Filled, not drawn as a line: a one-pixel line misses every device pixel
    // at some scales (1.25, 1.5) and vanishes, where a fill always covers one.
    Shape1->setFrameShape(QFrame::NoFrame);
    Shape1->setBackgroundRole(QPalette::WindowText);
    Shape1->setAutoFillBackground(true);
    LL_Update = Create_Label(this, QStringLiteral("LL_Update"), 208, 19);
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LL_Update->hide();
    connect(LL_Update, &QLabel::linkActivated, this, [this] { LL_UpdateLinkClick(); });
    Timer_Update.setObjectName(QStringLiteral("Timer_Update"));
    Timer_Update.setInterval(60000);
    connect(&Timer_Update, &QTimer::timeout, this, [this] { Timer_UpdateTimer(); });
    // A tick during the updater run, a version request or the echo test
    // would start a request inside it.
    Hold_During_Waits(&Timer_Update);
    setFixedSize(694, Btn_Check_Device->y() + 152);
}

// Folders and settings, the first state, the language and the open
// configuration; what went wrong is told once the window can be a parent.
void TFVelmoraeFirmWare::Start_Up(const QString &exeFolder)
{
    Lang_Strings.clear();
    Lang_Count = 0;
    Set_Program_Folders(exeFolder);
    QString warning;
    Read_Settings(XML1, &warning);

    // First state.
    Switch_Update_Timer();
    Main_Title = Default_Main_Title;
    SW_Code = Default_SW_Code;
    SW_Description = Default_SW_Description;
    setWindowTitle(Main_Title);
    Set_Label_Text(L_SW_Code, SW_Code);
    Set_Label_Text(L_SW_Desc, SW_Description);
    QString languageError;
    const bool languageRead = Select_Language(Language, &Language, &languageError);
    Select_Qt_Language(Join_Path(Path_Exe, QStringLiteral("translations")), Language);

    const QString saved = Join_Path(Path_Projects, Name_Project);
    if (Is_Plain_Folder_Name(Name_Project) && QFileInfo(saved).isDir())
        Path_Project = saved;
    else
        Path_Project.clear();
    Set_Lang();
    Set_Files();

    // Reported once the window can be a parent; the English texts are in place.
    if (!warning.isEmpty())
        Platform().Warning_Box(this, warning);
    if (!languageRead)
        Platform().Warning_Box(this, languageError);
}

void TFVelmoraeFirmWare::Connect_Dialogs()
{
    connect(FSoftOptions, &TFSoftOptions::Language_Chosen, this, &TFVelmoraeFirmWare::Change_Language);
    connect(FBoot, &TFBoot::Update_Confirmed, this, [](const TUpdate_Choices &choices) {
        Last_IP_Address = choices.IP_Address;
        Update_Option = choices.Update_Option;
        Read_Back = choices.Read_Back;
    });
    FBoot->Run_Updater = [this](const QString &program, const QString &parameters, bool hidden) {
        return Start_Program(program, parameters, hidden ? 1 : 0);
    };
}

void TFVelmoraeFirmWare::Show_Active_Configuration()
{
    if (Path_Project.isEmpty()) {
        Set_Label_Text(L_Name_Conf, Lang(Text::No_Configuration_Open));
        Set_Label_Text(L_Name_Conf_L2, Lang(Text::Use_Step_1));
    } else {
        Set_Label_Text(L_Name_Conf, Lang(Text::Configuration_Open));
        Set_Label_Text(L_Name_Conf_L2, Name_Project);
    }
}

void TFVelmoraeFirmWare::Switch_Update_Timer()
{
    // A running timer keeps its time: start() would begin the interval anew.
    if (Enable_Internet && Enable_Update) {
        if (!Timer_Update.isActive())
            Timer_Update.start();
    } else {
        Timer_Update.stop();
    }
}

void TFVelmoraeFirmWare::Btn_Click(QAbstractButton *sender)
{
    if (sender == Btn_New) {
        Create_New_Project();
    } else if (sender == Btn_Open) {
        Open_Project();
    } else if (sender == Btn_Close) {
        close();
    } else if (sender == Btn_Info) {
        FAbout->exec();
    } else if (sender == Btn_Opz) {
        if (FSoftOptions->exec() == QDialog::Accepted) {
            Apply_Options(FSoftOptions->Choices);
            Save_Settings_Reported();
            Switch_Update_Timer();
        }
    } else if (sender == Btn_Plant_Overview) {
        Plant_Overview();
    } else if (Path_Project.isEmpty()) {
        Platform().Error_Box(this, Lang(Text::Project_Not_Valid));
    } else if (sender == Btn_Prm_Gen) {
        FParGen->exec();
    } else if (sender == Btn_CreateBin) {
        Update_Device();
    } else if (sender == Btn_Check_Device) {
        Check_Device();
    }
}

void TFVelmoraeFirmWare::Apply_Options(const TOptions_Choices &choices)
{
    // In the order the options dialog's OK sets them, the timer after the two flags.
    Language = choices.Language;
    Enable_Internet = choices.Enable_Internet;
    Enable_Update = choices.Enable_Update;
    Switch_Update_Timer();
    Enable_Jump_Field_Tables = choices.Enable_Jump_Field_Tables;
    Double_Click_Auto_Size = choices.Double_Click_Auto_Size;
}

void TFVelmoraeFirmWare::Create_New_Project()
{
    if (FNew_Project->exec() != QDialog::Accepted)
        return;
    // The dialog made the folder; the new configuration is the open one.
    Name_Project = FNew_Project->Name_Conf;
    Path_Project = Join_Path(Path_Projects, Name_Project);
    Set_Files();
    Show_Active_Configuration();
}

void TFVelmoraeFirmWare::Open_Project()
{
    if (FOpenConf->exec() == QDialog::Accepted)
        Open_Configuration(FOpenConf->Name_Conf);
}

void TFVelmoraeFirmWare::Open_Configuration(const QString &name)
{
    Name_Project = name;
    if (!Name_Project.isEmpty())
        Path_Project = Join_Path(Path_Projects, Name_Project);
    else
        Path_Project.clear();
    Show_Active_Configuration();
    Set_Files();
}

void TFVelmoraeFirmWare::Set_Lang()
{
    Set_Label_Text(L_Begin, Lang(Text::Begin));
    Set_Label_Text(L_Step_1, Lang(Text::Step_1));
    Set_Label_Text(L_Step_2, Lang(Text::Step_2));
    Set_Label_Text(L_Step_3, Lang(Text::Step_3));
    Set_Label_Text(L_Step_4, Lang(Text::Step_4));
    Btn_Info->Set_Hint(Lang(Text::Information_Hint));
    Btn_Opz->Set_Hint(Lang(Text::Options_Hint));
    Btn_Close->Set_Hint(Lang(Text::Close_Configurator_Hint));
    Btn_New->Set_Caption(Lang(Text::New_Configuration));
    Btn_Open->Set_Caption(Lang(Text::Open_Configuration));
    Btn_CreateBin->Set_Caption(Lang(Text::Update_Device));
    Btn_Prm_Gen->Set_Caption(Lang(Text::Set_Communication));
    Btn_New->Set_Hint(Lang(Text::New_Configuration_Hint));
    Btn_Open->Set_Hint(Lang(Text::Open_Configuration_Hint));
    Btn_Prm_Gen->Set_Hint(Lang(Text::Set_Communication_Hint));
    Btn_CreateBin->Set_Hint(Lang(Text::Update_Device_Hint));
    Btn_Check_Device->Set_Caption(Lang(Text::Check_Device));
    Btn_Check_Device->Set_Hint(Lang(Text::Check_Device_Hint));
    Btn_Plant_Overview->Set_Caption(Lang(Text::Plant_Overview));
    Btn_Plant_Overview->Set_Hint(Lang(Text::Plant_Overview_Hint));
    Show_Active_Configuration();
}

void TFVelmoraeFirmWare::Change_Language(const QString &language)
{
    Select_Qt_Language(Join_Path(Path_Exe, QStringLiteral("translations")), language);
    Set_Lang();
    FBoot->Set_Lang();
    FNew_Project->Set_Lang();
    FOpenConf->Set_Lang();
    FSoftOptions->Set_Lang();
    FParGen->Set_Lang();
    // Made on first use; it takes the language it finds then.
    if (FCheck_Device)
        FCheck_Device->Set_Lang();
    if (FPlant_Overview)
        FPlant_Overview->Set_Lang();
}

void TFVelmoraeFirmWare::Set_Files()
{
    File_ParGen = ParGen_File_Path(Path_Project);
}

void TFVelmoraeFirmWare::L_KestrixClick()
{
    Platform().Open_Url(Maker_Home_Url());
}

// The dialog opens only over a freshly written bank.bin: updating the device
// from an older image while the user believes it new would be worse than
// stopping here with the reason.
void TFVelmoraeFirmWare::Update_Device()
{
    QString error;
    TImage image;
    if (!Build_Image(XML1, File_ParGen, image, &error)) {
        Platform().Error_Box(this, error);
        return;
    }
    if (!Write_Bank_File(Path_Project, image.Bytes, &error)) {
        Platform().Error_Box(this, error);
        return;
    }
    FBoot->exec();
}

// The dialog checks what the configuration holds now; what it changes is
// for the check alone, except the unit and registers it reports back.
void TFVelmoraeFirmWare::Check_Device()
{
    TFCheck_Device *dialog = Check_Device_Window();
    // Echo Requests First as the last check of either window left it.
    dialog->Prepare(Path_Project, {Last_Check_Unit_ID, Last_Check_Registers, Last_Check_Echo});
    dialog->exec();
}

// Its tables and lists are made on the first use of Step 4 instead of at
// start, where every user would pay for them.
TFCheck_Device *TFVelmoraeFirmWare::Check_Device_Window()
{
    if (!FCheck_Device) {
        FCheck_Device = new TFCheck_Device(this);
        connect(FCheck_Device, &TFCheck_Device::Choices_Used, this, [](const TCheck_Choices &choices) {
            Last_Check_Unit_ID = choices.Unit_ID;
            Last_Check_Registers = choices.Registers;
            Last_Check_Echo = choices.Echo;
        });
    }
    return FCheck_Device;
}

// The overview's checks take Check Device's unit, registers and echo choice;
// a row opened there is opened here as Open Configuration's is.
void TFVelmoraeFirmWare::Plant_Overview()
{
    Plant_Overview_Window()->exec();
}

// Made on first use, as Check Device is.
TFPlant_Overview *TFVelmoraeFirmWare::Plant_Overview_Window()
{
    if (!FPlant_Overview) {
        FPlant_Overview = new TFPlant_Overview(this);
        connect(FPlant_Overview, &TFPlant_Overview::Configuration_Opened, this,
                &TFVelmoraeFirmWare::Open_Configuration);
    }
    return FPlant_Overview;
}

TRun_Result TFVelmoraeFirmWare::Start_Program(const QString &NomeSW, const QString &Parameter,
                                              uint8_t tipo, int limitMs)
{
    return Run_Program(NomeSW, Parameter, tipo != 0, limitMs);
}

void TFVelmoraeFirmWare::Timer_UpdateTimer()
{
    // No second tick while the request runs.
    Timer_Update.stop();
    if (TFSoftOptions::Check_Version()) {
        Set_Label_Text(LL_Update, Link_Html(Download_Page_Url(Platform().Web_Base()), Lang(Text::New_Version_Available)));
        LL_Update->show();
    } else {
        LL_Update->hide();
    }
    Timer_Update.setInterval(Later_Check_Interval_Ms);
    Timer_Update.start();
}

void TFVelmoraeFirmWare::LL_UpdateLinkClick()
{
    Platform().Open_Url(Download_Page_Url(Platform().Web_Base()));
}

bool TFVelmoraeFirmWare::Save_Settings_Reported()
{
    QString error;
    if (Save_Setting(XML1, &error))
        return true;
    Platform().Error_Box(this, error);
    return false;
}

void TFVelmoraeFirmWare::showEvent(QShowEvent *event)
{
    // Centred like every dialog; restoring from the task bar moves nothing.
    if (!event->spontaneous())
        Center_On_Screen(this);
    QWidget::showEvent(event);
}

void TFVelmoraeFirmWare::closeEvent(QCloseEvent *event)
{
    // FormClose: the settings are written; closing goes on even when they cannot be.
    Save_Settings_Reported();
    event->accept();
}
