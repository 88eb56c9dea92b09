// A generic Qt plugin loaded into a program under measurement; the program
// itself is not changed. Under the key "velmorashown" it writes "shown" to
// standard output once the first window has been exposed and painted. Under
// "velmoraclose" it also closes that window a moment later, as a user would,
// so a run under a memory checker goes from start to close by itself.
#include <QEvent>
#include <QGenericPlugin>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {
// Time between the first window shown and its close.
constexpr int Close_After_Ms = 500;

class TShown_Probe : public QObject
{
public:
    explicit TShown_Probe(bool close) : m_close(close) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWindow *>(watched);
        if (!m_told && event->type() == QEvent::Expose && window && window->isExposed()) {
            m_told = true;
            // Queued, so the painting that the exposure starts comes first.
            QTimer::singleShot(0, this, [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
            });
            if (m_close) {
                const QPointer<QWindow> shown(window);
                QTimer::singleShot(Close_After_Ms, this, [shown] {
                    if (shown)
                        shown->close();
                });
            }
        }
        return false;
    }

private:
    bool m_close;
    bool m_told = false;
};
} // namespace

class TShown_Probe_Plugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "shown_probe.json")
public:
    QObject *create(const QString &key, const QString &) override
    {
        auto *probe = new TShown_Probe(key.compare(QLatin1String("velmoraclose"), Qt::CaseInsensitive) == 0);
        QCoreApplication::instance()->installEventFilter(probe);
        return probe;
    }
};

#include "bench_shown_probe.moc"
