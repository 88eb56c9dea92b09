#include "ui/UScroll_Panel.h"

#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

namespace {
// A title bar and the bottom border, for a window not framed yet.
constexpr int Usual_Frame_Height = 40;
} // namespace

int Available_Client_Height(const QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return QWIDGETSIZE_MAX;
    int frame = Usual_Frame_Height;
    if (const QWindow *handle = window->windowHandle()) {
        const QMargins margins = handle->frameMargins();
        if (margins.top() + margins.bottom() > 0)
            frame = margins.top() + margins.bottom();
    }
    return screen->availableGeometry().height() - frame;
}

TScroll_Panel::TScroll_Panel(QWidget *dialog, const QString &objectName) : QScrollArea(dialog)
{
    setObjectName(objectName);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Tab goes from control to control as without the panel.
    setFocusPolicy(Qt::NoFocus);
    viewport()->setAutoFillBackground(false);
    auto *content = new QWidget;
    content->setAutoFillBackground(false);
    setWidget(content);
    // Tab reaches controls out of view, so does a "." that moves on to the next field.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && widget()->isAncestorOf(now))
            ensureWidgetVisible(now);
    });
}

int TScroll_Panel::Place(int top, int contentWidth, int contentHeight, int viewHeight)
{
    const bool scrolls = contentHeight > viewHeight;
    const int width =
        contentWidth + (scrolls ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) : 0);
    widget()->resize(contentWidth, contentHeight);
    setGeometry(0, top, width, viewHeight);
    for (QComboBox *list : widget()->findChildren<QComboBox *>()) {
        // A list would take the focus from the wheel, and then the wheel.
        list->setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::WheelFocus);
        list->installEventFilter(this);
    }
    return width;
}

bool TScroll_Panel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && verticalScrollBar()->maximum() > 0) {
        auto *list = qobject_cast<QComboBox *>(watched);
        if (list && !list->hasFocus()) {
            // Ignored, the wheel goes on to the panel's view.
            event->ignore();
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}
