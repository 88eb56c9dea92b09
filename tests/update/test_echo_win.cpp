// The Windows echo through the ICMP helper API: a reply from the loopback,
// how the helper's statuses are told, and an address no way leads to, which
// the update dialog reports at once as an address to check. That last case
// needs such an address: tools/windows/test.sh makes one inside a network of
// the test's own and names it in VELMORA_UNREACHABLE_ADDRESS.

#include "TestDialogs.h"

#include "lang/ULang.h"
#include "platform/UEcho_Ways.h"
#include "update/UBoot.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QtTest>

class TestEchoWin : public QObject
{
    Q_OBJECT
private slots:
    void helper_api_answers_loopback();
    void unreachable_statuses_data();
    void unreachable_statuses();
    void unreachable_address_not_sent();
};

void TestEchoWin::helper_api_answers_loopback()
{
    const QByteArray data("127.0.0.1");
    bool unavailable = true;
    const TEcho_Reply reply = Echo_Request_By(TEcho_Way::Helper_Api, QStringLiteral("127.0.0.1"),
                                              data, 400, &unavailable);
    QVERIFY2(!unavailable && reply.Sent, qPrintable(reply.Error));
    QCOMPARE(reply.Bytes_Received, 8 + data.size());
}

void TestEchoWin::unreachable_statuses_data()
{
    QTest::addColumn<ulong>("status");
    QTest::addColumn<bool>("unreachable");
    QTest::newRow("network unreachable") << ulong(IP_DEST_NET_UNREACHABLE) << true;
    QTest::newRow("host unreachable") << ulong(IP_DEST_HOST_UNREACHABLE) << true;
    QTest::newRow("protocol unreachable") << ulong(IP_DEST_PROT_UNREACHABLE) << true;
    QTest::newRow("port unreachable") << ulong(IP_DEST_PORT_UNREACHABLE) << true;
    QTest::newRow("bad route") << ulong(IP_BAD_ROUTE) << true;
    QTest::newRow("bad destination") << ulong(IP_BAD_DESTINATION) << true;
    QTest::newRow("destination unreachable") << ulong(IP_DEST_UNREACHABLE) << true;
    QTest::newRow("timed out") << ulong(IP_REQ_TIMED_OUT) << false;
    QTest::newRow("time to live ran out") << ulong(IP_TTL_EXPIRED_TRANSIT) << false;
    QTest::newRow("general failure") << ulong(IP_GENERAL_FAILURE) << false;
    QTest::newRow("success") << ulong(IP_SUCCESS) << false;
}

void TestEchoWin::unreachable_statuses()
{
    QFETCH(ulong, status);
    QFETCH(bool, unreachable);
    QCOMPARE(Is_Unreachable_Status(status), unreachable);
}

void TestEchoWin::unreachable_address_not_sent()
{
    const QString address = qEnvironmentVariable("VELMORA_UNREACHABLE_ADDRESS");
    if (address.isEmpty())
        QSKIP("needs an address made unreachable in a network of the test's own "
              "(tools/windows/test.sh runs this case inside one)");
    bool unavailable = true;
    const TEcho_Reply reply = Echo_Request_By(TEcho_Way::Helper_Api, address, "x", 400, &unavailable);
    QVERIFY(!unavailable);
    QVERIFY2(!reply.Sent, "an unreachable address must count as not sent");
    QVERIFY(!reply.Error.isEmpty());

    TDialog_Env<TFBoot> env;
    TFBoot *boot = env.Build();
    Take_Reports_As_Main_Window(boot);
    const QStringList fields = address.split(QLatin1Char('.'));
    boot->E_IP1->setText(fields.value(0));
    boot->E_IP2->setText(fields.value(1));
    boot->E_IP3->setText(fields.value(2));
    boot->E_IP4->setText(fields.value(3));
    QElapsedTimer clock;
    clock.start();
    boot->Btn_UpdateClick();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(env.Platform.Errors, QStringList{Lang(637)});
    QCOMPARE(env.Platform.Warnings, QStringList());
    QVERIFY(!env.Exists(QStringLiteral("Ethernet_Update.xml")));
}

QTEST_MAIN(TestEchoWin)
#include "test_echo_win.moc"
