#pragma once
// Runs one recorded Modbus check at a time on a thread of its own, for a
// window that must stay responsive: each step's start and end and the check's
// end come back as signals on the thread that owns the runner. A report that
// arrives after its check was collected, or after the next check started, is
// dropped. The runner keeps no state outside itself and makes its thread only
// when a check starts, so a window may keep one for each device it checks.

#include "check/UModbus_Check.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QThread;

class TCheck_Runner : public QObject
{
    Q_OBJECT
public:
    explicit TCheck_Runner(QObject *parent = nullptr);
    // Cancels a check under way and waits for it, so its block reaches the
    // record whole; Finished is not emitted then.
    ~TCheck_Runner() override;

    // Starts Run_Recorded_Check of request, its block added to logFile (none
    // when empty); false, and nothing started, while a check runs. A watch
    // (the request's Watch_Every_Ms) runs until Cancel or Stop, and its one
    // block is added when it ends.
    bool Start(const TCheck_Request &request, const QString &logFile);
    // Asks the check under way to end; it does within half a second, and
    // Finished follows.
    void Cancel();
    // Cancels the check under way, waits for it and emits Finished before it
    // returns; nothing when none runs.
    void Stop();
    // From Start until Finished.
    bool Running() const;

signals:
    // A step of the running check started (Running) or ended; index is its
    // place in the result's Steps.
    void Step_Changed(int index, const TCheck_Step &step);
    // A watch's round was read whole (the first with the check's steps).
    void Round_Done(const TCheck_Result &round);
    // The check ended (or was cancelled); logError says why its block could
    // not be added to the record, and is empty otherwise.
    void Finished(const TCheck_Result &result, const QString &logError);

private:
    struct TRun;

    void Collect();
    // From the check's thread: report runs on this object's thread unless
    // the check of serial was collected meanwhile.
    void Post(int serial, const std::function<void()> &report);

    std::shared_ptr<TRun> m_run;
    std::unique_ptr<QThread> m_worker;
    // Tells the reports of the check under way from a collected one's.
    int m_serial = 0;
};
