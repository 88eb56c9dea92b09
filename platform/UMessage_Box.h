#pragma once
// The message boxes of the program: an icon, the text, the buttons.

#include <QMessageBox>

// Shows a modal box over parent and returns the button pressed. Messages
// carry names and paths the user chose: shown literally, never as markup.
int Show_Message_Box(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton initial);
