// The runner on Windows: ShellExecuteExW with a process handle to wait on,
// tried on the built updater stand-in in a program folder of its own. Without
// a job file the stand-in says so in Ethernet_Update.log beside itself and ends.

#include "TestEnv.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "update/UJob_File.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>
#include <optional>

Q_DECLARE_METATYPE(TRun_End)

class TestRunnerWin : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void returns_when_program_ends_data();
    void returns_when_program_ends();
    void left_running_after_limit();
    void not_started_returns_at_once_data();
    void not_started_returns_at_once();

private:
    // The stand-in copied into folder (made below the program folder).
    QString Standin_In(const QString &folder) const;
    std::optional<TTestEnv> m_env;
};

void TestRunnerWin::init()
{
    m_env.emplace();
    m_env->Start();
}

void TestRunnerWin::cleanup()
{
    m_env.reset();
}

QString TestRunnerWin::Standin_In(const QString &folder) const
{
    const QString target = m_env->Path(folder);
    QDir().mkpath(target);
    const QString built = Join_Path(qEnvironmentVariable("VELMORA_DIST_DIR"), Updater_Program_Name);
    const QString program = Join_Path(target, Updater_Program_Name);
    return QFile::copy(built, program) ? program : QString();
}

void TestRunnerWin::returns_when_program_ends_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("plain folder") << "Velmora";
    QTest::newRow("blanks") << "Velmora Programs";
    QTest::newRow("non-ASCII letters") << QStringLiteral("Prüfstand Ωmega");
}

void TestRunnerWin::returns_when_program_ends()
{
    QFETCH(QString, folder);
    const QString program = Standin_In(folder);
    QVERIFY(!program.isEmpty());
    QElapsedTimer clock;
    clock.start();
    const TRun_Result result = FVelmoraeFirmWare->Start_Program(program, QString(), 0, 60000);
    const qint64 elapsed = clock.elapsed();
    // Its exit status: the job it found was no sound one.
    QCOMPARE(result.End, TRun_End::Exited);
    QCOMPARE(result.Code, 1);
    // The stand-in ran in its own folder and the wait lasted until its end.
    const QString log = QString::fromUtf8(m_env->Read_File(folder + QStringLiteral("/Ethernet_Update.log")));
    QVERIFY2(log.contains(QLatin1String("Ethernet_Update.xml")), qPrintable(log));
    QVERIFY2(elapsed < 30000, qPrintable(QString::number(elapsed)));
    QVERIFY(m_env->Platform.Errors.isEmpty() && m_env->Platform.Warnings.isEmpty());
}

void TestRunnerWin::left_running_after_limit()
{
    const QString program = Standin_In(QStringLiteral("Velmora"));
    QVERIFY(!program.isEmpty());
    QElapsedTimer clock;
    clock.start();
    // Far shorter than the stand-in takes to load its libraries and start.
    const TRun_Result result = FVelmoraeFirmWare->Start_Program(program, QString(), 0, 1);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(result.End, TRun_End::Timed_Out);
    QVERIFY2(elapsed < 500, qPrintable(QString::number(elapsed)));
    const QString log = QStringLiteral("Velmora/Ethernet_Update.log");
    QVERIFY2(m_env->Read_File(log).isEmpty(), "the wait must end before the program does");
    // It goes on to its end by itself.
    QTRY_VERIFY_WITH_TIMEOUT(!m_env->Read_File(log).isEmpty(), 30000);
}

void TestRunnerWin::not_started_returns_at_once_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<TRun_End>("end");
    QTest::newRow("missing program") << "Ethernet_Update.exe" << QByteArray() << TRun_End::Not_Found;
    QTest::newRow("not a program") << "Ethernet_Update.exe" << QByteArray("plain text\r\n") << TRun_End::Not_Started;
    QTest::newRow("empty name") << "" << QByteArray() << TRun_End::Not_Found;
}

void TestRunnerWin::not_started_returns_at_once()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, content);
    QFETCH(TRun_End, end);
    if (!content.isEmpty())
        m_env->Write_File(program, content);
    QElapsedTimer clock;
    clock.start();
    const TRun_Result result =
        FVelmoraeFirmWare->Start_Program(program.isEmpty() ? program : m_env->Path(program), QString(), 0);
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(result.End, end);
    QVERIFY(m_env->Platform.Errors.isEmpty() && m_env->Platform.Warnings.isEmpty());
}

QTEST_MAIN(TestRunnerWin)
#include "test_runner_win.moc"
