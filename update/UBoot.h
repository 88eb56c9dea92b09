#pragma once
// The Update Device dialog: the device's address and what to update, the
// reachability test, and the hand-over of the job to the updater program.

#include "ui/UWidgets.h"
#include "common/UXmlDoc.h"
#include "platform/UEcho.h"
#include "platform/UProcess.h"
#include "update/UUpdate_Log.h"

#include <QDialog>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;

// The address and the choices of an update whose device answered.
struct TUpdate_Choices
{
    QString IP_Address;
    int32_t Update_Option = 0;
    bool Read_Back = false;
};

// Runs the updater and waits for its end, or its limit: how the run ended.
using TUpdater_Runner =
    std::function<TRun_Result(const QString &program, const QString &parameters, bool hidden)>;

class TFBoot : public QDialog
{
    Q_OBJECT
public:
    explicit TFBoot(QWidget *parent = nullptr);

    void FormShow();
    void Set_Lang();
    // The key handler of the four address fields; true when the key was used up.
    bool KeyPress(QObject *Sender, QKeyEvent *Key);
    // Echo requests until two were answered or about 5 s passed; true when
    // the last one was answered.
    bool Send_Ping();
    void PingReply(const TEcho_Reply &AReplyStatus);
    void Btn_UpdateClick();
    // Writes the job file from the dialog's choices; false with the reason.
    bool Compile_XML_Parameter(QString *error = nullptr);
    // The four address fields joined by ".", exactly as they stand.
    QString Address_Text() const;

    TTitleBand Title;
    QWidget *P_IP_Address;
    QLabel *L_IP_Address;
    QLineEdit *E_IP1;
    QLineEdit *E_IP2;
    QLineEdit *E_IP3;
    QLineEdit *E_IP4;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QWidget *P_Options;
    QLabel *L_Update_Option;
    QComboBox *CB_Update_Options;
    QCheckBox *CB_Update_Option_Read_Back;
    QWidget *P_Button;
    TImageButton *Btn_Cancel;
    TImageButton *Btn_Update;
    TXMLDocument XML1;

    // The last echo: 0 none yet, 1 answered with data, 2 not answered.
    int32_t ping_res = 0;

    // The main window's program runner, set when the windows are connected;
    // without it the updater counts as not started.
    TUpdater_Runner Run_Updater;

    // One echo waits this long for its reply; the test gives up after the limit.
    static constexpr int Ping_Timeout_Ms = 400;
    static constexpr uint32_t Ping_Limit_Ms = 5000;

signals:
    // The device answered: the address and the choices are to be kept.
    void Update_Confirmed(const TUpdate_Choices &choices);

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *Create_IP_Field(const QString &name, int left);
    QLabel *Create_Dot(const QString &name, int left);
    void Arrange_Panels();
    // Records a run begun at started that ended as end (and detail) say.
    void Record_Update(const QDateTime &started, TUpdate_End end, const QString &detail = QString());
    // Adds a run, its time and end set, to the open configuration's
    // Update.log with the dialog's address and choices and what the
    // configuration holds now; a warning says when it cannot be added.
    void Append_Record(TUpdate_Run run);

    bool m_busy = false;      // an update click is being handled
    bool m_cancelled = false; // the dialog was closed during the test
};

extern TFBoot *FBoot;
