#include "ui/UOctet_Fields.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

bool Can_Take_Focus(const QWidget *widget)
{
    return widget->isEnabled() && widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus);
}

} // namespace

void Focus_And_Select(QLineEdit *field)
{
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
}

bool Octet_Key_Press(const QList<QLineEdit *> &fields, const QObject *sender, const QKeyEvent *key)
{
    if (key->text() != QLatin1String("."))
        return false;
    for (int i = 0; i + 1 < fields.size(); ++i) {
        if (fields.at(i) == sender) {
            if (Can_Take_Focus(fields.at(i + 1)))
                Focus_And_Select(fields.at(i + 1));
            break;
        }
    }
    return true;
}
