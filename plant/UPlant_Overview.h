#pragma once
// Plant Overview: every configuration of PROJECTS in one table, as Open
// Configuration lists them, with what its files say about its commissioning.
// The folders are read on a worker thread, so the window shows at once and
// answers throughout; from here a configuration is opened, the devices of
// the chosen rows (or of all) are checked up to 32 at once with Check
// Device's unit, registers and echo choice, their images built, and the
// commissioning report saved as PDF. Each row follows its check's result as
// it arrives. Closing the window stops the checks under way first.

#include "plant/UPlant_Checks.h"
#include "plant/UPlant_Rows.h"
#include "plant/UPlant_Worker.h"
#include "ui/UWidgets.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QProgressBar;
class QTableWidget;
class TPlant_Grid;
class TTimer_Hold;

class TFPlant_Overview : public QDialog
{
    Q_OBJECT
public:
    explicit TFPlant_Overview(QWidget *parent = nullptr);
    // Stops the checks under way and waits for the work of its threads.
    ~TFPlant_Overview() override;

    void Set_Lang();
    // Reads every configuration folder again (F5).
    void Refresh();
    // Makes the row with the focus the open configuration and closes the
    // window (Enter, a double-click).
    void Open_Chosen();
    void Check_Chosen();
    void Check_All();
    void Cancel_Checks();
    // bank.bin of the chosen rows, or of all listed when none is chosen.
    void Build_Images();
    void Save_Report();

    // The folders are being read (all, or rows after their checks).
    bool Reading() const { return m_reader.Busy() || m_read_all; }
    bool Checking() const { return m_checks.Running(); }
    bool Building() const { return m_builder.Busy(); }
    bool Saving() const { return m_writer.Busy(); }
    const QList<TPlant_Row> &Rows() const { return m_rows; }

    TTitleBand Title;
    QLabel *L_Filter;
    QLineEdit *E_Filter;
    TImageButton *Btn_Refresh;
    TPlant_Grid *Grid;
    QTableWidget *SG_Plant;
    QLabel *L_Summary;
    QProgressBar *PB_Progress;
    QLabel *L_Status;
    TImageButton *Btn_Open;
    TImageButton *Btn_Check;
    TImageButton *Btn_Check_All;
    TImageButton *Btn_Build_Images;
    TImageButton *Btn_Save_Report;
    TImageButton *Btn_Cancel;
    TImageButton *Btn_Close;

signals:
    // The configuration name (a folder of PROJECTS) is to be the open one.
    void Configuration_Opened(const QString &name);
    // The table shows every row read.
    void Rows_Shown();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Create_Controls();
    void Set_Tab_Order();
    void Fit_To_Screen();
    void Keep_View();
    // Reads what is asked for next: every folder, or the rows named.
    void Read_Next();
    void Show_All(const QList<TPlant_Row> &rows);
    void Merge(const QList<TPlant_Row> &rows);
    void Show_Summary();
    void Show_Buttons();
    void Start_Checks(const QStringList &names);
    void Show_Checked(const QString &project, const QString &logError);
    void Checks_Ended(bool cancelled);
    void Show_Progress();
    void Images_Built(const QStringList &names, const QStringList &errors);
    QStringList Paths_Of(const QStringList &names) const;

    QList<TPlant_Row> m_rows;
    TPlant_Worker m_reader;
    TPlant_Worker m_builder;
    TPlant_Worker m_writer;
    TPlant_Checks m_checks;
    std::unique_ptr<TTimer_Hold> m_hold;
    // What to read next.
    bool m_read_all = false;
    QStringList m_reread;
    // The records the checks could not add to, one line each.
    QStringList m_log_errors;
    // Widths the user set by hand, kept; otherwise each language's own.
    bool m_user_widths = false;
    bool m_fitting = false;
    bool m_shown_once = false;
};

extern TFPlant_Overview *FPlant_Overview;
