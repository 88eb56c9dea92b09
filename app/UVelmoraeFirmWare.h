#pragma once
// The main window: software code and description, the active-configuration
// box, the four workflow steps and the three icon buttons.

#include "common/UXmlDoc.h"
#include "platform/UProcess.h"
#include "ui/UWidgets.h"

#include <QTimer>
#include <QWidget>
#include <cstdint>

class QFrame;
class TFCheck_Device;
class TFPlant_Overview;
struct TOptions_Choices;

class TFVelmoraeFirmWare : public QWidget
{
    Q_OBJECT
public:
    // Runs the whole start-up in the program folder exeFolder.
    explicit TFVelmoraeFirmWare(const QString &exeFolder, QWidget *parent = nullptr);
    // Takes the dialogs' reports once they exist: a chosen language, an
    // update confirmed, the updater run.
    void Connect_Dialogs();

    void Btn_Click(QAbstractButton *sender);
    void Create_New_Project();
    void Open_Project();
    // Makes the configuration folder name of PROJECTS the open one ("": none).
    void Open_Configuration(const QString &name);
    void Update_Device();
    // Step 4: the Modbus TCP check of the open configuration's device.
    void Check_Device();
    TFCheck_Device *Check_Device_Window();
    // Beside Step 4, with or without an open configuration: every
    // configuration of the plant at a glance.
    void Plant_Overview();
    TFPlant_Overview *Plant_Overview_Window();
    void Set_Lang();
    // Every window's texts from the string table, which holds language now,
    // and Qt's own texts (the buttons of message boxes) in it too.
    void Change_Language(const QString &language);
    void Set_Files();
    void L_KestrixClick();
    void Timer_UpdateTimer();
    void LL_UpdateLinkClick();
    // Switches the version-check timer on when both internet flags are set.
    void Switch_Update_Timer();
    // Copies the options dialog's choices into the shared state.
    void Apply_Options(const TOptions_Choices &choices);
    // Shows entries 11 and Name_Project, or entries 9 and 10 when none is open.
    void Show_Active_Configuration();
    // Starts a program and waits for it to end, at most limitMs; how the run ended.
    TRun_Result Start_Program(const QString &NomeSW, const QString &Parameter, uint8_t tipo,
                              int limitMs = 150000);
    // Writes the settings; an error box names the file and the reason.
    bool Save_Settings_Reported();

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QLabel *L_Begin;
    QFrame *Shape2;
    QLabel *L_Name_Conf;
    QLabel *L_Name_Conf_L2;
    TImageButton *Btn_Info;
    TImageButton *Btn_Opz;
    TImageButton *Btn_Close;
    QLabel *L_Step_1;
    QLabel *L_Step_2;
    QLabel *L_Step_3;
    QLabel *L_Step_4;
    TImageButton *Btn_New;
    TImageButton *Btn_Open;
    TImageButton *Btn_Prm_Gen;
    TImageButton *Btn_CreateBin;
    TImageButton *Btn_Check_Device;
    TImageButton *Btn_Plant_Overview;
    QLabel *L_Kestrix;
    QFrame *Shape1;
    QLabel *LL_Update;
    QTimer Timer_Update;
    TXMLDocument XML1;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate(const QString &exeFolder);
    void Create_Controls();
    void Start_Up(const QString &exeFolder);
    TImageButton *Create_Button(const QString &name, const QString &icon, int left, int top,
                                int width, int height);
};

extern TFVelmoraeFirmWare *FVelmoraeFirmWare;
