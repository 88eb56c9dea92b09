// The check runner against a device on 127.0.0.1 that never answers: a cancel, a stop or the runner's end during a read, and the late reports of a check collected or replaced; a watch of velmora-sim and of the scripted server until stopped.
#include "TestHttpServer.h"
#include "TestModbusServer.h"
#include "TestSim.h"

#include "check/UCheck_Log.h"
#include "check/UCheck_Runner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

// A check of the read data at port of 127.0.0.1, echo off.
TCheck_Request Request_To(quint16 port)
{
    TCheck_Request request;
    request.Map.Address = QStringLiteral("127.0.0.1");
    request.Map.Port = port;
    request.Map.Blocks = {{TRegister_Role::Read_Data, Function_Input_Registers, 0, Default_Block_Count}};
    request.Echo = false;
    return request;
}

// What a runner reported, in order; each step as its index and its state:
// ? pending, r running, + passed, x failed, - not asked, c cancelled.
struct TReports
{
    explicit TReports(TCheck_Runner &runner)
    {
        QObject::connect(&runner, &TCheck_Runner::Step_Changed, [this](int index, const TCheck_Step &step) {
            Steps << QString::number(index) + QStringLiteral("?r+x-c").at(int(step.State));
        });
        QObject::connect(&runner, &TCheck_Runner::Finished,
                         [this](const TCheck_Result &result, const QString &) { Results << result; });
    }
    bool Read_Waits() const { return Steps.contains(QString::number(First_Read_Step) + QLatin1Char('r')); }

    QStringList Steps;
    QList<TCheck_Result> Results;
};

} // namespace

class TestCheckRunner : public QObject
{
    Q_OBJECT
private slots:
    void ends_during_read_data();
    void ends_during_read();
    void late_reports_dropped_data();
    void late_reports_dropped();
    void watch_reads_until_stopped_data();
    void watch_reads_until_stopped();
};

void TestCheckRunner::ends_during_read_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("Stop") << "Stop";
    QTest::newRow("runner destroyed") << "destroyed";
}

// Each ends the read within half a second, far inside its 3 s limit, and the
// record keeps the cancelled check's block whole.
void TestCheckRunner::ends_during_read()
{
    QFETCH(QString, how);
    TTestModbusServer silent(TServer_Behaviour::Silent);
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("Check.log"));
    auto runner = std::make_unique<TCheck_Runner>();
    TReports reports(*runner);
    QVERIFY(runner->Start(Request_To(silent.serverPort()), log));
    QVERIFY(!runner->Start(Request_To(silent.serverPort()), log));
    QVERIFY(QTest::qWaitFor([&] { return reports.Read_Waits(); }, 5000));

    QElapsedTimer clock;
    clock.start();
    if (how == QLatin1String("Cancel")) {
        runner->Cancel();
        QVERIFY(QTest::qWaitFor([&] { return !reports.Results.isEmpty(); }, 2000));
    } else if (how == QLatin1String("Stop")) {
        runner->Stop();
    } else {
        runner.reset();
    }
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    // The runner's end reports nothing: its owner is going too.
    QCOMPARE(reports.Results.size(), how == QLatin1String("destroyed") ? 0 : 1);
    if (runner) {
        QVERIFY(!runner->Running());
        QCOMPARE(reports.Results.first().Verdict, TCheck_Verdict::Cancelled);
    }
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray record = file.readAll();
    QCOMPARE(record.count(Check_Log_Mark), 1);
    QVERIFY2(record.contains("\nVerdict: cancelled, ") && record.endsWith(" ms\n\n"), record.constData());
}

void TestCheckRunner::late_reports_dropped_data()
{
    QTest::addColumn<bool>("replaced");
    QTest::newRow("check collected") << false;
    QTest::newRow("next check started") << true;
}

// A stop collects the check while its last reports still wait in the queue:
// none of them may pass for news, of that check or of the next one.
void TestCheckRunner::late_reports_dropped()
{
    QFETCH(bool, replaced);
    TTestModbusServer silent(TServer_Behaviour::Silent);
    TCheck_Runner runner;
    TReports reports(runner);
    QVERIFY(runner.Start(Request_To(silent.serverPort()), QString()));
    QVERIFY(QTest::qWaitFor([&] { return reports.Read_Waits(); }, 5000));
    runner.Stop();
    QCOMPARE(reports.Results.size(), 1);
    reports.Steps.clear();
    if (replaced) {
        QVERIFY(runner.Start(Request_To(Refused_Port()), QString()));
        QVERIFY(QTest::qWaitFor([&] { return reports.Results.size() == 2; }, 5000));
        QCOMPARE(reports.Results.last().Verdict, TCheck_Verdict::Port_Closed);
    } else {
        QTest::qWait(200);
    }
    // The next check's own reports: no echo, the connect begun and refused,
    // the read not asked, the verdict.
    QCOMPARE(reports.Steps.join(QLatin1Char(' ')), replaced ? QStringLiteral("0- 1r 1x 2- 3x") : QString());
}

void TestCheckRunner::watch_reads_until_stopped_data()
{
    QTest::addColumn<bool>("sim");
    QTest::newRow("velmora-sim, its status word counting up") << true;
    QTest::newRow("scripted server") << false;
}

// The status word read again every second over one connection, each round
// reported whole, until a stop ends the watch within half a second; the
// record gets one block for it, with the rounds and what changed.
void TestCheckRunner::watch_reads_until_stopped()
{
    QFETCH(bool, sim);
    QTemporaryDir folder;
    TTestModbusServer scripted;
    std::unique_ptr<TTestSim> served;
    quint16 port = scripted.serverPort();
    if (sim) {
        port = Refused_Port();
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("PROJECTS/Pump")));
        served = std::make_unique<TTestSim>(folder.path(), QStringList{"--all", "--port", QString::number(port)});
        QVERIFY2(served->Said().contains("serving"), served->Said().constData());
    }
    TCheck_Request request = Request_To(port);
    request.Map.Blocks = {{TRegister_Role::Status_Word, Function_Input_Registers, 0, 1}};
    request.Watch_Every_Ms = Watch_Interval_Ms;
    TCheck_Runner runner;
    TReports reports(runner);
    QList<TCheck_Result> rounds;
    connect(&runner, &TCheck_Runner::Round_Done, [&rounds](const TCheck_Result &round) { rounds << round; });
    const QString log = folder.filePath(QStringLiteral("Check.log"));
    QVERIFY(runner.Start(request, log));
    QVERIFY(QTest::qWaitFor([&] { return rounds.size() == 3; }, 5000));
    if (!sim) {
        QCOMPARE(scripted.Open_Connections, 1);
        QCOMPARE(scripted.Functions.size(), 3);
    }
    QElapsedTimer clock;
    clock.start();
    runner.Cancel();
    QVERIFY(QTest::qWaitFor([&] { return !reports.Results.isEmpty(); }, 2000));
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    // Only the first round's steps came one by one.
    QCOMPARE(reports.Steps.count(QStringLiteral("2r")), 1);
    const TCheck_Result &result = reports.Results.first();
    QCOMPARE(result.Verdict, TCheck_Verdict::Answers_With_Map);
    QCOMPARE(result.Watch_Rounds, rounds.size());
    QCOMPARE(result.Steps.at(First_Read_Step).Values, rounds.last().Steps.at(First_Read_Step).Values);
    if (sim)
        QVERIFY(result.Watch_Changes >= 1 && rounds.last().Steps.at(First_Read_Step).Values != rounds.first().Steps.at(First_Read_Step).Values);
    else
        QCOMPARE(result.Watch_Changes, 0);
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray record = file.readAll();
    QCOMPARE(record.count(Check_Log_Mark), 1);
    QVERIFY2(record.contains(QStringLiteral("\nWatch: %1 rounds of the registers, one every 1000 ms; %2 ")
                                 .arg(result.Watch_Rounds)
                                 .arg(result.Watch_Changes)
                                 .toUtf8()),
             record.constData());
}

QTEST_MAIN(TestCheckRunner)
#include "test_check_runner.moc"
