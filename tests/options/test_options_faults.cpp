// The version check against broken servers on 127.0.0.1, through the windows
// where the user meets it: the options dialog's check button and the main
// window's timer tick. Every case ends within the request's time limit (the
// time it ends by is measured) and shows no newer version and no message.
// A refused port, a short over-long answer, a redirect to the same server
// and error statuses are in test_version and test_soft_options.

#include "TestEnv.h"
#include "TestHttpServer.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "common/UVersion.h"
#include "lang/ULang.h"
#include "options/USoftOptions.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTabWidget>
#include <QtTest>

namespace {

enum class TServer {
    Never_Answers,
    Closes_At_Once,
    Endless_Body_With_Length,
    Endless_Body_Without_Length,
    Endless_Header,
    Byte_At_A_Time,
    Redirect_To_Newer,
    Newer_Then_Held_Open
};

// What the slowest machine adds to a limit: the sanitizer build, a busy CI.
constexpr qint64 Margin_Ms = 1500;

const QByteArray Newer_Answer = Http_Answer("200 OK", "VER. 1.105");

} // namespace

Q_DECLARE_METATYPE(TServer)

class TestOptionsFaults : public QObject
{
    Q_OBJECT
private slots:
    void broken_server_data();
    void broken_server();
};

void TestOptionsFaults::broken_server_data()
{
    QTest::addColumn<TServer>("server");
    QTest::addColumn<bool>("byTimer");
    QTest::addColumn<int>("limitMs");
    // Whether the time limit is what ends the request, or the fault itself, earlier.
    QTest::addColumn<bool>("endsByLimit");
    QTest::newRow("never answers, by hand") << TServer::Never_Answers << false << 1000 << true;
    QTest::newRow("never answers, by timer") << TServer::Never_Answers << true << 1000 << true;
    QTest::newRow("never answers, the program's own limit")
        << TServer::Never_Answers << true << Version_Request_Limit_Ms << true;
    QTest::newRow("closes at once") << TServer::Closes_At_Once << false << 1000 << false;
    QTest::newRow("endless body with a huge length")
        << TServer::Endless_Body_With_Length << false << 1000 << false;
    QTest::newRow("endless body without a length, by timer")
        << TServer::Endless_Body_Without_Length << true << 1000 << false;
    QTest::newRow("header without end") << TServer::Endless_Header << false << 1000 << false;
    QTest::newRow("a newer version, a byte at a time")
        << TServer::Byte_At_A_Time << false << 1000 << true;
    QTest::newRow("redirect to a newer version") << TServer::Redirect_To_Newer << true << 1000 << false;
    // No length and no close: what came before the limit is no answer.
    QTest::newRow("a newer version, then held open")
        << TServer::Newer_Then_Held_Open << false << 1000 << true;
}

void TestOptionsFaults::broken_server()
{
    QFETCH(TServer, server);
    QFETCH(bool, byTimer);
    QFETCH(int, limitMs);
    QFETCH(bool, endsByLimit);
    TTestHttpServer broken;
    TTestHttpServer elsewhere;
    elsewhere.Reply = Newer_Answer;
    switch (server) {
    case TServer::Never_Answers:
        broken.Silent = true;
        break;
    case TServer::Closes_At_Once:
        broken.Close_At_Once = true;
        break;
    case TServer::Endless_Body_With_Length:
        broken.Reply = "HTTP/1.1 200 OK\r\nContent-Length: 10000000000\r\n\r\nVER. 1.105";
        broken.Endless = true;
        break;
    case TServer::Endless_Body_Without_Length:
        broken.Reply = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nVER. 1.105";
        broken.Endless = true;
        break;
    case TServer::Endless_Header:
        broken.Reply = "HTTP/1.1 200 OK\r\nX-Filler: ";
        broken.Endless = true;
        break;
    case TServer::Byte_At_A_Time:
        broken.Reply = Newer_Answer;
        broken.Trickle_Ms = 300;
        break;
    case TServer::Newer_Then_Held_Open:
        broken.Reply = "HTTP/1.0 200 OK\r\n\r\nVER. 1.105";
        broken.Hold_Open = true;
        break;
    case TServer::Redirect_To_Newer:
        broken.Reply = Http_Answer("307 Temporary Redirect", "VER. 1.105",
                                   "Location: " + elsewhere.Base_Url().toLatin1()
                                       + "/home/download/GetversionSW.asp?nomesw=QV40318\r\n");
        break;
    }
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    env.Start();
    platform.Web_Base_Url = broken.Base_Url();
    platform.Limit_Ms = limitMs;
    Enable_Internet = true;
    Enable_Update = true;

    QElapsedTimer clock;
    if (byTimer) {
        QLabel *link = FVelmoraeFirmWare->LL_Update;
        link->show();
        clock.start();
        FVelmoraeFirmWare->Timer_UpdateTimer();
        QVERIFY(link->isHidden());
        QCOMPARE(FVelmoraeFirmWare->Timer_Update.interval(), 7200000);
        QVERIFY(FVelmoraeFirmWare->Timer_Update.isActive());
    } else {
        FSoftOptions->show();
        FSoftOptions->PC_Options->setCurrentWidget(FSoftOptions->TS_Con_Options);
        // A tick falling due during the wait must not start a request inside it.
        FVelmoraeFirmWare->Timer_Update.start(10);
        clock.start();
        QTest::mouseClick(FSoftOptions->Btn_Check_Update, Qt::LeftButton);
        FVelmoraeFirmWare->Timer_Update.stop();
        QVERIFY(FSoftOptions->LL_Check_Update->isVisible());
        QCOMPARE(FSoftOptions->LL_Check_Update->text(), Lang(315));
        FSoftOptions->hide();
    }
    const qint64 elapsed = clock.elapsed();

    QVERIFY2(elapsed < limitMs + (endsByLimit ? Margin_Ms : 0),
             qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
    if (endsByLimit)
        QVERIFY2(elapsed >= limitMs - 50, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
    QCOMPARE(broken.Requests.size(), server == TServer::Closes_At_Once ? 0 : 1);
    QCOMPARE(elsewhere.Requests.size(), 0);
    QCOMPARE(platform.Errors + platform.Warnings, QStringList());
}

QTEST_MAIN(TestOptionsFaults)
#include "test_options_faults.moc"
