#pragma once
// Driving modal dialogs and watching windows repaint.

#include <QWidget>
#include <functional>

// Runs action as soon as the next modal dialog is showing (or after timeoutMs),
// so a test can drive a dialog that exec() is waiting on.
void When_Modal_Shows(std::function<void(QWidget *)> action, int timeoutMs = 5000);

// A window that counts its paints, to show that a wait keeps repainting.
class TPaint_Counter : public QWidget
{
public:
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++Paints; }
};
