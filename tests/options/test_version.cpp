// The version number rule and the check against a real HTTP server on 127.0.0.1.
#include "TestWindows.h"
#include "TestHttpServer.h"
#include "TestPlatform.h"

#include "common/UComon.h"
#include "common/UVersion.h"
#include "options/USoftOptions.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest>

class TestVersion : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void conv_version_data();
    void conv_version();
    void check_version_data();
    void check_version();
    void answer_without_http_is_no_update();
    void request_asks_the_version_page();
    void cookies_are_neither_kept_nor_sent();
    void redirect_is_not_followed();
    void refused_port_is_no_update();
    void silent_server_times_out();
    void windows_repaint_but_drop_input_while_waiting();
    void over_long_reply_is_no_update();
    void link_caption_is_escaped();

private:
    TTestPlatform platform;
};

void TestVersion::init()
{
    platform.Clear();
    platform.Web_Base_Url.clear();
    platform.Limit_Ms = 0;
}

void TestVersion::cleanup()
{
    // Failures are swallowed: nothing is ever shown to the user.
    QVERIFY(platform.Errors.isEmpty());
    QVERIFY(platform.Warnings.isEmpty());
}

void TestVersion::conv_version_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("own version") << SW_Version << 1102;
    QTest::newRow("word before") << "VER. 1.105" << 1105;
    QTest::newRow("characters after the fifth") << "1.1025" << 1102;
    QTest::newRow("only first blank counts") << "VER. 1.105 beta" << 1105;
    QTest::newRow("blanks around") << "VER.   1.103  " << 1103;
    QTest::newRow("leading blank") << " 1.104" << 1104;
    QTest::newRow("too short") << "VER. 2.0" << -1;
    QTest::newRow("point moved") << "VER. 10.00" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("word only") << "VER." << -1;
    QTest::newRow("letters") << "VER. a.bcd" << -1;
    QTest::newRow("second character ignored") << "1x234" << 1234;
}

void TestVersion::conv_version()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(Conv_Version(text), number);
}

void TestVersion::check_version_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("newer");
    QTest::newRow("newer") << Http_Answer("200 OK", "VER. 1.103") << true;
    QTest::newRow("equal") << Http_Answer("200 OK", "VER. 1.102") << false;
    QTest::newRow("older") << Http_Answer("200 OK", "VER. 1.101") << false;
    QTest::newRow("newer in small letters") << Http_Answer("200 OK", "ver. 1.105") << true;
    QTest::newRow("no version offered") << Http_Answer("200 OK", "VER. 0.000") << false;
    QTest::newRow("none, small letters") << Http_Answer("200 OK", "ver. 0.000") << false;
    QTest::newRow("none, blanks and line end") << Http_Answer("200 OK", "  VER. 0.000 \r\n") << false;
    QTest::newRow("newer with line end") << Http_Answer("200 OK", "\r\nVER. 1.105\r\n") << true;
    QTest::newRow("without word") << Http_Answer("200 OK", "1.105") << true;
    QTest::newRow("too short") << Http_Answer("200 OK", "VER. 2.0") << false;
    QTest::newRow("point moved") << Http_Answer("200 OK", "VER. 10.00") << false;
    QTest::newRow("empty body") << Http_Answer("200 OK", "") << false;
    QTest::newRow("only a line end") << Http_Answer("200 OK", "\r\n") << false;
    QTest::newRow("not found") << Http_Answer("404 Not Found", "VER. 1.105") << false;
    QTest::newRow("server error") << Http_Answer("500 Internal Server Error", "VER. 1.105") << false;
    QTest::newRow("charset named") << Http_Answer("200 OK", "VER. 1.106", "Content-Type: text/plain; charset=utf-8\r\n")
                                   << true;
}

void TestVersion::check_version()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, newer);
    TTestHttpServer server;
    server.Reply = answer;
    platform.Web_Base_Url = server.Base_Url();
    QCOMPARE(TFSoftOptions::Check_Version(), newer);
    QCOMPARE(server.Requests.size(), 1);
}

void TestVersion::answer_without_http_is_no_update()
{
    TTestHttpServer server;
    server.Reply = "VER. 1.105 and no HTTP at all\r\n\r\n";
    platform.Web_Base_Url = server.Base_Url();
    QVERIFY(!TFSoftOptions::Check_Version());
}

void TestVersion::request_asks_the_version_page()
{
    TTestHttpServer server;
    server.Reply = Http_Answer("200 OK", "VER. 1.103");
    platform.Web_Base_Url = server.Base_Url();
    QVERIFY(TFSoftOptions::Check_Version());
    const QByteArray request = server.Requests.value(0);
    QVERIFY2(request.startsWith("GET /home/download/GetversionSW.asp?nomesw=QV40318 HTTP/1."),
             request.constData());
    QVERIFY(request.contains(
        "\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
    QVERIFY(request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
    QVERIFY(!request.toLower().contains("\r\nauthorization:"));
}

void TestVersion::cookies_are_neither_kept_nor_sent()
{
    TTestHttpServer server;
    server.Reply = Http_Answer("200 OK", "VER. 1.103", "Set-Cookie: session=abc; Path=/\r\n");
    platform.Web_Base_Url = server.Base_Url();
    QVERIFY(TFSoftOptions::Check_Version());
    QVERIFY(TFSoftOptions::Check_Version());
    QCOMPARE(server.Requests.size(), 2);
    QVERIFY(!server.Requests.at(1).toLower().contains("\r\ncookie:"));
}

void TestVersion::redirect_is_not_followed()
{
    TTestHttpServer server;
    platform.Web_Base_Url = server.Base_Url();
    server.Reply = Http_Answer("302 Found", "VER. 1.105",
                               "Location: " + server.Base_Url().toLatin1() + "/elsewhere\r\n");
    QVERIFY(!TFSoftOptions::Check_Version());
    QTest::qWait(100);
    QCOMPARE(server.Requests.size(), 1);
}

void TestVersion::refused_port_is_no_update()
{
    platform.Web_Base_Url = Refused_Url();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!TFSoftOptions::Check_Version());
    QVERIFY(clock.elapsed() < 2000);
}

void TestVersion::silent_server_times_out()
{
    TTestHttpServer server;
    server.Silent = true;
    platform.Web_Base_Url = server.Base_Url();
    platform.Limit_Ms = 300;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!TFSoftOptions::Check_Version());
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= 250 && elapsed < 3000, QByteArray::number(elapsed).constData());
    QCOMPARE(server.Requests.size(), 1);
}

void TestVersion::windows_repaint_but_drop_input_while_waiting()
{
    TTestHttpServer server;
    server.Silent = true;
    platform.Web_Base_Url = server.Base_Url();
    platform.Limit_Ms = 400;
    TPaint_Counter window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.Paints > 0);
    const int before = window.Paints;
    int during = 0;
    QPushButton button(QStringLiteral("Press"));
    int clicks = 0;
    connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QTimer::singleShot(50, &window, [&window, &button] {
        window.update();
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::keyClick(&button, Qt::Key_Space);
    });
    QTimer::singleShot(200, &window, [&window, &during] { during = window.Paints; });
    QVERIFY(!TFSoftOptions::Check_Version());
    QVERIFY(during > before);
    // What the user did during the wait is dropped, never acted on afterwards.
    QCoreApplication::processEvents();
    QCOMPARE(clicks, 0);
}

void TestVersion::over_long_reply_is_no_update()
{
    TTestHttpServer server;
    // Trimmed, this would be a newer version: only the length refuses it.
    server.Reply = Http_Answer("200 OK", "VER. 1.105" + QByteArray(Version_Reply_Limit, ' '));
    platform.Web_Base_Url = server.Base_Url();
    QVERIFY(!TFSoftOptions::Check_Version());
    server.Reply = Http_Answer("200 OK", "VER. 1.105" + QByteArray(Version_Reply_Limit - 10, ' '));
    QVERIFY(TFSoftOptions::Check_Version());
}

void TestVersion::link_caption_is_escaped()
{
    // A caption from a language file is text, never markup.
    QCOMPARE(Link_Html(QStringLiteral("http://h/a?b=1&c=2"), QStringLiteral("A & <b>")),
             QStringLiteral("<a href=\"http://h/a?b=1&amp;c=2\">A &amp; &lt;b&gt;</a>"));
}

QTEST_MAIN(TestVersion)
#include "test_version.moc"
