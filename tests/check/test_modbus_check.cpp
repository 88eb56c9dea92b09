// The Modbus check on the loopback: peers' answers and faults, cancels, checks side by side, the record.
#include "TestHttpServer.h"
#include "TestModbusServer.h"
#include "TestSim.h"
#include "TestData.h"

#include "check/UCheck_Log.h"
#include "check/UModbus_Check.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Every check here waits this long for a connect or an answer.
constexpr int Limit_Ms = 300;

// Where a row's check is pointed: the pymodbus peer, the row's scripted
// server, velmora-sim (as it is, silent, or serving its registers 100
// addresses off), a refused port, a port whose connects time out, an
// unreachable address. The peer and the full port come from
// with_modbus_peer.sh.
enum class TTarget { Pymodbus, Scripted, Sim, Sim_Silent, Sim_Offset, Refused, Full, Unreachable };

// The built velmora-sim serving one configuration with Set Communication's
// values at 127.0.0.1:Port, while it lives; Port 0 when it does not serve.
class TSim
{
public:
    explicit TSim(TTarget target)
    {
        QStringList options;
        if (target == TTarget::Sim_Silent)
            options << QStringLiteral("--silent");
        else if (target == TTarget::Sim_Offset)
            options << QStringLiteral("--offset") << QStringLiteral("100");
        else if (target != TTarget::Sim)
            return;
        const quint16 port = Refused_Port();   // free now
        if (!m_folder.isValid() || !QDir(m_folder.path()).mkpath(QStringLiteral("PROJECTS/Pump")) || port == 0)
            return;
        m_sim = std::make_unique<TTestSim>(
            m_folder.path(), QStringList{"--all", "--port", QString::number(port)} + options);
        if (m_sim->Said().contains("velmora-sim: serving 1 "))
            Port = port;
    }
    TSim(const TSim &) = delete;
    TSim &operator=(const TSim &) = delete;

    quint16 Port = 0;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<TTestSim> m_sim;
};

// The address and port of a target; empty (after saying why) where it is
// missing here.
QString Target_Of(TTarget target, const TTestModbusServer &server, const TSim &sim, quint16 &port,
                  QString &missing)
{
    const QString peer = qEnvironmentVariable("VELMORA_MODBUS_PEER");
    switch (target) {
    case TTarget::Sim:
    case TTarget::Sim_Silent:
    case TTarget::Sim_Offset:
        port = sim.Port;
        missing = QStringLiteral("velmora-sim did not serve");
        return port ? QStringLiteral("127.0.0.1") : QString();
    case TTarget::Pymodbus:
        port = quint16(peer.section(QLatin1Char(':'), 1).toUInt());
        missing = QStringLiteral("no independent Modbus peer (with_modbus_peer.sh and python3-pymodbus)");
        return peer.section(QLatin1Char(':'), 0, 0);
    case TTarget::Scripted:
        port = server.serverPort();
        return QStringLiteral("127.0.0.1");
    case TTarget::Refused:
        port = Refused_Port();
        return QStringLiteral("127.0.0.1");
    case TTarget::Full:
        port = quint16(qEnvironmentVariableIntValue("VELMORA_FULL_PORT"));
        missing = QStringLiteral("no port with a full queue (with_modbus_peer.sh)");
        return port ? QStringLiteral("127.0.0.1") : QString();
    case TTarget::Unreachable:
        port = 502;
        missing = QStringLiteral("no unreachable address (a network namespace of the test's own, root)");
        return qEnvironmentVariable("VELMORA_UNREACHABLE_ADDRESS");
    }
    return QString();
}

// The defaults with "Element=text" changes, read with count registers per
// block, pointed at address:port; echo off, the short time limit.
TCheck_Request Request_To(const QString &address, quint16 port, const QStringList &changes,
                          int count = Default_Block_Count)
{
    TParGen_Values values = ParGen_Defaults();
    for (const QString &change : changes) {
        const int id = Id_Of(change.section(QLatin1Char('='), 0, 0));
        values[id] = Decode_ParGen_Value(id, change.section(QLatin1Char('='), 1));
    }
    QStringList problems;
    TCheck_Request request;
    request.Map = Modbus_Map_Of(values, count, problems);
    request.Map.Address = address;
    request.Map.Port = port;
    request.Echo = false;
    request.Time_Limit_Ms = Limit_Ms;
    return request;
}

// A step's state as one character: + passed, x failed, - not asked, c cancelled.
QString States(const TCheck_Result &result)
{
    QString states;
    for (const TCheck_Step &step : result.Steps)
        states += QStringLiteral("?r+x-c").at(int(step.State));
    return states;
}

// Echo replies off in the test's own network namespace, while it lives.
class TEcho_Silence
{
public:
    TEcho_Silence() { m_on = Write("1"); }
    ~TEcho_Silence()
    {
        if (m_on)
            Write("0");
    }
    bool On() const { return m_on; }

private:
    static bool Write(const char *value)
    {
        if (qEnvironmentVariableIsEmpty("VELMORA_OWN_NETWORK"))
            return false;
        // A Windows program under Wine reaches the namespace's settings through drive Z:.
#ifdef Q_OS_WIN
        QFile file(QStringLiteral("Z:/proc/sys/net/ipv4/icmp_echo_ignore_all"));
#else
        QFile file(QStringLiteral("/proc/sys/net/ipv4/icmp_echo_ignore_all"));
#endif
        return file.open(QIODevice::WriteOnly) && file.write(value) == 1;
    }
    bool m_on = false;
};

// A check run on a thread of its own while this one serves the scripted
// server; with cancelStep, cancelled 200 ms after that step begins.
struct TAside
{
    TCheck_Result Result;
    qint64 Cancel_Ms = -1;   // from the cancel to the check's end
};

TAside Run_Aside(const TCheck_Request &request, int cancelStep = -1)
{
    TAside aside;
    TCheck_Cancel cancel;
    std::atomic<int> running{-1};
    std::atomic<bool> done{false};
    Clock::time_point ended;
    std::thread worker([&] {
        aside.Result = Run_Modbus_Check(request, &cancel, [&](int index, const TCheck_Step &step) {
            if (step.State == TStep_State::Running)
                running = index;
        });
        ended = Clock::now();
        done = true;
    });
    Clock::time_point started;
    Clock::time_point cancelled;
    while (!done) {
        QCoreApplication::processEvents();
        QThread::msleep(2);
        if (cancelStep < 0 || cancelled != Clock::time_point() || running != cancelStep)
            continue;
        if (started == Clock::time_point())
            started = Clock::now();
        else if (Clock::now() - started >= std::chrono::milliseconds(200)) {
            cancelled = Clock::now();
            cancel.Cancel();
        }
    }
    worker.join();
    if (cancelled != Clock::time_point())
        aside.Cancel_Ms = std::chrono::duration_cast<std::chrono::milliseconds>(ended - cancelled).count();
    return aside;
}

} // namespace

class TestModbusCheck : public QObject
{
    Q_OBJECT
private slots:
    void check_data();
    void check();
    void hostile_peer_data();
    void hostile_peer();
    void cancel_data();
    void cancel();
    void side_by_side();
    void record();
};

void TestModbusCheck::check_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("behaviour");   // of the scripted server
    QTest::addColumn<int>("exception");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("functions");   // role=function switched, or ""
    QTest::addColumn<bool>("echo");
    QTest::addColumn<QString>("states");      // echo, connect, reads, verdict
    QTest::addColumn<QString>("fault");       // in the first failed step's text
    QTest::addColumn<QString>("verdict");
    const int py = int(TTarget::Pymodbus);
    const int sc = int(TTarget::Scripted);
    const auto b = [](TServer_Behaviour behaviour) { return int(behaviour); };
    const int answer = b(TServer_Behaviour::Answer);
    const QString map = QStringLiteral("answers with the configured map");
    const QString faulty = QStringLiteral("answers, but not as a Modbus TCP slave must");

    QTest::newRow("pymodbus: the default map") << py << answer << 0 << QStringList() << 1 << "" << false
        << "-++++++" "+" << "" << map;
    QTest::newRow("pymodbus: write data switched to input registers")
        << py << answer << 0 << QStringList() << 1 << "write data=4" << false << "-+++++++" << "" << map;
    QTest::newRow("pymodbus: read data where it has none")
        << py << answer << 0 << QStringList{"ModbusTCPSlave_Start_Read=200"} << 1 << "" << false
        << "-+x++++x" << "refused: exception 02 illegal data address (the device may be running another configuration)"
        << "answers, but 8 registers refused";
    QTest::newRow("pymodbus: another unit, not answered") << py << answer << 0 << QStringList() << 7 << ""
        << false << "-+x----x" << "no answer within 300 ms" << "no answer";
    // The simulator's registers start at 0 and its status word counts.
    QTest::newRow("velmora-sim: the default map") << int(TTarget::Sim) << answer << 0 << QStringList() << 1
        << "" << false << "-++++++" "+" << "" << map;
    QTest::newRow("velmora-sim: running another configuration") << int(TTarget::Sim_Offset) << answer << 0
        << QStringList() << 1 << "" << false << "-+xxxxxx"
        << "refused: exception 02 illegal data address (the device may be running another configuration)"
        << "answers, but 19 registers refused";
    QTest::newRow("velmora-sim: silent") << int(TTarget::Sim_Silent) << answer << 0 << QStringList() << 1
        << "" << false << "-+x----x" << "no answer within 300 ms" << "no answer";
    QTest::newRow("scripted: accepts and never answers") << sc << b(TServer_Behaviour::Silent) << 0
        << QStringList() << 1 << "" << false << "-+x----x" << "no answer within 300 ms" << "no answer";
    QTest::newRow("scripted: closes at once") << sc << b(TServer_Behaviour::Close_At_Once) << 0
        << QStringList() << 1 << "" << false << "-+x----x"
        << "the device closed the connection instead of answering" << "no answer";
    QTest::newRow("scripted: another transaction id") << sc << b(TServer_Behaviour::Other_Transaction) << 0
        << QStringList() << 1 << "" << false << "-+x----x"
        << "an answer to another request (transaction id 2, not 1)" << faulty;
    QTest::newRow("scripted: another unit") << sc << b(TServer_Behaviour::Other_Unit) << 0 << QStringList()
        << 1 << "" << false << "-+xxxxxx" << "an answer from unit 2, not from unit 1" << faulty;
    QTest::newRow("scripted: short frame") << sc << b(TServer_Behaviour::Short_Frame) << 0 << QStringList()
        << 1 << "" << false << "-+x----x" << "a frame too short: 14 bytes of registers where 8 registers were asked"
        << faulty;
    QTest::newRow("scripted: closes in mid-reply") << sc << b(TServer_Behaviour::Half_Then_Close) << 0
        << QStringList() << 1 << "" << false << "-+x----x"
        << "the device closed the connection in the middle of its answer" << faulty;
    QTest::newRow("scripted: stops in mid-reply") << sc << b(TServer_Behaviour::Half_Then_Silent) << 0
        << QStringList() << 1 << "" << false << "-+x----x"
        << "the answer stopped short: the rest of the frame did not come within 300 ms" << faulty;
    for (const int code : {0, 1, 4, 11}) {
        const QString name = Exception_Name(code);
        QTest::addRow("scripted: exception %s", qPrintable(name)) << sc << b(TServer_Behaviour::Exception)
            << code << QStringList{"ModbusTCPSlave_Enable_NumByteRX=0"} << 1 << "" << false << "-+xxxxx"
            << "refused: exception " + name << "answers, but 18 registers refused";
    }
    QTest::newRow("refused port, echo answered") << int(TTarget::Refused) << answer << 0 << QStringList()
        << 1 << "" << true << "+x-----x" << "refused: nothing listens at port" << "Modbus TCP port closed";
    QTest::newRow("connect times out") << int(TTarget::Full) << answer << 0 << QStringList() << 1 << ""
        << false << "-x-----x" << "no answer within 300 ms (no device at this address" << "no answer";
    QTest::newRow("unreachable") << int(TTarget::Unreachable) << answer << 0 << QStringList() << 1 << ""
        << false << "-x-----x" << "no way to 127.0.0.2: " << "no answer";
    QTest::newRow("scripted: unit 255, the last") << sc << answer << 0 << QStringList() << 255 << "" << false
        << "-++++++" "+" << "" << map;
    QTest::newRow("unit out of range") << sc << answer << 0 << QStringList() << 256 << "" << false
        << "-------x" << "" << "not checked: unit 256 is not from 0 to 255";
}

void TestModbusCheck::check()
{
    QFETCH(int, target);
    QFETCH(int, behaviour);
    QFETCH(int, exception);
    QFETCH(QStringList, changes);
    QFETCH(int, unit);
    QFETCH(QString, functions);
    QFETCH(bool, echo);
    QFETCH(QString, states);
    QFETCH(QString, fault);
    QFETCH(QString, verdict);
    TTestModbusServer server(TServer_Behaviour(behaviour), exception);
    const TSim sim{TTarget(target)};
    quint16 port = 0;
    QString missing;
    const QString address = Target_Of(TTarget(target), server, sim, port, missing);
    if (address.isEmpty())
        QSKIP(qPrintable(missing));
    TCheck_Request request = Request_To(address, port, changes);
    request.Unit = unit;
    request.Echo = echo;
    if (!functions.isEmpty())
        Set_Function(request.Map, TRegister_Role::Write_Data, functions.section(QLatin1Char('='), 1).toInt());

    const TCheck_Result result = Run_Aside(request).Result;

    QCOMPARE(States(result), states);
    QVERIFY2(result.Steps.last().Text.startsWith(verdict), qPrintable(result.Steps.last().Text));
    QCOMPARE(result.Verdict_Text, verdict.section(QLatin1Char(':'), 0, 0));
    for (const TCheck_Step &step : result.Steps) {
        if (step.State == TStep_State::Failed && step.Kind != TStep_Kind::Verdict && !fault.isEmpty()) {
            QVERIFY2(step.Text.startsWith(fault), qPrintable(step.Text));
            fault.clear();
        }
        // Bounded: a connect or a read ends within its limit.
        if (step.Kind == TStep_Kind::Connect || step.Kind == TStep_Kind::Read)
            QVERIFY2(step.Ms < Limit_Ms + 250, qPrintable(QString::number(step.Ms)));
        if (step.State != TStep_State::Passed || step.Kind != TStep_Kind::Read)
            continue;
        QCOMPARE(step.Values.size(), int(step.Block.Count));
        for (int i = 0; i < step.Values.size() && TTarget(target) != TTarget::Sim; ++i)
            QCOMPARE(step.Values.at(i), Peer_Value(step.Block.Function, step.Block.Start + i));
    }
    QVERIFY(fault.isEmpty());
    // Nothing but reads went out, and the connection was given back.
    for (const int function : std::as_const(server.Functions))
        QVERIFY(function == Function_Holding_Registers || function == Function_Input_Registers);
    QTRY_COMPARE(server.Open_Connections, 0);
}

// Peers that answer what was not asked, or not with Modbus TCP: the read
// fails, nothing more goes over that connection, and no value but the read's
// own answer's is kept. Beside them, the largest read a check asks.
void TestModbusCheck::hostile_peer_data()
{
    QTest::addColumn<int>("behaviour");
    QTest::addColumn<int>("count");   // registers of each data block
    QTest::addColumn<bool>("input");  // every block read with 04
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("verdict");
    const QString faulty = QStringLiteral("answers, but not as a Modbus TCP slave must");
    const QString out = QStringLiteral("-+x----x");
    const auto b = [](TServer_Behaviour behaviour) { return int(behaviour); };
    QTest::newRow("first answer sent twice, one input register a block")
        << b(TServer_Behaviour::Repeat_First) << 1 << true << "-++x---x"
        << "an answer to another request (transaction id 1, not 2)" << faulty;
    QTest::newRow("another function") << b(TServer_Behaviour::Other_Function) << 8 << false << out
                                      << "an answer to another function (03, not 04)" << faulty;
    QTest::newRow("a register too many") << b(TServer_Behaviour::Long_Frame) << 8 << false << out
                                         << "a frame too long: 18 bytes of registers where 8 registers were asked"
                                         << faulty;
    QTest::newRow("a web server") << b(TServer_Behaviour::Http_Answer) << 8 << false << out
                                  << "the port answers, but not with Modbus TCP (protocol id 21584, not 0)" << faulty;
    QTest::newRow("closes after the request") << b(TServer_Behaviour::Close_After_Request) << 8 << false << out
        << "the device closed the connection instead of answering" << "no answer";
    QTest::newRow("125 registers, the most a read asks") << b(TServer_Behaviour::Answer) << 125 << false
        << "-++++++" "+" << "" << "answers with the configured map";
}

void TestModbusCheck::hostile_peer()
{
    QFETCH(int, behaviour);
    QFETCH(int, count);
    QFETCH(bool, input);
    QFETCH(QString, states);
    QFETCH(QString, fault);
    QFETCH(QString, verdict);
    TTestModbusServer server{TServer_Behaviour(behaviour)};
    TCheck_Request request = Request_To(QStringLiteral("127.0.0.1"), server.serverPort(), {}, count);
    for (TRegister_Block &block : request.Map.Blocks)
        block.Function = input ? Function_Input_Registers : block.Function;

    const TCheck_Result result = Run_Aside(request).Result;

    QCOMPARE(States(result), states);
    QCOMPARE(result.Verdict_Text, verdict);
    for (const TCheck_Step &step : result.Steps) {
        if (step.State == TStep_State::Failed && !fault.isEmpty()) {
            QVERIFY2(step.Text.startsWith(fault), qPrintable(step.Text));
            fault.clear();
        }
        QVERIFY(!step.Refused());
        QCOMPARE(step.Values.size(), step.State == TStep_State::Passed && step.Kind == TStep_Kind::Read
                                         ? int(step.Block.Count) : 0);
        for (int i = 0; i < step.Values.size(); ++i)
            QCOMPARE(step.Values.at(i),
                     Served_Value(TServer_Behaviour(behaviour), step.Block.Function, step.Block.Start + i));
    }
    QVERIFY(fault.isEmpty());
    QTRY_COMPARE(server.Open_Connections, 0);
}

void TestModbusCheck::cancel_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("behaviour");
    QTest::addColumn<int>("step");   // cancelled in
    QTest::addColumn<QString>("states");
    QTest::newRow("echo to a silent device") << int(TTarget::Scripted) << int(TServer_Behaviour::Answer) << 0
                                             << "c------c";
    QTest::newRow("connect that times out") << int(TTarget::Full) << int(TServer_Behaviour::Answer) << 1
                                            << "-c-----c";
    QTest::newRow("read never answered") << int(TTarget::Scripted) << int(TServer_Behaviour::Silent) << 2
                                         << "-+c----c";
    QTest::newRow("read stopped in mid-reply") << int(TTarget::Scripted)
                                               << int(TServer_Behaviour::Half_Then_Silent) << 2 << "-+c----c";
}

// Each step waits far longer than the cancel may take.
void TestModbusCheck::cancel()
{
    QFETCH(int, target);
    QFETCH(int, behaviour);
    QFETCH(int, step);
    QFETCH(QString, states);
    TTestModbusServer server{TServer_Behaviour(behaviour)};
    const TSim sim{TTarget(target)};
    quint16 port = 0;
    QString missing;
    const QString address = Target_Of(TTarget(target), server, sim, port, missing);
    if (address.isEmpty())
        QSKIP(qPrintable(missing));
    TEcho_Silence silence;
    if (step == 0 && !silence.On())
        QSKIP("echo replies can be switched off only in a network namespace of the test's own (root)");
    TCheck_Request request = Request_To(address, port, {});
    request.Echo = step == 0;
    request.Time_Limit_Ms = Default_Time_Limit_Ms;

    const TAside aside = Run_Aside(request, step);

    QCOMPARE(States(aside.Result), states);
    QCOMPARE(aside.Result.Verdict, TCheck_Verdict::Cancelled);
    QVERIFY2(aside.Cancel_Ms >= 0 && aside.Cancel_Ms < 500, qPrintable(QString::number(aside.Cancel_Ms)));
    QTRY_COMPARE(server.Open_Connections, 0);
}

// Checks on worker threads at once: each gets its own answers (and echoes),
// and two that wait out their limit take it once, not twice.
void TestModbusCheck::side_by_side()
{
    TTestModbusServer silent(TServer_Behaviour::Silent);
    TTestModbusServer answering;
    QList<TCheck_Request> requests{Request_To(QStringLiteral("127.0.0.1"), silent.serverPort(), {}),
                                   Request_To(QStringLiteral("127.0.0.1"), silent.serverPort(), {}),
                                   Request_To(QStringLiteral("127.0.0.1"), answering.serverPort(), {}),
                                   Request_To(QStringLiteral("127.0.0.1"), Refused_Port(), {})};
    requests[0].Time_Limit_Ms = requests[1].Time_Limit_Ms = 1000;
    // Echoes go out side by side too.
    requests[2].Echo = requests[3].Echo = true;
    const QString peer = qEnvironmentVariable("VELMORA_MODBUS_PEER");
    if (!peer.isEmpty())
        requests << Request_To(peer.section(QLatin1Char(':'), 0, 0),
                               quint16(peer.section(QLatin1Char(':'), 1).toUInt()), {}, 50);
    std::vector<TCheck_Result> results(size_t(requests.size()));
    std::atomic<int> done{0};
    std::vector<std::thread> workers;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < requests.size(); ++i)
        workers.emplace_back([&, i] {
            results[size_t(i)] = Run_Modbus_Check(requests.at(i));
            ++done;
        });
    while (done < requests.size())
        QTest::qWait(5);
    for (std::thread &worker : workers)
        worker.join();

    QVERIFY2(clock.elapsed() < 1800, qPrintable(QString::number(clock.elapsed())));
    const QList<TCheck_Verdict> verdicts{TCheck_Verdict::No_Answer, TCheck_Verdict::No_Answer,
                                         TCheck_Verdict::Answers_With_Map, TCheck_Verdict::Port_Closed,
                                         TCheck_Verdict::Answers_With_Map};
    for (size_t i = 0; i < results.size(); ++i)
        QCOMPARE(results.at(i).Verdict, verdicts.at(int(i)));
    if (!peer.isEmpty())
        QCOMPARE(results.back().Steps.at(2).Values.last(), Peer_Value(4, 50));
}

// The block a check appends, and the 200 that Check.log keeps.
void TestModbusCheck::record()
{
    TTestModbusServer server;
    server.Exception_From = 300;
    server.Exception_Code = 2;
    QTemporaryDir folder;
    const QString log = Check_Log_Path(folder.path());
    QByteArray older;
    for (int i = 0; i < Check_Log_Keep; ++i)
        older += "=== Check older " + QByteArray::number(i) + "\nVerdict: no answer, 3 ms\n\n";
    QFile file(log);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(older) == older.size());
    file.close();
    TCheck_Request request = Request_To(QStringLiteral("127.0.0.1"), server.serverPort(),
                                        {"ModbusTCPSlave_Start_Write=300"}, 2);
    request.Source = QStringLiteral("ParGen.xml");
    QString error;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        Run_Recorded_Check(request, log, &error);
        done = true;
    });
    while (!done)
        QTest::qWait(5);
    worker.join();

    QCOMPARE(error, QString());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(file.readAll());
    QCOMPARE(text.count(QStringLiteral("=== Check ")), Check_Log_Keep);
    QVERIFY(text.startsWith(QStringLiteral("=== Check older 1\n")));
    QVERIFY(text.contains(QStringLiteral("=== Check older 199\n")));
    text = text.mid(text.lastIndexOf(QStringLiteral("=== Check ")));
    const QRegularExpression stamp(QStringLiteral("^=== Check \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d [+-]\\d\\d:\\d\\d\n"));
    QVERIFY2(stamp.match(text).hasMatch(), qPrintable(text));
    text.remove(stamp).replace(QRegularExpression(QStringLiteral(", \\d+ ms\n")), QStringLiteral(", N ms\n"));
    const QString port = QString::number(server.serverPort());
    QCOMPARE(text, QStringLiteral(
        "Values: ParGen.xml\n"
        "Device: 127.0.0.1:%1, unit 1, time limit 300 ms\n"
        "Echo: not asked (echo off)\n"
        "Connect: connected to 127.0.0.1:%1, N ms\n"
        "Read data, function 04 (input registers), addresses 1-2: answered, N ms\n"
        "  1 = 40961 (0xA001)\n"
        "  2 = 40962 (0xA002)\n"
        "Status word, function 04 (input registers), address 0: answered, N ms\n"
        "  0 = 40960 (0xA000)\n"
        "Byte count, function 04 (input registers), address 1: answered, N ms\n"
        "  1 = 40961 (0xA001)\n"
        "Write data, function 03 (holding registers), addresses 300-301: refused: exception 02 illegal "
        "data address (the device may be running another configuration), N ms\n"
        "  300 = exception 02 illegal data address\n"
        "  301 = exception 02 illegal data address\n"
        "Control word, function 03 (holding registers), address 0: answered, N ms\n"
        "  0 = 20480 (0x5000)\n"
        "Verdict: answers, but 2 registers refused, N ms\n\n").arg(port));
}

QTEST_GUILESS_MAIN(TestModbusCheck)
#include "test_modbus_check.moc"
