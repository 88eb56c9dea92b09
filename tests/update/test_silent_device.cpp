// Runs in a network namespace of its own, where nothing but the loopback
// exists and echo replies can be switched off: a device that stays silent.

#include "TestDialogs.h"

#include "common/UComon.h"
#include "lang/ULang.h"
#include "platform/UEcho.h"
#include "update/UBoot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Why the namespace could not be made; empty when the test runs inside it.
QString Namespace_Problem;

bool Write_Setting(const char *path, const char *value)
{
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::WriteOnly) && file.write(value) == qint64(strlen(value));
}

bool Bring_Loopback_Up()
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return false;
    ifreq request = {};
    strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags |= IFF_UP;
    up = up && ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    close(fd);
    return up;
}

void Enter_Own_Network()
{
    if (unshare(CLONE_NEWNET) != 0) {
        Namespace_Problem =
            QStringLiteral("cannot make a network namespace: %1").arg(qt_error_string(errno));
        return;
    }
    if (!Bring_Loopback_Up())
        Namespace_Problem = QStringLiteral("cannot bring the loopback up in the namespace");
    // Every group may use unprivileged ICMP sockets here, so that way can be tried too.
    else if (!Write_Setting("/proc/sys/net/ipv4/ping_group_range", "0 2147483647"))
        Namespace_Problem = QStringLiteral("cannot allow ICMP datagram sockets in the namespace");
}

bool Set_Silent(bool silent)
{
    return Write_Setting("/proc/sys/net/ipv4/icmp_echo_ignore_all", silent ? "1" : "0");
}

} // namespace

class TestSilentDevice : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void way_answers_data();
    void way_answers();
    void way_times_out_data();
    void way_times_out();
    void dialog_reports_unanswered_device_data();
    void dialog_reports_unanswered_device();
    void dialog_last_echo_decides();

private:
    void Ways();
    // Builds the update dialog in env and asks for an update to fields.
    void Update_To(TDialog_Env<TFBoot> &env, const QStringList &fields);
};

void TestSilentDevice::init()
{
    if (!Namespace_Problem.isEmpty())
        QSKIP(qPrintable(Namespace_Problem));
    QVERIFY(Set_Silent(false));
}

void TestSilentDevice::Ways()
{
    QTest::addColumn<int>("way");
    QTest::newRow("datagram socket") << int(TEcho_Way::Datagram_Socket);
    QTest::newRow("raw socket") << int(TEcho_Way::Raw_Socket);
    QTest::newRow("ping program") << int(TEcho_Way::System_Ping);
}

void TestSilentDevice::way_answers_data()
{
    Ways();
}

void TestSilentDevice::way_answers()
{
    QFETCH(int, way);
    const QByteArray data("127.0.0.1");
    bool unavailable = true;
    const TEcho_Reply reply = Echo_Request_By(TEcho_Way(way), QStringLiteral("127.0.0.1"), data,
                                              400, &unavailable);
    QVERIFY2(!unavailable, qPrintable(reply.Error));
    QVERIFY2(reply.Sent, qPrintable(reply.Error));
    QCOMPARE(reply.Bytes_Received, 8 + data.size());
}

void TestSilentDevice::way_times_out_data()
{
    Ways();
}

void TestSilentDevice::way_times_out()
{
    QFETCH(int, way);
    QVERIFY(Set_Silent(true));
    QElapsedTimer clock;
    clock.start();
    const TEcho_Reply reply = Echo_Request_By(TEcho_Way(way), QStringLiteral("127.0.0.1"),
                                              QByteArray("127.0.0.1"), 400);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(reply.Sent, qPrintable(reply.Error));
    QCOMPARE(reply.Bytes_Received, 0);
    QVERIFY2(elapsed >= 390 && elapsed < 800, qPrintable(QString::number(elapsed)));
}

void TestSilentDevice::Update_To(TDialog_Env<TFBoot> &env, const QStringList &fields)
{
    TFBoot *boot = env.Build();
    Take_Reports_As_Main_Window(boot);
    env.Open_Configuration(QStringLiteral("Line 4"));
    Last_IP_Address = QStringLiteral("10.1.1.1");
    Update_Option = 2;
    boot->E_IP1->setText(fields.value(0));
    boot->E_IP2->setText(fields.value(1));
    boot->E_IP3->setText(fields.value(2));
    boot->E_IP4->setText(fields.value(3));
    boot->Btn_UpdateClick();
}

void TestSilentDevice::dialog_reports_unanswered_device_data()
{
    QTest::addColumn<QStringList>("fields");
    // The string table entry of the one message, shown as a warning or an error.
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("warning");
    QTest::addColumn<int>("pingRes");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");
    QTest::addColumn<QString>("recorded");   // the result line in Update.log
    // Echoes of 400 ms until more than 5 s have passed.
    QTest::newRow("silent device") << QStringList{"127", "0", "0", "1"} << 636 << true << 2 << 5000
                                   << 6500 << "Result: not run: the device did not answer the echo requests";
    // No route leads there: the echo cannot even be sent, which is told at
    // once as an address to check, not as a silent device.
    QTest::newRow("network without a route") << QStringList{"10", "99", "0", "1"} << 637 << false
                                             << 0 << 0 << 1000
                                             << "Result: not run: no echo request could be sent to the address";
}

void TestSilentDevice::dialog_reports_unanswered_device()
{
    QFETCH(QStringList, fields);
    QFETCH(int, entry);
    QFETCH(bool, warning);
    QFETCH(int, pingRes);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);
    QFETCH(QString, recorded);
    QVERIFY(Set_Silent(true));
    TDialog_Env<TFBoot> env;
    const TTestPlatform &platform = env.Platform;
    QElapsedTimer clock;
    clock.start();
    Update_To(env, fields);
    const qint64 elapsed = clock.elapsed();

    QCOMPARE(warning ? platform.Warnings : platform.Errors, QStringList{Lang(entry)});
    QCOMPARE(warning ? platform.Errors : platform.Warnings, QStringList());
    QCOMPARE(env.Dialog()->ping_res, pingRes);
    QVERIFY2(elapsed >= minMs && elapsed < maxMs, qPrintable(QString::number(elapsed)));
    QCOMPARE(Last_IP_Address, QStringLiteral("10.1.1.1"));
    QCOMPARE(Update_Option, 2);
    QVERIFY(!env.Exists(QStringLiteral("Ethernet_Update.xml")));
    const QStringList record = QString::fromUtf8(env.Read_File(QStringLiteral("PROJECTS/Line 4/Update.log"))).split('\n');
    QCOMPARE(record.value(5), recorded);
}

// A device that answers the first echo and then falls silent is not found.
void TestSilentDevice::dialog_last_echo_decides()
{
    TDialog_Env<TFBoot> env;
    bool first_answered = false;
    QTimer watch;
    watch.setInterval(0);
    connect(&watch, &QTimer::timeout, [&] {
        if (env.Dialog() && env.Dialog()->ping_res == 1 && !first_answered) {
            first_answered = true;
            Set_Silent(true);
        }
    });
    watch.start();
    Update_To(env, {"127", "0", "0", "1"});
    watch.stop();

    QVERIFY(first_answered);
    QCOMPARE(env.Platform.Warnings, QStringList{Lang(636)});
    QCOMPARE(Last_IP_Address, QStringLiteral("10.1.1.1"));
    QVERIFY(!env.Exists(QStringLiteral("Ethernet_Update.xml")));
}

int main(int argc, char **argv)
{
    // Before any thread starts: the namespace belongs to the calling thread.
    Enter_Own_Network();
    QApplication app(argc, argv);
    TestSilentDevice test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_silent_device.moc"
