#include "platform/UMessage_Box.h"

int Show_Message_Box(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton initial)
{
    QMessageBox box(icon, QString(), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(initial);
    return box.exec();
}
