#include "ui/UClickable.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
class TClick_Filter : public QObject
{
public:
    TClick_Filter(QLabel *label, std::function<void()> action)
        : QObject(label), m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_action();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                m_action();
                return true;
            }
        }
        return false;
    }

private:
    std::function<void()> m_action;
};
} // namespace

void Make_Clickable(QLabel *label, std::function<void()> action, bool keyboard)
{
    label->setCursor(Qt::PointingHandCursor);
    if (keyboard)
        label->setFocusPolicy(Qt::StrongFocus);
    label->installEventFilter(new TClick_Filter(label, std::move(action)));
}
