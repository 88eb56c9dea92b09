#pragma once
// One piece of work at a time on a thread of its own, for a window that must
// stay responsive while the plant's folders are read, its images built or its
// report written: the work runs there, and what follows it runs on the
// thread that owns the worker once the work has ended.

#include <QObject>
#include <functional>
#include <memory>

class QThread;

class TPlant_Worker : public QObject
{
    Q_OBJECT
public:
    explicit TPlant_Worker(QObject *parent = nullptr);
    // Waits for the work under way; what was to follow it is dropped.
    ~TPlant_Worker() override;

    // Runs work on a thread of its own and then done here; false, and
    // nothing started, while work runs. work must touch only what it was
    // handed (its own copies, a result no one else reads until done).
    bool Start(std::function<void()> work, std::function<void()> done);
    // From Start until done has run.
    bool Busy() const { return m_thread != nullptr; }

private:
    std::unique_ptr<QThread> m_thread;
    std::function<void()> m_done;
};
