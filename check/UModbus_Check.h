#pragma once
// Does a converter answer on Modbus TCP? One check, for the console program
// and the window alike: echo, TCP connect, one read per register block, and a
// verdict, each step with its time. The check takes a value and returns one;
// it reads and writes no program-wide state and pumps no window messages, so
// several can run at once, each on a worker thread of its own. It only ever
// reads (functions 03 and 04) and closes its connection before it returns.

#include "check/UModbus_Answer.h"
#include "check/UModbus_Map.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <condition_variable>
#include <functional>
#include <mutex>

class TModbus_Client;

constexpr int Default_Unit = 1;
constexpr int Max_Unit = 255;
constexpr int Default_Time_Limit_Ms = 3000;
constexpr int Min_Time_Limit_Ms = 100;
constexpr int Max_Time_Limit_Ms = 60000;
// Echo requests go out for at most this long (a device may be slow to wake).
constexpr int Echo_Limit_Ms = 5000;
// A watch reads the registers again this often.
constexpr int Watch_Interval_Ms = 1000;

struct TCheck_Request
{
    // Address, port and the blocks to read, each with its function; a caller
    // may switch a block's function between 03 and 04.
    TModbus_Map Map;
    int Unit = Default_Unit;                      // 0..255
    int Time_Limit_Ms = Default_Time_Limit_Ms;    // for the connect and for each read
    bool Echo = true;
    // 0: one check. Else a watch: after the check, the blocks are read again
    // over the same connection every so many ms (no echo again) until a
    // cancel, or until the connection cannot be read any more.
    int Watch_Every_Ms = 0;
    // Where the values came from, said in the record (for example that a
    // configuration had no ParGen.xml and its defaults were checked).
    QString Source;
};

constexpr int No_Exception = -1;

enum class TStep_Kind { Echo, Connect, Read, Verdict };
// Where the steps stand in a check's Steps: the echo, the connect, one read
// per block of the map from First_Read_Step on, and the verdict last.
constexpr int Echo_Step = 0;
constexpr int Connect_Step = 1;
constexpr int First_Read_Step = 2;
enum class TStep_State { Pending, Running, Passed, Failed, Not_Run, Cancelled };

struct TCheck_Step
{
    TStep_Kind Kind = TStep_Kind::Echo;
    TStep_State State = TStep_State::Pending;
    qint64 Ms = 0;
    // What happened, in a technician's words ("refused: ...", "no answer
    // within 3000 ms", the exception by name).
    QString Text;
    // Read steps: the block, and one value per register when it answered.
    TRegister_Block Block;
    QList<uint16_t> Values;
    // The device's exception code when it refused the block (00 too).
    int Exception = No_Exception;
    // Why the step failed or was not asked (None when it passed, or is yet to run).
    TStep_Cause Cause = TStep_Cause::None;
    bool Refused() const { return Exception != No_Exception; }
};

enum class TCheck_Verdict {
    Answers_With_Map,    // every register of the map was read
    Registers_Refused,   // every read was answered, some with an exception
    Faulty_Answers,      // answers that are no proper Modbus TCP answer
    Port_Closed,         // the connection was refused
    No_Answer,           // no connection, or no answer to any read
    Cancelled,
    Not_Checked          // the request itself cannot be checked
};

struct TCheck_Result
{
    TCheck_Request Request;
    QDateTime Started;
    // Echo, connect, one read per block of the map, verdict: always in this
    // order and number, as Planned_Steps gives them.
    QList<TCheck_Step> Steps;
    TCheck_Verdict Verdict = TCheck_Verdict::Not_Checked;
    int Refused_Registers = 0;
    QString Verdict_Text;
    // The whole check's time; a watch's rounds after the first: their reads'.
    qint64 Total_Ms = 0;
    // A watch: the rounds of reads it made whole (the first with the check),
    // and how often a register's value differed from the round before. The
    // steps and the verdict are the last whole round's. 0 for one check.
    int Watch_Rounds = 0;
    int Watch_Changes = 0;
};

// Ends a check from any thread, within half a second in every step. One per
// check; a cancel that comes before the check starts ends it at once.
class TCheck_Cancel
{
public:
    void Cancel();
    bool Cancelled() const;
    // Waits up to ms; true, at once, when a cancel came before or meanwhile.
    bool Wait_For_Cancel(int ms);
    // For the check: the connection a cancel must interrupt (nullptr: none).
    void Watch(TModbus_Client *client);

private:
    mutable std::mutex m_lock;
    std::condition_variable m_woken;
    bool m_cancelled = false;
    TModbus_Client *m_client = nullptr;
};

// Called on the check's own thread when a step starts (Running) and when it
// ends, with the step's position in the result's Steps.
using TCheck_Progress = std::function<void(int index, const TCheck_Step &step)>;
// Called on the check's own thread after each whole round of a watch, the
// first (with the check's own steps) included; the steps of later rounds are
// not reported one by one.
using TCheck_Round = std::function<void(const TCheck_Result &round)>;

// The steps a check of request takes, each Pending, for a window to show
// before it starts.
QList<TCheck_Step> Planned_Steps(const TCheck_Request &request);

// Why request cannot be checked ("" when it can): an address that is no plain
// dotted quad, a unit, time limit, watch interval, port, block or function
// out of range.
QString Check_Request_Problem(const TCheck_Request &request);

// Runs the check, or the watch, on the calling thread. progress and round
// may be null, and cancel too but for a watch: a watch ends only by a cancel
// (or a fault), so without one only its check runs.
TCheck_Result Run_Modbus_Check(const TCheck_Request &request, TCheck_Cancel *cancel = nullptr,
                               const TCheck_Progress &progress = TCheck_Progress(),
                               const TCheck_Round &round = TCheck_Round());

// The request for the configuration in folder project: its ParGen.xml read
// as Set Communication reads it, blockCount registers in each data block, the
// other settings at their defaults. A missing or unreadable file gives Set
// Communication's defaults, said in the request's Source. False, with the
// problems, when the values name no address, port or register a check can use.
bool Check_Request_Of(const QString &project, int blockCount, TCheck_Request &request,
                      QStringList &problems);

// Switches the function of every block of role (3 or 4).
void Set_Function(TModbus_Map &map, TRegister_Role role, int function);

// "echo", "connect", the block's role ("read data", ...), "verdict".
QString Step_Name(const TCheck_Step &step);
// Where a block is read: "function 04 (input registers), addresses 1-8", or
// "... address 0" for one register.
QString Block_Place(const TRegister_Block &block);
// "answers with the configured map", "answers, but 8 registers refused", ...
QString Verdict_Name(TCheck_Verdict verdict, int refusedRegisters);
