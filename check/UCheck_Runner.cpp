#include "check/UCheck_Runner.h"

#include "check/UCheck_Log.h"

#include <QThread>

// The check under way: written by its thread until the thread ends.
struct TCheck_Runner::TRun
{
    TCheck_Cancel Cancel;
    TCheck_Result Result;
    QString Log_Error;
};

TCheck_Runner::TCheck_Runner(QObject *parent) : QObject(parent) {}

TCheck_Runner::~TCheck_Runner()
{
    if (!Running())
        return;
    m_run->Cancel.Cancel();
    m_worker->wait();
}

bool TCheck_Runner::Start(const TCheck_Request &request, const QString &logFile)
{
    if (Running())
        return false;
    m_run = std::make_shared<TRun>();
    const int serial = ++m_serial;
    const std::shared_ptr<TRun> run = m_run;
    // Each report is handed to this object's thread; one that comes after its
    // check was collected finds another serial number there and is dropped.
    const TCheck_Progress progress = [this, serial](int index, const TCheck_Step &step) {
        Post(serial, [this, index, step] { emit Step_Changed(index, step); });
    };
    const TCheck_Round round = [this, serial](const TCheck_Result &result) {
        Post(serial, [this, result] { emit Round_Done(result); });
    };
    m_worker.reset(QThread::create([run, request, logFile, progress, round] {
        run->Result = Run_Recorded_Check(request, logFile, &run->Log_Error, &run->Cancel, progress, round);
    }));
    connect(m_worker.get(), &QThread::finished, this, [this, serial] {
        if (serial == m_serial && Running())
            Collect();
    });
    m_worker->start();
    return true;
}

void TCheck_Runner::Post(int serial, const std::function<void()> &report)
{
    QMetaObject::invokeMethod(
        this,
        [this, serial, report] {
            if (serial == m_serial && Running())
                report();
        },
        Qt::QueuedConnection);
}

void TCheck_Runner::Cancel()
{
    if (Running())
        m_run->Cancel.Cancel();
}

void TCheck_Runner::Stop()
{
    if (!Running())
        return;
    m_run->Cancel.Cancel();
    Collect();
}

bool TCheck_Runner::Running() const
{
    return m_worker != nullptr;
}

void TCheck_Runner::Collect()
{
    m_worker->wait();
    m_worker.reset();
    const std::shared_ptr<TRun> run = std::move(m_run);
    emit Finished(run->Result, run->Log_Error);
}
