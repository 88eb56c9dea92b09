#pragma once
// The lines under Check Device's tables: the verdict (or what runs), the
// cause of the first step that failed in the window's language, and where
// the check is recorded (or why it could not be).

#include "check/UModbus_Check.h"

#include <QWidget>
#include <optional>

class QLabel;

class TCheck_Result_Lines : public QWidget
{
    Q_OBJECT
public:
    explicit TCheck_Result_Lines(QWidget *parent);

    // While running: the watch's round so far when there is one; then the
    // result when there is one; else ready.
    void Show_Verdict(bool running, const std::optional<TCheck_Result> &result,
                      const std::optional<TCheck_Result> &round);
    // The record's place, or logError when the last check could not be recorded.
    void Show_Log_Note(const QString &logPath, const QString &logError);

    QLabel *L_Verdict;
    QLabel *L_Cause;
    QLabel *L_Log;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Show_Cause(const std::optional<TCheck_Result> &result);
};
