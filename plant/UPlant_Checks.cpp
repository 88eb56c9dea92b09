#include "plant/UPlant_Checks.h"

#include "check/UCheck_Log.h"
#include "check/UCheck_Runner.h"

#include <QThread>

namespace {

// What a recorder hands back.
struct TRecord
{
    TCheck_Result Result;
    QString Log_Error;
};

} // namespace

// A place for one check at a time: its runner, or the thread that records a
// configuration that cannot be checked.
struct TPlant_Checks::TSlot
{
    TCheck_Runner Runner;
    std::unique_ptr<QThread> Recorder;
    std::shared_ptr<TRecord> Record;
    QString Project;
};

TPlant_Checks::TPlant_Checks(QObject *parent) : QObject(parent) {}

TPlant_Checks::~TPlant_Checks()
{
    // The runners cancel and wait as they go; a recorder only writes.
    for (const std::unique_ptr<TSlot> &slot : m_slots) {
        slot->Runner.Cancel();
        if (slot->Recorder)
            slot->Recorder->wait();
    }
}

bool TPlant_Checks::Start(const QStringList &projects, const TPlant_Check_Choices &choices)
{
    if (Running() || projects.isEmpty())
        return false;
    m_projects = projects;
    m_choices = choices;
    m_next = 0;
    m_done = 0;
    m_cancelled = false;
    while (int(m_slots.size()) < qMin(Plant_Checks_At_Once, int(projects.size()))) {
        m_slots.push_back(std::make_unique<TSlot>());
        TSlot *slot = m_slots.back().get();
        connect(&slot->Runner, &TCheck_Runner::Finished, this,
                [this, slot](const TCheck_Result &result, const QString &logError) { Report(*slot, result, logError); });
    }
    for (const std::unique_ptr<TSlot> &slot : m_slots) {
        if (m_next < m_projects.size())
            Start_Next(*slot);
    }
    return true;
}

void TPlant_Checks::Start_Next(TSlot &slot)
{
    slot.Project = m_projects.at(m_next++);
    ++m_busy;
    TCheck_Request request;
    QStringList problems;
    const bool usable = Check_Request_Of(slot.Project, m_choices.Registers, request, problems);
    request.Unit = m_choices.Unit_ID;
    request.Echo = m_choices.Echo;
    const QString problem = usable ? Check_Request_Problem(request) : problems.join(QStringLiteral("; "));
    const QString log = Check_Log_Path(slot.Project);
    if (problem.isEmpty()) {
        slot.Runner.Start(request, log);
        return;
    }
    const auto record = std::make_shared<TRecord>();
    record->Result = Not_Checked_Result(request, problem);
    slot.Record = record;
    slot.Recorder.reset(QThread::create([record, log] { Append_Check_Log(log, record->Result, &record->Log_Error); }));
    // A Stop may have collected it before its end arrives here.
    connect(slot.Recorder.get(), &QThread::finished, this, [this, &slot] {
        if (slot.Recorder)
            Collect_Record(slot);
    });
    slot.Recorder->start();
}

void TPlant_Checks::Collect_Record(TSlot &slot)
{
    slot.Recorder->wait();
    slot.Recorder.reset();
    const std::shared_ptr<TRecord> record = std::move(slot.Record);
    Report(slot, record->Result, record->Log_Error);
}

void TPlant_Checks::Report(TSlot &slot, const TCheck_Result &result, const QString &logError)
{
    ++m_done;
    --m_busy;
    emit Checked(slot.Project, result, logError);
    if (m_next < m_projects.size() && !m_cancelled)
        Start_Next(slot);
    else if (m_busy == 0)
        emit Finished(m_cancelled);
}

void TPlant_Checks::Cancel()
{
    if (!Running())
        return;
    m_cancelled = true;
    for (const std::unique_ptr<TSlot> &slot : m_slots)
        slot->Runner.Cancel();
}

void TPlant_Checks::Stop()
{
    Cancel();
    for (const std::unique_ptr<TSlot> &slot : m_slots) {
        slot->Runner.Stop();
        if (slot->Recorder)
            Collect_Record(*slot);
    }
}
