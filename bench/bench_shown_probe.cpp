// A generic Qt plugin loaded into a program under measurement: once its first
// window has been exposed and painted it writes "shown" to standard output.
// The program itself is not changed.
#include <QEvent>
#include <QGenericPlugin>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {
class TShown_Probe : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWindow *>(watched);
        if (!m_told && event->type() == QEvent::Expose && window && window->isExposed()) {
            m_told = true;
            // Queued, so the painting that the exposure starts comes first.
            QTimer::singleShot(0, [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
            });
        }
        return false;
    }

private:
    bool m_told = false;
};
} // namespace

class TShown_Probe_Plugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "shown_probe.json")
public:
    QObject *create(const QString &, const QString &) override
    {
        auto *probe = new TShown_Probe;
        QCoreApplication::instance()->installEventFilter(probe);
        return probe;
    }
};

#include "bench_shown_probe.moc"
