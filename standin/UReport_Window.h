#pragma once
// The stand-in's report on the screen: started by the configurator with its
// window shown, it has no console to print to, so the user reads the decoded
// job and the verdict here. The window closes by itself in time for the
// configurator's wait.

#include "standin/UJob_Check.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProcessEnvironment;
class QPushButton;

// Inside the configurator's 150 s wait for the updater.
constexpr int Report_Window_Close_Ms = 120000;

class TReport_Window : public QDialog
{
public:
    explicit TReport_Window(const TJob_Report &report, int closeAfterMs = Report_Window_Close_Ms);

    QPlainTextEdit *Findings;
    QLabel *Verdict;
    QPushButton *Btn_Close;
};

// False where nobody would see the window: tests ask for quiet
// (VELMORA_STANDIN_QUIET), the platform draws off the screen, or there is no
// display at all.
bool Report_Window_Wanted(const QProcessEnvironment &environment);
