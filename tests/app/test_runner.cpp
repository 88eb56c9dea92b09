// The program runner on POSIX: the wait for the updater, its limit, parameters, input dropped meanwhile.
#include "TestEnv.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <optional>

namespace {

// The state letter of a process in /proc, or 0 when no such process exists
// any more (it ended and was collected).
char Process_State(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    return close > 0 && close + 2 < line.size() ? line[close + 2] : 0;
}

} // namespace

Q_DECLARE_METATYPE(TRun_End)

class TestRunner : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void returns_when_program_ends_data();
    void returns_when_program_ends();
    void not_started_returns_at_once_data();
    void not_started_returns_at_once();
    void parameters_split_like_a_command_line();
    void left_running_after_limit_and_collected_later();
    void repaints_but_drops_input_while_waiting();
    void no_version_check_while_waiting();

private:
    QString Path(const QString &name) const { return m_env->Path(name); }
    // A shell script in the program folder; its path is the first parameter.
    QString Script(const QString &name, const QByteArray &body) const
    {
        m_env->Write_File(name, "cd \"$(dirname \"$0\")\"\n" + body);
        return Path(name);
    }
    std::optional<TTestEnv> m_env;
};

void TestRunner::init()
{
    m_env.emplace();
    m_env->Start();
}

void TestRunner::cleanup()
{
    m_env.reset();
}

void TestRunner::returns_when_program_ends_data()
{
    QTest::addColumn<QByteArray>("ending");
    QTest::addColumn<TRun_End>("end");
    QTest::addColumn<int>("code");
    QTest::newRow("succeeds") << QByteArray("exit 0\n") << TRun_End::Exited << 0;
    QTest::newRow("fails") << QByteArray("exit 42\n") << TRun_End::Exited << 42;
    QTest::newRow("killed") << QByteArray("kill -TERM $$\n") << TRun_End::Signalled << 15;
}

void TestRunner::returns_when_program_ends()
{
    QFETCH(QByteArray, ending);
    QFETCH(TRun_End, end);
    QFETCH(int, code);
    QElapsedTimer clock;
    clock.start();
    const TRun_Result result = FVelmoraeFirmWare->Start_Program(
        QStringLiteral("/bin/sh"), Script(QStringLiteral("end.sh"), "echo ended > out\n" + ending), 0);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(m_env->Read_File(QStringLiteral("out")), QByteArray("ended\n"));
    // At least the one pause after the end, never the limit.
    QVERIFY2(elapsed >= 10 && elapsed < 1000, qPrintable(QString::number(elapsed)));
    QCOMPARE(result.End, end);
    QCOMPARE(result.Code, code);
}

void TestRunner::not_started_returns_at_once_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<TRun_End>("end");
    QTest::newRow("missing program") << "Ethernet_Update" << QByteArray() << TRun_End::Not_Found;
    QTest::newRow("not executable") << "notes.txt" << QByteArray("plain text\n") << TRun_End::Not_Started;
    QTest::newRow("empty name") << "" << QByteArray() << TRun_End::Not_Found;
}

void TestRunner::not_started_returns_at_once()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, content);
    QFETCH(TRun_End, end);
    if (!content.isEmpty())
        m_env->Write_File(program, content);
    QElapsedTimer clock;
    clock.start();
    const TRun_Result result =
        FVelmoraeFirmWare->Start_Program(program.isEmpty() ? program : Path(program), QString(), 0);
    QVERIFY2(clock.elapsed() < 100, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(result.End, end);
    // Nothing is shown for a program that did not start.
    QVERIFY(m_env->Platform.Errors.isEmpty() && m_env->Platform.Warnings.isEmpty());
}

void TestRunner::parameters_split_like_a_command_line()
{
    const QString script = Script(QStringLiteral("args.sh"), "printf '%s|' \"$@\" > args\n");
    FVelmoraeFirmWare->Start_Program(QStringLiteral("/bin/sh"),
                                     script + QStringLiteral(" \"two words\" third"), 1);
    QCOMPARE(m_env->Read_File(QStringLiteral("args")), QByteArray("two words|third|"));
}

void TestRunner::left_running_after_limit_and_collected_later()
{
    QElapsedTimer clock;
    clock.start();
    const TRun_Result result = FVelmoraeFirmWare->Start_Program(
        QStringLiteral("/bin/sh"),
        Script(QStringLiteral("long.sh"), "echo $$ > pid\nsleep 1\necho done > done\n"), 0, 300);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(result.End, TRun_End::Timed_Out);
    QCOMPARE(result.Limit_Ms, 300);
    QVERIFY2(elapsed >= 300 && elapsed < 500, qPrintable(QString::number(elapsed)));

    const qint64 pid = m_env->Read_File(QStringLiteral("pid")).trimmed().toLongLong();
    QVERIFY(pid > 0);
    const char state = Process_State(pid);
    QVERIFY2(state != 0 && state != 'Z', "the program must still run after the limit");

    // It goes on to its end and then leaves no zombie behind.
    QTRY_COMPARE_WITH_TIMEOUT(m_env->Read_File(QStringLiteral("done")), QByteArray("done\n"), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(Process_State(pid), char(0), 5000);
}

void TestRunner::repaints_but_drops_input_while_waiting()
{
    TPaint_Counter canvas;
    canvas.resize(100, 100);
    canvas.show();
    QVERIFY(QTest::qWaitForWindowExposed(&canvas));
    QPushButton button(QStringLiteral("Press"));
    int clicks = 0;
    connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QComboBox list;
    list.addItems({QStringLiteral("first"), QStringLiteral("second")});
    list.show();
    const auto turn_wheel = [&list] {
        QWheelEvent wheel(QPointF(5, 5), list.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&list, &wheel);
    };

    int paints_before = -1;
    QTimer::singleShot(100, [&] {
        paints_before = canvas.Paints;
        canvas.update();
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::keyClick(&button, Qt::Key_Space);
        turn_wheel();
        canvas.close();
    });
    int paints_during = -1;
    QTimer::singleShot(300, [&] { paints_during = canvas.Paints; });
    FVelmoraeFirmWare->Start_Program(QStringLiteral("/bin/sleep"), QStringLiteral("0.5"), 0);

    QVERIFY(paints_before >= 0 && paints_during > paints_before);
    QCoreApplication::processEvents();
    QCOMPARE(clicks, 0);
    QCOMPARE(list.currentIndex(), 0);
    QVERIFY(canvas.isVisible());
    // Input works again once the wait is over.
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    turn_wheel();
    QCOMPARE(list.currentIndex(), 1);
}

void TestRunner::no_version_check_while_waiting()
{
    int ticks = 0;
    QTimer &timer = FVelmoraeFirmWare->Timer_Update;
    connect(&timer, &QTimer::timeout, this, [&ticks] { ++ticks; });
    timer.start(20);
    FVelmoraeFirmWare->Start_Program(QStringLiteral("/bin/sh"),
                                     Script(QStringLiteral("wait.sh"), "sleep 0.3\n"), 0);
    // Stopped before any event runs, so the program never asks the web server.
    timer.stop();
    QCOMPARE(ticks, 0);
}

QTEST_MAIN(TestRunner)
#include "test_runner.moc"
