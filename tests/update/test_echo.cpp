#include "update/UEcho.h"

#include <QElapsedTimer>
#include <QtTest>

class TestEcho : public QObject
{
    Q_OBJECT
private slots:
    void dotted_quad_data();
    void dotted_quad();
    void loopback_answers();
};

void TestEcho::dotted_quad_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<uint>("address");

    QTest::newRow("plain") << "192.168.2.205" << true << 0xC0A802CDu;
    // The updater takes the address as typed; a leading zero could read as octal there.
    QTest::newRow("leading zero") << "010.0.0.7" << false << 0u;
    QTest::newRow("zero written twice") << "10.00.0.7" << false << 0u;
    QTest::newRow("zero parts") << "0.0.0.0" << true << 0u;
    QTest::newRow("blanks around parts") << " 10 . 0 . 0 . 7 " << true << 0x0A000007u;
    QTest::newRow("name") << "localhost" << false << 0u;
    QTest::newRow("letter in last part") << "127.0.0.x" << false << 0u;
    QTest::newRow("hexadecimal part") << "0x7F.0.0.1" << false << 0u;
    QTest::newRow("signed part") << "+127.0.0.1" << false << 0u;
    QTest::newRow("five parts") << "127.0.0.1.5" << false << 0u;
    QTest::newRow("part too big") << "256.0.0.1" << false << 0u;
}

void TestEcho::dotted_quad()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(uint, address);
    uint32_t parsed = 0;
    QCOMPARE(Parse_Dotted_Quad(text, parsed), valid);
    if (valid)
        QCOMPARE(parsed, address);
}

void TestEcho::loopback_answers()
{
    const QByteArray data("127.0.0.1");
    QElapsedTimer clock;
    clock.start();
    const TEcho_Reply reply = Echo_Request(QStringLiteral("127.0.0.1"), data, 400);
    QVERIFY2(reply.Sent, qPrintable(reply.Error));
    // The echo carries the 8-byte ICMP header and the data back.
    QCOMPARE(reply.Bytes_Received, 8 + data.size());
    QVERIFY(clock.elapsed() < 300);
}

QTEST_GUILESS_MAIN(TestEcho)
#include "test_echo.moc"
