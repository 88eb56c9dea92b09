// The check runner against a device on 127.0.0.1 that never answers: a cancel, a stop or the runner's end during a read, and the late reports of a check collected or replaced.
#include "TestHttpServer.h"
#include "TestModbusServer.h"

#include "check/UCheck_Log.h"
#include "check/UCheck_Runner.h"

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

QTEST_MAIN(TestCheckRunner)
#include "test_check_runner.moc"
