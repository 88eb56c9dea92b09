#include "app/UVelmoraeFirmWare.h"

#include "app/UPlatform.h"
#include "app/UProcess.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSignalBlocker>

namespace {

// While the runner waits, the windows repaint but what the user does is
// dropped, not queued: a click made during the wait never acts afterwards.
class TInput_Blocker : public QObject
{
public:
    TInput_Blocker() { QCoreApplication::instance()->installEventFilter(this); }
    ~TInput_Blocker() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
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
};

} // namespace

void TFVelmoraeFirmWare::Start_Program(const QString &NomeSW, const QString &Parameter,
                                       uint8_t tipo, int limitMs)
{
    const std::unique_ptr<TRunning_Program> program =
        Platform().Start_Program(NomeSW, Parameter, tipo != 0);
    if (!program)
        return;

    const TInput_Blocker blocker;
    // No version check starts while the updater runs; a tick due now is skipped.
    const QSignalBlocker tick_blocker(&Timer_Update);
    const uint32_t start = Tick_Count();
    bool done = false;
    while (!done) {
        done = !program->Is_Running();
        // Past the limit the program is left running; releasing it stops nothing.
        if (!done && uint32_t(Tick_Count() - start) >= uint32_t(limitMs))
            return;
        program->Pause(10);
        QCoreApplication::processEvents();
    }
}
