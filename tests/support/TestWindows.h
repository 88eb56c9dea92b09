#pragma once
// Driving modal dialogs and edit fields, and watching windows repaint.

#include <QWidget>
#include <functional>

class QDialog;
class QLineEdit;

// Runs action as soon as the next modal dialog is showing (or after timeoutMs),
// so a test can drive a dialog that exec() is waiting on.
void When_Modal_Shows(std::function<void(QWidget *)> action, int timeoutMs = 5000);
// Runs action once dialog shows modally; closes it if action did not.
void When_Shown(QDialog *dialog, std::function<void()> action);

// Types text key by key; letters outside ASCII come as key events that carry
// only their text, as an input method sends them.
void Type(QWidget *field, const QString &text);
// Replaces an edit's whole text by typing.
void Retype(QLineEdit *edit, const QString &text);

// A window that counts its paints, to show that a wait keeps repainting.
class TPaint_Counter : public QWidget
{
public:
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++Paints; }
};
