// The echo request: reading dotted quads, an answer from the loopback, and which replies count.
#include "platform/UEcho.h"
#include "platform/UEcho_Ways.h"

#include <QElapsedTimer>
#include <QtTest>

class TestEcho : public QObject
{
    Q_OBJECT
private slots:
    void dotted_quad_data();
    void dotted_quad();
    void loopback_answers();
#ifndef Q_OS_WIN
    void only_the_reply_from_the_device_counts_data();
    void only_the_reply_from_the_device_counts();
#endif
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

#ifndef Q_OS_WIN
void TestEcho::only_the_reply_from_the_device_counts_data()
{
    QTest::addColumn<QByteArray>("icmp");   // type, code, checksum, id 0x1234, sequence 7, data
    QTest::addColumn<uint>("from");
    QTest::addColumn<bool>("raw");
    QTest::addColumn<int>("size");
    const QByteArray reply = QByteArray::fromHex("00000000123400076162");
    const uint device = 0x7F000001u;
    QTest::newRow("the device's reply") << reply << device << true << 10;
    QTest::newRow("with the IPv4 header in front")
        << QByteArray::fromHex("4500001e00000000400100007f0000017f000001") + reply << device << true << 10;
    QTest::newRow("another address") << reply << 0x7F000002u << false << 0;
    QTest::newRow("another sequence") << QByteArray::fromHex("00000000123400086162") << device << false << 0;
    QTest::newRow("a request, not a reply") << QByteArray::fromHex("08000000123400076162") << device << false << 0;
    QTest::newRow("another identifier, raw") << QByteArray::fromHex("00000000432100076162") << device << true << 0;
    QTest::newRow("identifier set by the kernel") << QByteArray::fromHex("00000000432100076162") << device << false << 10;
}

void TestEcho::only_the_reply_from_the_device_counts()
{
    QFETCH(QByteArray, icmp);
    QFETCH(uint, from);
    QFETCH(bool, raw);
    QFETCH(int, size);
    QCOMPARE(Echo_Reply_Size(icmp, from, 0x7F000001u, raw, 0x1234, 7), size);
}
#endif

QTEST_GUILESS_MAIN(TestEcho)
#include "test_echo.moc"
