#pragma once
// The Check Device dialog: does the converter answer on Modbus TCP at the
// open configuration's address, with the registers it names? The check runs
// on a worker thread of its own through a check runner, so the window
// repaints, moves and takes clicks throughout, and a cancel, a close or the
// program's end stops it within half a second. Each check is added to the
// configuration's Check.log by the engine. A watch reads the registers again
// every second until Stop, its changed values marked. Under the tables the
// verdict, the cause of the first step that failed in the user's language,
// and the record's path; the table copies as text and the record opens from
// here. The dialog holds the fields and buttons; the tables of registers and
// steps are a widget of their own.

#include "ui/UWidgets.h"
#include "check/UCheck_Runner.h"
#include "check/UModbus_Check.h"

#include <QDialog>
#include <memory>
#include <optional>

class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QSpinBox;
class TCheck_Result_Lines;
class TCheck_Tables;
class TTimer_Hold;

// The choices of the dialog worth keeping from one check to the next start
// of the program.
struct TCheck_Choices
{
    int Unit_ID = Default_Unit;
    int Registers = Default_Block_Count;
    bool Echo = true;   // Echo Requests First
};

class TFCheck_Device : public QDialog
{
    Q_OBJECT
public:
    explicit TFCheck_Device(QWidget *parent = nullptr);
    // Stops a check under way and waits for its thread.
    ~TFCheck_Device() override;

    // What the next showing checks: the configuration in folder project, with
    // the unit and the registers per data block kept from the last check.
    void Prepare(const QString &project, const TCheck_Choices &choices);

    void FormShow();
    void Set_Lang();
    // The key handler of the four address fields; true when the key was used up.
    bool KeyPress(QObject *Sender, QKeyEvent *Key);
    void Btn_StartClick();
    // Starts a watch: the check, then its reads again every second until Stop.
    void Btn_WatchClick();
    void Btn_CancelClick();
    // Puts every row of the registers table on the clipboard as tab-separated
    // text (Ctrl+C too).
    void Copy_Registers();
    // Hands Check.log to the system's "open".
    void Open_Log();
    // The four address fields joined by ".", exactly as they stand.
    QString Address_Text() const;
    bool Running() const { return m_runner.Running(); }
    // A watch runs (Running too).
    bool Watching() const { return Running() && m_watching; }
    // The last check's result, once one has ended since the dialog opened.
    const std::optional<TCheck_Result> &Result() const { return m_result; }

    TTitleBand Title;
    QWidget *P_Device;
    QLabel *L_IP_Address;
    QWidget *P_IP_Address;
    QLineEdit *E_IP1;
    QLineEdit *E_IP2;
    QLineEdit *E_IP3;
    QLineEdit *E_IP4;
    QLabel *L_Port;
    QLineEdit *E_Port;
    QLabel *L_Unit_ID;
    QSpinBox *SE_Unit_ID;
    QLabel *L_Registers;
    QSpinBox *SE_Registers;
    QCheckBox *CB_Echo;
    QLabel *L_Source;
    QWidget *P_Result;
    // SG_Registers and SG_Steps with their captions.
    TCheck_Tables *Tables;
    // The verdict, the cause and the record's place, under the tables.
    TCheck_Result_Lines *Lines;
    QLabel *L_Verdict;
    // Why: the first failing step's cause in this language, the engine's
    // English words its hint.
    QLabel *L_Cause;
    QLabel *L_Log;
    QWidget *P_Button;
    TImageButton *Btn_Log;
    TImageButton *Btn_Copy;
    TImageButton *Btn_Close;
    TImageButton *Btn_Cancel;
    TImageButton *Btn_Watch;
    TImageButton *Btn_Start;

signals:
    // A check starts with these choices: they are to be kept.
    void Choices_Used(const TCheck_Choices &choices);

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Where the configuration's values came from.
    enum class TSource { ParGen, No_ParGen, Damaged };

    void Create_Device_Panel();
    void Create_Result_Panel();
    void Create_Button_Panel();
    QLineEdit *Create_IP_Field(const QString &name);
    void Load_Plan();
    void Show_Plan(bool newRows);
    void Set_Tab_Order();
    void Fit_Size();
    void Place_Buttons(int width);
    void Show_Verdict();
    void Show_Buttons();
    void Show_Source();
    void Show_Log_Note();
    void Set_Running(bool running);
    void Show_Result(const TCheck_Result &result, const QString &logError);
    void Show_Round(const TCheck_Result &round);
    bool Read_Inputs(TCheck_Request &request);
    void Start(bool watch);

    QString m_project;
    TCheck_Choices m_choices;
    // The configuration's request with the dialog's registers per block;
    // its address, port, unit and functions are replaced at the start.
    TCheck_Request m_plan;
    QStringList m_problems;
    TSource m_source = TSource::ParGen;
    std::optional<TCheck_Result> m_result;
    // The watch under way and its last whole round.
    bool m_watching = false;
    std::optional<TCheck_Result> m_round;
    QString m_log_error;

    TCheck_Runner m_runner;
    std::unique_ptr<TTimer_Hold> m_hold;
};

extern TFCheck_Device *FCheck_Device;
