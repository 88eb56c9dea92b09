// velmora-cli in the user's console on Windows: the console keeps the code page it had.
#include "TestCli.h"

#include <QtTest>
#include <windows.h>

class TestCliWin : public QObject
{
    Q_OBJECT
private slots:
    void console_code_page_given_back();
};

void TestCliWin::console_code_page_given_back()
{
    // The test runs with pipes for its streams and maybe no console: the
    // program shares the one made here, as it shares a command prompt's.
    FreeConsole();
    QVERIFY(AllocConsole());
    if (!SetConsoleOutputCP(850))
        QSKIP("no console whose code page can be set here (Wine without a display)");
    TTestFolder env;
    QCOMPARE(Run_Cli(env.Folder(), {"--version"}).Status, 0);
    QCOMPARE(GetConsoleOutputCP(), 850u);
    FreeConsole();
}

QTEST_GUILESS_MAIN(TestCliWin)
#include "test_cli_win.moc"
