#include "ui/UDefault_Button.h"

#include "ui/UWidgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {
// Sees the keys that reach the dialog: those its controls left unused.
class TDefault_Button : public QObject
{
public:
    TDefault_Button(QWidget *dialog, QAbstractButton *button) : QObject(dialog), m_button(button)
    {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier))
            return false;
        QAbstractButton *pressed = qobject_cast<TImageButton *>(QApplication::focusWidget());
        if (!pressed)
            pressed = m_button;
        if (pressed && pressed->isEnabled() && pressed->isVisible())
            pressed->click();
        return true;
    }

private:
    QPointer<QAbstractButton> m_button;
};
} // namespace

void Set_Default_Button(QWidget *dialog, QAbstractButton *button)
{
    new TDefault_Button(dialog, button);
}
