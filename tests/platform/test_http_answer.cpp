// The version request's HTTP/1.0 request bytes and the reading of answers
// that arrive in pieces, broken, or larger than the version page ever sends.
#include "platform/UHttp_Answer.h"

#include <QUrl>
#include <QtTest>

Q_DECLARE_METATYPE(THttp_Answer::TState)

class TestHttpAnswer : public QObject
{
    Q_OBJECT
private slots:
    void request_bytes();
    void answers_data();
    void answers();
    void limits_hold_without_end();
};

void TestHttpAnswer::request_bytes()
{
    QCOMPARE(Http_Get_Request(QUrl(QStringLiteral("http://user:pw@127.0.0.1:8080/home/a.asp?nomesw=QV40318#x")),
                              "text/html", "Agent/1"),
             QByteArray("GET /home/a.asp?nomesw=QV40318 HTTP/1.0\r\nHost: 127.0.0.1:8080\r\n"
                        "Accept: text/html\r\nUser-Agent: Agent/1\r\n\r\n"));
    // A line break in the address cannot start a header of its own.
    const QByteArray request =
        Http_Get_Request(QUrl(QStringLiteral("http://h/a?x=1%0D%0AX-Evil:%201")), "a", "b");
    QVERIFY2(request.startsWith("GET /a?x=1%0D%0AX-Evil:%201 HTTP/1.0\r\nHost: h\r\n"), request.constData());
    QCOMPARE(Http_Get_Request(QUrl(QStringLiteral("http://h")), "a", "b").left(21),
             QByteArray("GET / HTTP/1.0\r\nHost:"));
}

void TestHttpAnswer::answers_data()
{
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<THttp_Answer::TState>("state");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    using A = THttp_Answer;
    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    QTest::newRow("length announced") << QList<QByteArray>{ok + "Content-Length: 10\r\n\r\nVER. 1.105"}
                                      << false << A::Complete << 200 << QByteArray("VER. 1.105");
    QTest::newRow("in pieces, split inside the end of the headers")
        << QList<QByteArray>{"HTTP/1.0 200 OK\r\nContent-Len", "gth: 4\r\n\r", "\nab", "cd"} << false
        << A::Complete << 200 << QByteArray("abcd");
    QTest::newRow("no length, ended by closing") << QList<QByteArray>{ok + "\r\nVER. 1.105\r\n"} << true
                                                 << A::Complete << 200 << QByteArray("VER. 1.105\r\n");
    QTest::newRow("no length, still open") << QList<QByteArray>{ok + "\r\nVER."} << false << A::Incomplete
                                           << 200 << QByteArray("VER.");
    QTest::newRow("lines ended by LF alone") << QList<QByteArray>{"HTTP/1.0 404 Not Found\nX: 1\n\nno"}
                                             << true << A::Complete << 404 << QByteArray("no");
    QTest::newRow("bytes past the length are not body")
        << QList<QByteArray>{ok + "Content-Length: 2\r\n\r\nabcdef"} << false << A::Complete << 200
        << QByteArray("ab");
    QTest::newRow("closed short of the length") << QList<QByteArray>{ok + "Content-Length: 9\r\n\r\nabc"}
                                                << true << A::Failed << 200 << QByteArray("abc");
    QTest::newRow("closed before the headers ended") << QList<QByteArray>{ok + "Content-Type: te"} << true
                                                     << A::Failed << 0 << QByteArray();
    QTest::newRow("closed at once") << QList<QByteArray>{} << true << A::Failed << 0 << QByteArray();
    QTest::newRow("no HTTP status line") << QList<QByteArray>{"VER. 1.105\r\n\r\n"} << true << A::Failed
                                         << 0 << QByteArray();
    QTest::newRow("status of two digits") << QList<QByteArray>{"HTTP/1.0 20 OK\r\n\r\n"} << true
                                          << A::Failed << 0 << QByteArray();
    QTest::newRow("status of four digits") << QList<QByteArray>{"HTTP/1.0 2000\r\n\r\nVER. 1.105"}
                                           << true << A::Failed << 0 << QByteArray();
    QTest::newRow("headers over the limit in one read")
        << QList<QByteArray>{ok + "X-Filler: " + QByteArray(Http_Header_Limit, 'x') + "\r\n\r\nVER"}
        << true << A::Failed << 0 << QByteArray();
    QTest::newRow("header line without colon") << QList<QByteArray>{ok + "Garbage\r\n\r\nx"} << true
                                               << A::Failed << 200 << QByteArray();
    QTest::newRow("two different lengths")
        << QList<QByteArray>{ok + "Content-Length: 2\r\nContent-Length: 3\r\n\r\nabc"} << true << A::Failed
        << 200 << QByteArray();
    QTest::newRow("length that is no number") << QList<QByteArray>{ok + "Content-Length: -1\r\n\r\n"}
                                              << true << A::Failed << 200 << QByteArray();
    QTest::newRow("chunked body") << QList<QByteArray>{ok + "Transfer-Encoding: chunked\r\n\r\n3\r\nabc"}
                                  << true << A::Failed << 200 << QByteArray();
    QTest::newRow("length over the limit fails at once")
        << QList<QByteArray>{ok + "Content-Length: 10000000000\r\n\r\nVER"} << false << A::Failed << 200
        << QByteArray();
    QTest::newRow("body at the limit") << QList<QByteArray>{ok + "\r\n" + QByteArray(100, 'x')} << true
                                       << A::Complete << 200 << QByteArray(100, 'x');
    QTest::newRow("body over the limit fails at once")
        << QList<QByteArray>{ok + "\r\n" + QByteArray(100, 'x'), "y"} << false << A::Failed << 200
        << QByteArray();
}

void TestHttpAnswer::answers()
{
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(bool, closed);
    QFETCH(THttp_Answer::TState, state);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    THttp_Answer answer(100);
    for (const QByteArray &piece : pieces)
        answer.Add(piece);
    if (closed)
        answer.Close();
    QCOMPARE(answer.State(), state);
    QCOMPARE(answer.Status(), status);
    if (state != THttp_Answer::Failed)
        QCOMPARE(answer.Body(), body);
    // Nothing that follows changes a finished answer.
    if (state != THttp_Answer::Incomplete) {
        QCOMPARE(answer.Add("HTTP/1.0 200 OK\r\n\r\nmore"), state);
        QCOMPARE(answer.Close(), state);
    }
}

void TestHttpAnswer::limits_hold_without_end()
{
    THttp_Answer header(64);
    QCOMPARE(header.Add("HTTP/1.1 200 OK\r\nX-Filler: "), THttp_Answer::Incomplete);
    THttp_Answer::TState state = THttp_Answer::Incomplete;
    int pieces = 0;
    while (state == THttp_Answer::Incomplete && pieces < 1000) {
        state = header.Add(QByteArray(1024, ' '));
        ++pieces;
    }
    QCOMPARE(state, THttp_Answer::Failed);
    QVERIFY(pieces * 1024 <= Http_Header_Limit + 1024);

    THttp_Answer typed(64);
    typed.Add("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\ncontent-type: text/plain; charset=utf-8\r\n\r\n");
    QCOMPARE(typed.Content_Type(), QByteArray("text/html, text/plain; charset=utf-8"));
    QCOMPARE(Decode_Http_Body("\xC3\xA9", typed.Content_Type()), QStringLiteral("\u00e9"));
    QCOMPARE(Decode_Http_Body("\xE9", "text/plain"), QStringLiteral("\u00e9"));
    QCOMPARE(Decode_Http_Body("\xE9", "text/plain; charset=\"no-such-set\""), QStringLiteral("\u00e9"));
}

QTEST_GUILESS_MAIN(TestHttpAnswer)
#include "test_http_answer.moc"
