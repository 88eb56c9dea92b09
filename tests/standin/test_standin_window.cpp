// The stand-in's report window, and where it is shown at all.
#include "standin/UReport_Window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QtTest>

class TestStandinWindow : public QObject
{
    Q_OBJECT
private slots:
    void shows_the_report();
    void closes_by_itself();
    void verdict_names_an_unwritten_log();
    void shown_only_where_seen_data();
    void shown_only_where_seen();
};

void TestStandinWindow::shows_the_report()
{
    TJob_Report report;
    report.Lines << QStringLiteral("Device address: 10.0.0.7");
    report.Problems << QStringLiteral("Version is \"9\", not \"1000\"");
    TReport_Window window(report);
    window.show();
    QVERIFY(window.windowTitle().contains(QStringLiteral("stand-in")));
    const QString findings = window.Findings->toPlainText();
    QVERIFY(findings.contains(QStringLiteral("Device address: 10.0.0.7")));
    QVERIFY(findings.contains(QStringLiteral("Problem: Version is \"9\"")));
    QCOMPARE(window.Verdict->text(), QStringLiteral("Verdict: the job is broken (1 problem)."));
    QTest::mouseClick(window.Btn_Close, Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

void TestStandinWindow::closes_by_itself()
{
    TReport_Window window(TJob_Report(), 200);
    window.show();
    QCOMPARE(window.Verdict->text(), QStringLiteral("Verdict: the job is sound."));
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 3000);
}

void TestStandinWindow::verdict_names_an_unwritten_log()
{
    TJob_Report report;
    report.Unlogged = QStringLiteral("Cannot write \"Ethernet_Update.log\": No space left on device");
    TReport_Window window(report);
    QCOMPARE(window.Verdict->text(),
             QStringLiteral("Verdict: the job is sound, but its log Ethernet_Update.log could not be written."));
    QVERIFY(window.Findings->toPlainText().endsWith(QStringLiteral("Problem: ") + report.Unlogged));
}

void TestStandinWindow::shown_only_where_seen_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<bool>("shown");
    QTest::newRow("a display") << QStringList{"DISPLAY=:0"} << true;
    QTest::newRow("a Wayland display") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << true;
    QTest::newRow("quiet asked for") << QStringList{"DISPLAY=:0", "VELMORA_STANDIN_QUIET=1"} << false;
    QTest::newRow("drawn off the screen") << QStringList{"DISPLAY=:0", "QT_QPA_PLATFORM=offscreen"} << false;
#ifdef Q_OS_WIN
    QTest::newRow("the desktop") << QStringList{} << true;
#else
    QTest::newRow("no display") << QStringList{} << false;
#endif
}

void TestStandinWindow::shown_only_where_seen()
{
    QFETCH(QStringList, variables);
    QFETCH(bool, shown);
    QProcessEnvironment environment;
    for (const QString &variable : variables)
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    QCOMPARE(Report_Window_Wanted(environment), shown);
}

QTEST_MAIN(TestStandinWindow)
#include "test_standin_window.moc"
