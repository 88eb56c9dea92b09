#include "check/UModbus_Check.h"

#include "platform/UEcho.h"
#include "platform/UModbus_Client.h"

#include <QElapsedTimer>
#include <chrono>

namespace {

// One echo request waits as long as the update dialog's do, so a cancel is
// seen between two of them within half a second.
constexpr int Echo_Slice_Ms = 400;

// Ties the client to the cancel for as long as the check uses it.
class TWatched
{
public:
    TWatched(TCheck_Cancel *cancel, TModbus_Client &client) : m_cancel(cancel)
    {
        if (m_cancel)
            m_cancel->Watch(&client);
    }
    ~TWatched()
    {
        if (m_cancel)
            m_cancel->Watch(nullptr);
    }
    TWatched(const TWatched &) = delete;
    TWatched &operator=(const TWatched &) = delete;

private:
    TCheck_Cancel *m_cancel;
};

// A check under way: its result, its clocks and its reports.
struct TRun
{
    TCheck_Result &Result;
    TCheck_Cancel *Cancel;
    // Emptied for a watch's later rounds, which are reported whole.
    TCheck_Progress Progress;
    QElapsedTimer Total_Clock;
    QElapsedTimer Step_Clock;

    bool Cancelled() const { return Cancel && Cancel->Cancelled(); }
    TCheck_Step &Step(int index) { return Result.Steps[index]; }
    void Report(int index)
    {
        if (Progress)
            Progress(index, Step(index));
    }
    void Start(int index)
    {
        Step(index).State = TStep_State::Running;
        Step_Clock.start();
        Report(index);
    }
    void End(int index, TStep_State state, const QString &text, TStep_Cause cause = TStep_Cause::None)
    {
        TCheck_Step &step = Step(index);
        step.State = state;
        step.Text = text;
        step.Cause = cause;
        step.Ms = Step_Clock.elapsed();
        Report(index);
    }
    // Marks the steps from index up to the verdict as not asked.
    void Skip_From(int index, const QString &text, TStep_Cause cause)
    {
        for (int i = index; i < Result.Steps.size() - 1; ++i) {
            Step(i).State = TStep_State::Not_Run;
            Step(i).Text = text;
            Step(i).Cause = cause;
            Report(i);
        }
    }
    TCheck_Result Finish(TCheck_Verdict verdict, const QString &detail = QString(),
                         TStep_Cause cause = TStep_Cause::None)
    {
        Result.Verdict = verdict;
        Result.Verdict_Text = Verdict_Name(verdict, Result.Refused_Registers);
        Result.Total_Ms = Total_Clock.elapsed();
        const int index = int(Result.Steps.size()) - 1;
        TCheck_Step &step = Step(index);
        step.State = verdict == TCheck_Verdict::Answers_With_Map ? TStep_State::Passed
                     : verdict == TCheck_Verdict::Cancelled      ? TStep_State::Cancelled
                                                                 : TStep_State::Failed;
        step.Text = detail.isEmpty() ? Result.Verdict_Text : Result.Verdict_Text + QStringLiteral(": ") + detail;
        step.Cause = cause;
        step.Ms = Result.Total_Ms;
        Report(index);
        return Result;
    }
    TCheck_Result Finish_Cancelled(int from)
    {
        Skip_From(from, QStringLiteral("not asked (cancelled)"), TStep_Cause::Cancelled);
        return Finish(TCheck_Verdict::Cancelled);
    }
};

void Run_Echo(TRun &run, const QString &address)
{
    const TCheck_Request &request = run.Result.Request;
    if (!request.Echo) {
        run.Step(Echo_Step).State = TStep_State::Not_Run;
        run.Step(Echo_Step).Text = QStringLiteral("not asked (echo off)");
        run.Step(Echo_Step).Cause = TStep_Cause::Echo_Off;
        run.Report(Echo_Step);
        return;
    }
    run.Start(Echo_Step);
    const QByteArray data = address.toUtf8();
    for (;;) {
        if (run.Cancelled())
            return run.End(Echo_Step, TStep_State::Cancelled, QStringLiteral("cancelled"), TStep_Cause::Cancelled);
        const qint64 left = Echo_Limit_Ms - run.Step_Clock.elapsed();
        if (left <= 0)
            break;
        const TEcho_Reply reply = Echo_Request(address, data, int(qMin<qint64>(left, Echo_Slice_Ms)));
        if (!reply.Sent)
            return run.End(Echo_Step, TStep_State::Failed, QStringLiteral("not sent: ") + reply.Error,
                           TStep_Cause::System_Error);
        if (reply.Bytes_Received > 0)
            return run.End(Echo_Step, TStep_State::Passed, QStringLiteral("answered"));
    }
    run.End(Echo_Step, TStep_State::Failed,
            QStringLiteral("no answer within %1 ms (many plants block echo requests; the check goes on)")
                .arg(Echo_Limit_Ms),
            TStep_Cause::Echo_Silent);
}

// The connect step.
TConnect_Outcome Run_Connect(TRun &run, TModbus_Client &client, uint32_t address)
{
    const TCheck_Request &request = run.Result.Request;
    const TModbus_Map &map = request.Map;
    run.Start(Connect_Step);
    const TConnect_Result connected = client.Connect(address, map.Port, request.Time_Limit_Ms);
    switch (connected.Outcome) {
    case TConnect_Outcome::Connected:
        run.End(Connect_Step, TStep_State::Passed, QStringLiteral("connected to %1:%2").arg(map.Address, QString::number(map.Port)));
        break;
    case TConnect_Outcome::Refused:
        run.End(Connect_Step, TStep_State::Failed,
                QStringLiteral("refused: nothing listens at port %1 of %2 (the Modbus TCP server is off, "
                               "or it listens at another port)")
                    .arg(map.Port)
                    .arg(map.Address),
                TStep_Cause::Refused);
        break;
    case TConnect_Outcome::Timed_Out:
        run.End(Connect_Step, TStep_State::Failed,
                QStringLiteral("no answer within %1 ms (no device at this address, or a firewall drops "
                               "the connection)")
                    .arg(request.Time_Limit_Ms),
                TStep_Cause::Timed_Out);
        break;
    case TConnect_Outcome::Unreachable:
        run.End(Connect_Step, TStep_State::Failed,
                QStringLiteral("no way to %1: %2 (check the address and this computer's network)")
                    .arg(map.Address, connected.Error),
                TStep_Cause::Unreachable);
        break;
    case TConnect_Outcome::Cancelled:
        run.End(Connect_Step, TStep_State::Cancelled, QStringLiteral("cancelled"), TStep_Cause::Cancelled);
        break;
    case TConnect_Outcome::Failed:
        run.End(Connect_Step, TStep_State::Failed, QStringLiteral("failed: ") + connected.Error,
                TStep_Cause::System_Error);
        break;
    }
    return connected.Outcome;
}

// One read step; false when the connection cannot be used for more.
bool Run_Read(TRun &run, TModbus_Client &client, int index, bool &anythingCame)
{
    const TCheck_Request &request = run.Result.Request;
    TCheck_Step &step = run.Step(index);
    const TRegister_Block &block = step.Block;
    run.Start(index);
    const TModbus_Reply reply = client.Read_Registers(uint8_t(request.Unit), block.Function, block.Start,
                                                      block.Count, request.Time_Limit_Ms);
    const QString limit = QString::number(request.Time_Limit_Ms);
    switch (reply.Outcome) {
    case TReply_Outcome::Frame: {
        anythingCame = true;
        const TAnswer_Finding finding = Answer_Finding(reply, block, request.Unit);
        // Values and exception codes only from the read's own answer.
        if (finding.Kind == TAnswer_Kind::Answered)
            step.Values = reply.Registers;
        else if (finding.Kind == TAnswer_Kind::Refused)
            step.Exception = reply.Exception;
        run.End(index, finding.Kind == TAnswer_Kind::Answered ? TStep_State::Passed : TStep_State::Failed,
                finding.Text, finding.Cause);
        return finding.Kind != TAnswer_Kind::Out_Of_Step;
    }
    case TReply_Outcome::No_Answer:
        run.End(index, TStep_State::Failed, QStringLiteral("no answer within %1 ms").arg(limit),
                TStep_Cause::No_Answer);
        break;
    case TReply_Outcome::Cut_Short:
        anythingCame = true;
        run.End(index, TStep_State::Failed,
                QStringLiteral("the answer stopped short: the rest of the frame did not come within %1 ms")
                    .arg(limit),
                TStep_Cause::Cut_Short);
        break;
    case TReply_Outcome::Closed:
        run.End(index, TStep_State::Failed,
                QStringLiteral("the device closed the connection instead of answering"), TStep_Cause::Closed);
        break;
    case TReply_Outcome::Closed_Mid_Reply:
        anythingCame = true;
        run.End(index, TStep_State::Failed,
                QStringLiteral("the device closed the connection in the middle of its answer"),
                TStep_Cause::Closed_Mid_Reply);
        break;
    case TReply_Outcome::Too_Long:
        anythingCame = true;
        run.End(index, TStep_State::Failed,
                QStringLiteral("an answer longer than a Modbus frame can be"), TStep_Cause::Not_Modbus);
        break;
    case TReply_Outcome::Cancelled:
        run.End(index, TStep_State::Cancelled, QStringLiteral("cancelled"), TStep_Cause::Cancelled);
        break;
    case TReply_Outcome::Failed:
        run.End(index, TStep_State::Failed, QStringLiteral("failed: ") + reply.Error, TStep_Cause::System_Error);
        break;
    }
    return false;
}

// One read of every block over client, and the verdict. Reads go on past a
// refused block, and past the read's own answer that is wrong (from another
// unit), so each block is told; after anything that leaves the connection
// out of step with the device (no answer, or an answer that is not this
// read's), the rest are not asked. usable: whether the connection may be
// read again (no such fault, no cancel).
TCheck_Result Read_Blocks(TRun &run, TModbus_Client &client, bool &usable)
{
    TCheck_Result &result = run.Result;
    bool anythingCame = false;
    bool faulty = false;
    usable = true;
    const int verdict = int(result.Steps.size()) - 1;
    for (int index = First_Read_Step; index < verdict; ++index) {
        const bool inStep = Run_Read(run, client, index, anythingCame);
        const TCheck_Step &step = run.Step(index);
        if (step.State == TStep_State::Cancelled) {
            usable = false;
            return run.Finish_Cancelled(index + 1);
        }
        if (step.Refused())
            result.Refused_Registers += step.Block.Count;
        else if (step.State != TStep_State::Passed)
            faulty = true;
        if (!inStep) {
            usable = false;
            run.Skip_From(index + 1, QStringLiteral("not asked (after the fault above)"), TStep_Cause::After_Fault);
            break;
        }
    }
    if (faulty)
        return run.Finish(anythingCame ? TCheck_Verdict::Faulty_Answers : TCheck_Verdict::No_Answer);
    if (result.Refused_Registers > 0)
        return run.Finish(TCheck_Verdict::Registers_Refused);
    return run.Finish(TCheck_Verdict::Answers_With_Map);
}

// Registers whose value differs between two rounds of the same blocks.
int Changed_Values(const TCheck_Result &before, const TCheck_Result &after)
{
    int changed = 0;
    for (int index = First_Read_Step; index < after.Steps.size() - 1; ++index) {
        const QList<uint16_t> &old = before.Steps.at(index).Values;
        const QList<uint16_t> &now = after.Steps.at(index).Values;
        for (int i = 0; i < qMin(old.size(), now.size()); ++i)
            changed += old.at(i) != now.at(i) ? 1 : 0;
    }
    return changed;
}

// The watch after its first round: the blocks read again over the same
// connection, one round every Watch_Every_Ms, until a cancel or a fault. A
// round cut short by the cancel is left out: the last whole round stays.
TCheck_Result Watch(TRun &run, TModbus_Client &client, TCheck_Result last, bool usable,
                    const TCheck_Round &round)
{
    const TCheck_Request &request = run.Result.Request;
    const QList<TCheck_Step> planned = Planned_Steps(request);
    last.Watch_Rounds = 1;
    if (round)
        round(last);
    run.Progress = TCheck_Progress();
    while (usable) {
        if (run.Cancel->Wait_For_Cancel(request.Watch_Every_Ms))
            break;
        for (int index = First_Read_Step; index < planned.size(); ++index)
            run.Step(index) = planned.at(index);
        run.Result.Refused_Registers = 0;
        run.Total_Clock.start();
        TCheck_Result next = Read_Blocks(run, client, usable);
        if (next.Verdict == TCheck_Verdict::Cancelled)
            break;
        next.Watch_Rounds = last.Watch_Rounds + 1;
        next.Watch_Changes = last.Watch_Changes + Changed_Values(last, next);
        last = next;
        if (round)
            round(last);
    }
    return last;
}

} // namespace

void TCheck_Cancel::Cancel()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_cancelled = true;
    if (m_client)
        m_client->Cancel();
    m_woken.notify_all();
}

bool TCheck_Cancel::Wait_For_Cancel(int ms)
{
    std::unique_lock<std::mutex> hold(m_lock);
    return m_woken.wait_for(hold, std::chrono::milliseconds(ms), [this] { return m_cancelled; });
}

bool TCheck_Cancel::Cancelled() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_cancelled;
}

void TCheck_Cancel::Watch(TModbus_Client *client)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_client = client;
    if (m_client && m_cancelled)
        m_client->Cancel();
}

QList<TCheck_Step> Planned_Steps(const TCheck_Request &request)
{
    QList<TCheck_Step> steps;
    TCheck_Step step;
    step.Kind = TStep_Kind::Echo;
    steps << step;
    step.Kind = TStep_Kind::Connect;
    steps << step;
    step.Kind = TStep_Kind::Read;
    for (const TRegister_Block &block : request.Map.Blocks) {
        step.Block = block;
        steps << step;
    }
    step = TCheck_Step();
    step.Kind = TStep_Kind::Verdict;
    steps << step;
    return steps;
}

QString Check_Request_Problem(const TCheck_Request &request)
{
    uint32_t address = 0;
    if (!Parse_Dotted_Quad(request.Map.Address, address))
        return QStringLiteral("\"%1\" is not a numeric IPv4 address").arg(request.Map.Address);
    if (request.Map.Port == 0)
        return QStringLiteral("port 0 is no port to connect to");
    if (request.Unit < 0 || request.Unit > Max_Unit)
        return QStringLiteral("unit %1 is not from 0 to %2").arg(request.Unit).arg(Max_Unit);
    if (request.Time_Limit_Ms < Min_Time_Limit_Ms || request.Time_Limit_Ms > Max_Time_Limit_Ms)
        return QStringLiteral("a time limit of %1 ms is not from %2 to %3 ms")
            .arg(request.Time_Limit_Ms)
            .arg(Min_Time_Limit_Ms)
            .arg(Max_Time_Limit_Ms);
    if (request.Watch_Every_Ms < 0 || request.Watch_Every_Ms > Max_Time_Limit_Ms)
        return QStringLiteral("a watch every %1 ms is not every 0 to %2 ms")
            .arg(request.Watch_Every_Ms)
            .arg(Max_Time_Limit_Ms);
    for (const TRegister_Block &block : request.Map.Blocks) {
        if (block.Function != Function_Holding_Registers && block.Function != Function_Input_Registers)
            return QStringLiteral("%1: function %2 reads no registers").arg(Role_Name(block.Role)).arg(block.Function);
        if (block.Count < 1 || block.Count > Max_Block_Count || block.Start + block.Count > 65536)
            return QStringLiteral("%1: %2 registers from %3 are no Modbus read")
                .arg(Role_Name(block.Role))
                .arg(block.Count)
                .arg(block.Start);
    }
    return QString();
}

TCheck_Result Run_Modbus_Check(const TCheck_Request &request, TCheck_Cancel *cancel,
                               const TCheck_Progress &progress, const TCheck_Round &round)
{
    TCheck_Result result;
    result.Request = request;
    result.Started = QDateTime::currentDateTime();
    result.Steps = Planned_Steps(request);
    TRun run{result, cancel, progress, QElapsedTimer(), QElapsedTimer()};
    run.Total_Clock.start();
    const QString problem = Check_Request_Problem(request);
    if (!problem.isEmpty()) {
        run.Skip_From(Echo_Step, QStringLiteral("not asked"), TStep_Cause::Not_Checked);
        return run.Finish(TCheck_Verdict::Not_Checked, problem, TStep_Cause::Not_Checked);
    }
    uint32_t address = 0;
    Parse_Dotted_Quad(request.Map.Address, address);

    Run_Echo(run, request.Map.Address);
    if (run.Step(Echo_Step).State == TStep_State::Cancelled)
        return run.Finish_Cancelled(Connect_Step);

    TModbus_Client client;
    const TWatched watched(cancel, client);
    switch (Run_Connect(run, client, address)) {
    case TConnect_Outcome::Connected:
        break;
    case TConnect_Outcome::Cancelled:
        return run.Finish_Cancelled(First_Read_Step);
    case TConnect_Outcome::Refused:
        run.Skip_From(First_Read_Step, QStringLiteral("not asked (no connection)"), TStep_Cause::No_Connection);
        return run.Finish(TCheck_Verdict::Port_Closed);
    default:
        run.Skip_From(First_Read_Step, QStringLiteral("not asked (no connection)"), TStep_Cause::No_Connection);
        return run.Finish(TCheck_Verdict::No_Answer);
    }

    bool usable = false;
    const TCheck_Result checked = Read_Blocks(run, client, usable);
    const TCheck_Result last =
        request.Watch_Every_Ms > 0 && cancel && checked.Verdict != TCheck_Verdict::Cancelled
            ? Watch(run, client, checked, usable, round)
            : checked;
    // Devices accept few connections: this one is given back at once.
    client.Close();
    return last;
}

bool Check_Request_Of(const QString &project, int blockCount, TCheck_Request &request,
                      QStringList &problems)
{
    QString fileProblem;
    request.Map = Configuration_Map(project, blockCount, fileProblem, problems);
    request.Source = fileProblem.isEmpty()
                         ? QStringLiteral("ParGen.xml")
                         : fileProblem + QStringLiteral("; checked with Set Communication's defaults");
    return problems.isEmpty();
}

void Set_Function(TModbus_Map &map, TRegister_Role role, int function)
{
    for (TRegister_Block &block : map.Blocks) {
        if (block.Role == role)
            block.Function = function;
    }
}

QString Step_Name(const TCheck_Step &step)
{
    switch (step.Kind) {
    case TStep_Kind::Echo:
        return QStringLiteral("echo");
    case TStep_Kind::Connect:
        return QStringLiteral("connect");
    case TStep_Kind::Verdict:
        return QStringLiteral("verdict");
    case TStep_Kind::Read:
        break;
    }
    return Role_Name(step.Block.Role);
}

QString Block_Place(const TRegister_Block &block)
{
    const QString where = block.Count == 1 ? QStringLiteral("address %1").arg(block.Start)
                                           : QStringLiteral("addresses %1-%2")
                                                 .arg(block.Start)
                                                 .arg(block.Start + block.Count - 1);
    return QStringLiteral("function %1, %2").arg(Function_Name(block.Function), where);
}

QString Verdict_Name(TCheck_Verdict verdict, int refusedRegisters)
{
    switch (verdict) {
    case TCheck_Verdict::Answers_With_Map:
        return QStringLiteral("answers with the configured map");
    case TCheck_Verdict::Registers_Refused:
        return QStringLiteral("answers, but %1 %2 refused")
            .arg(refusedRegisters)
            .arg(refusedRegisters == 1 ? QStringLiteral("register") : QStringLiteral("registers"));
    case TCheck_Verdict::Faulty_Answers:
        return QStringLiteral("answers, but not as a Modbus TCP slave must");
    case TCheck_Verdict::Port_Closed:
        return QStringLiteral("Modbus TCP port closed");
    case TCheck_Verdict::No_Answer:
        return QStringLiteral("no answer");
    case TCheck_Verdict::Cancelled:
        return QStringLiteral("cancelled");
    case TCheck_Verdict::Not_Checked:
        break;
    }
    return QStringLiteral("not checked");
}
