#pragma once
// The Modbus checks of many configurations for a window: up to
// Plant_Checks_At_Once at a time, each on a check runner of its own (a thread
// per running check), the next started as one ends, each result reported as
// it arrives on the thread that owns the checks. Every check adds its block
// to its configuration's Check.log as Check Device's do; a configuration
// whose ParGen.xml names no address, port or register a check can use gets a
// "not checked" block with the reason, written on a thread of its own too.

#include "check/UModbus_Check.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

// Devices accept few connections, and a plant's network few at once.
constexpr int Plant_Checks_At_Once = 32;

// Check Device's choices, for every check of the batch.
struct TPlant_Check_Choices
{
    int Unit_ID = Default_Unit;
    int Registers = Default_Block_Count;
    bool Echo = true;
};

class TPlant_Checks : public QObject
{
    Q_OBJECT
public:
    explicit TPlant_Checks(QObject *parent = nullptr);
    // Cancels the checks under way and waits for them, so each block
    // reaches its record whole; nothing is reported then.
    ~TPlant_Checks() override;

    // Checks the configuration folders projects in their order; false, and
    // nothing started, while checks run or when there is none.
    bool Start(const QStringList &projects, const TPlant_Check_Choices &choices);
    // The waiting checks are dropped and those under way end within half a
    // second (each recorded as cancelled); Finished follows.
    void Cancel();
    // Cancel, then waits for every check under way; each is reported, and
    // Finished, before it returns.
    void Stop();
    // From Start until Finished.
    bool Running() const { return m_busy > 0; }
    int Done() const { return m_done; }
    int Total() const { return int(m_projects.size()); }

signals:
    // The check of project ended; logError says why its block could not be
    // added to Check.log, and is empty otherwise.
    void Checked(const QString &project, const TCheck_Result &result, const QString &logError);
    // Every check ended, or was cancelled or dropped.
    void Finished(bool cancelled);

private:
    struct TSlot;

    void Start_Next(TSlot &slot);
    void Collect_Record(TSlot &slot);
    void Report(TSlot &slot, const TCheck_Result &result, const QString &logError);

    std::vector<std::unique_ptr<TSlot>> m_slots;
    QStringList m_projects;
    TPlant_Check_Choices m_choices;
    qsizetype m_next = 0;
    int m_done = 0;
    int m_busy = 0;
    bool m_cancelled = false;
};
