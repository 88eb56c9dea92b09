#pragma once
// The Check Device dialog: does the converter answer on Modbus TCP at the
// open configuration's address, with the registers it names? The check runs
// on a worker thread of its own through the check engine, so the window
// repaints, moves and takes clicks throughout, and a cancel, a close or the
// program's end stops it within half a second. Each check is added to the
// configuration's Check.log by the engine.

#include "ui/UWidgets.h"
#include "check/UModbus_Check.h"

#include <QDialog>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QThread;
class TTimer_Hold;

// The choices of the dialog worth keeping from one check to the next start
// of the program.
struct TCheck_Choices
{
    int Unit_ID = Default_Unit;
    int Registers = Default_Block_Count;
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
    void Btn_CancelClick();
    // The four address fields joined by ".", exactly as they stand.
    QString Address_Text() const;
    bool Running() const { return m_worker != nullptr; }
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
    QLabel *L_Registers_Table;
    QTableWidget *SG_Registers;
    QLabel *L_Steps;
    QTableWidget *SG_Steps;
    QLabel *L_Verdict;
    QLabel *L_Log;
    QWidget *P_Button;
    TImageButton *Btn_Close;
    TImageButton *Btn_Cancel;
    TImageButton *Btn_Start;

    // Columns of SG_Registers (a block's role, function and time on its
    // first row) and of SG_Steps.
    enum { Col_Role, Col_Address, Col_Function, Col_Time, Col_Decimal, Col_Hex, Register_Columns };
    enum { Col_Step, Col_State, Col_Step_Time, Step_Columns };

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
    // The check under way: written by its thread until the thread ends.
    struct TRun
    {
        TCheck_Cancel Cancel;
        TCheck_Result Result;
        QString Log_Error;
    };

    void Create_Device_Panel();
    void Create_Result_Panel();
    void Create_Button_Panel();
    QLineEdit *Create_IP_Field(const QString &name);
    void Load_Plan();
    void Show_Plan(bool newRows);
    void Rebuild_Register_Rows();
    void Set_Tab_Order();
    void Fit_Columns();
    void Fit_Width();
    void Show_Step(int index);
    void Show_Verdict();
    void Show_Source();
    void Show_Log_Note();
    void Set_Running(bool running);
    void Step_Progress(int serial, int index, const TCheck_Step &step);
    // Joins the finished (or cancelled) thread and shows its result.
    void Collect(bool show);
    void Stop_Check(bool show);
    bool Read_Inputs(TCheck_Request &request);

    QString m_project;
    TCheck_Choices m_choices;
    // The configuration's request with the dialog's registers per block;
    // its address, port, unit and functions are replaced at the start.
    TCheck_Request m_plan;
    QStringList m_problems;
    TSource m_source = TSource::ParGen;
    // The function of each role, as switched in the table, kept while the
    // program runs (a property of the device's firmware, not of one check).
    int m_functions[5];
    QList<TCheck_Step> m_steps;
    // First row of each read step in SG_Registers, by step index.
    QList<int> m_first_row;
    QList<QComboBox *> m_function_boxes;
    std::optional<TCheck_Result> m_result;
    QString m_log_error;

    std::shared_ptr<TRun> m_run;
    std::unique_ptr<QThread> m_worker;
    std::unique_ptr<TTimer_Hold> m_hold;
    // Tells a finished check's late reports from the next check's.
    int m_serial = 0;
};

extern TFCheck_Device *FCheck_Device;
