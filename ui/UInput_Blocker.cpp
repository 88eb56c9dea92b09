#include "ui/UInput_Blocker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QTimer>

namespace {
QList<QPointer<QTimer>> &Held_Timers()
{
    static QList<QPointer<QTimer>> timers;
    return timers;
}
} // namespace

void Hold_During_Waits(QTimer *timer)
{
    Held_Timers().removeAll(nullptr);
    Held_Timers().append(timer);
}

TTimer_Hold::TTimer_Hold()
{
    for (const QPointer<QTimer> &timer : Held_Timers()) {
        if (timer)
            m_blockers.emplace_back(timer.data());
    }
}

TInput_Blocker::TInput_Blocker()
{
    QCoreApplication::instance()->installEventFilter(this);
}

TInput_Blocker::~TInput_Blocker()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool TInput_Blocker::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}
