// Set Communication's checks of the ParGen.xml values: which value fails first, with which message.
#include "TestData.h"

#include "params/UParGen_Check.h"

#include <QtTest>

class TestParGenCheck : public QObject
{
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
};

void TestParGenCheck::checks_data()
{
    QTest::addColumn<QStringList>("changes");   // "Element=text" as the file would hold it
    QTest::addColumn<int>("expected");          // message entry, 0 when all pass

    QTest::newRow("defaults pass") << QStringList() << 0;

    // Every range, on both sides of both bounds.
    struct TRange
    {
        const char *element;
        int min;
        int max;
        int message;
        const char *enable;   // the change that makes the check apply, if any
    };
    const TRange ranges[] = {
        {"Serial_End_Char", 0, 255, 472, "Serial_Send_Type=0"},
        {"Serial_Num_Byte", 1, 1024, 473, "Serial_Send_Type=2"},
        {"Serial_Time_Wait_RX_Time", 1, 1000, 519, "Serial_Time_Wait_RX_En=1"},
        {"ModbusTCPSlave_IP1", 0, 255, 480, nullptr},
        {"ModbusTCPSlave_IP2", 0, 255, 482, nullptr},
        {"ModbusTCPSlave_IP3", 0, 255, 484, nullptr},
        {"ModbusTCPSlave_IP4", 0, 255, 486, nullptr},
        {"ModbusTCPSlave_SM1", 0, 255, 488, nullptr},
        {"ModbusTCPSlave_SM2", 0, 255, 490, nullptr},
        {"ModbusTCPSlave_SM3", 0, 255, 492, nullptr},
        {"ModbusTCPSlave_SM4", 0, 255, 494, nullptr},
        {"ModbusTCPSlave_GAT1", 0, 255, 496, "ModbusTCPSlave_En_GAT=1"},
        {"ModbusTCPSlave_GAT2", 0, 255, 498, "ModbusTCPSlave_En_GAT=1"},
        {"ModbusTCPSlave_GAT3", 0, 255, 500, "ModbusTCPSlave_En_GAT=1"},
        {"ModbusTCPSlave_GAT4", 0, 255, 502, "ModbusTCPSlave_En_GAT=1"},
        {"ModbusTCPSlave_Port", 1, 65535, 503, nullptr},
        {"ModbusTCPSlave_Start_Read", 0, 65000, 504, nullptr},
        {"ModbusTCPSlave_Start_Write", 0, 65000, 505, nullptr},
        {"ModbusTCPSlave_Control_Word", 0, 65535, 506, nullptr},
        {"ModbusTCPSlave_Status_Word", 0, 65535, 507, nullptr},
        {"ModbusTCPSlave_NumByteRX", 0, 65535, 515, "ModbusTCPSlave_Enable_NumByteRX=1"},
    };
    for (const TRange &r : ranges) {
        const QString name = QLatin1String(r.element);
        QStringList base;
        if (r.enable)
            base << QLatin1String(r.enable);
        const std::pair<int, bool> cases[] = {
            {r.min - 1, false}, {r.min, true}, {r.max, true}, {r.max + 1, false}};
        for (const auto &[value, passes] : cases)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(name).arg(value)))
                << (QStringList(base) << QStringLiteral("%1=%2").arg(name).arg(value))
                << (passes ? 0 : r.message);
    }

    // Conditional checks are skipped while their condition is off.
    QTest::newRow("end character 300 with Num Bytes on Control Word")
        << QStringList{"Serial_Send_Type=1", "Serial_End_Char=300"} << 0;
    QTest::newRow("end character 300 with Fix Num Bytes")
        << QStringList{"Serial_Send_Type=2", "Serial_End_Char=300"} << 0;
    QTest::newRow("end character unchecked without a send type")
        << QStringList{"Serial_Send_Type=-1", "Serial_End_Char=abc", "Serial_Num_Byte=0"} << 0;
    QTest::newRow("byte count 0 with End Character")
        << QStringList{"Serial_Send_Type=0", "Serial_Num_Byte=0"} << 0;
    QTest::newRow("wait time 0 unticked")
        << QStringList{"Serial_Time_Wait_RX_En=0", "Serial_Time_Wait_RX_Time=0"} << 0;
    QTest::newRow("gateway 999 unticked")
        << QStringList{"ModbusTCPSlave_GAT1=999", "ModbusTCPSlave_GAT4=x"} << 0;
    QTest::newRow("num bytes RX -1 unticked")
        << QStringList{"ModbusTCPSlave_Enable_NumByteRX=0", "ModbusTCPSlave_NumByteRX=-1"} << 0;
    QTest::newRow("timeout is never checked") << QStringList{"Serial_TimeOut_RX=abc"} << 0;
    QTest::newRow("port 10000 is the updater's") << QStringList{"ModbusTCPSlave_Port=10000"} << 503;
    QTest::newRow("port 9999") << QStringList{"ModbusTCPSlave_Port=9999"} << 0;
    QTest::newRow("port 10001") << QStringList{"ModbusTCPSlave_Port=10001"} << 0;
    QTest::newRow("port 10000 in hexadecimal") << QStringList{"ModbusTCPSlave_Port=$2710"} << 503;

    // Text forms by the integer reading rule.
    const std::pair<const char *, int> texts[] = {
        {"abc", 480}, {"", 480}, {" 7", 0}, {"7 ", 480}, {"\t7", 480}, {"$FF", 0}, {"0xff", 0},
        {"X1f", 0}, {"$100", 480}, {"+5", 0}, {"-0", 0}, {"007", 0}, {"1.0", 480}, {"99999999999", 480}};
    for (const auto &[text, expected] : texts)
        QTest::newRow(qPrintable(QStringLiteral("IP1 \"%1\"").arg(QLatin1String(text))))
            << QStringList{QStringLiteral("ModbusTCPSlave_IP1=%1").arg(QLatin1String(text))} << expected;

    // Only the first failure in table order is reported.
    QTest::newRow("IP1 and port bad")
        << QStringList{"ModbusTCPSlave_IP1=300", "ModbusTCPSlave_Port=0"} << 480;
    QTest::newRow("port bad after IP1 fixed") << QStringList{"ModbusTCPSlave_Port=0"} << 503;
    QTest::newRow("serial before Ethernet")
        << QStringList{"ModbusTCPSlave_IP1=300", "Serial_End_Char=256"} << 472;
    QTest::newRow("gateway before port")
        << QStringList{"ModbusTCPSlave_En_GAT=1", "ModbusTCPSlave_GAT3=-5", "ModbusTCPSlave_Port=0"} << 500;
    QTest::newRow("status before num bytes RX")
        << QStringList{"ModbusTCPSlave_NumByteRX=-1", "ModbusTCPSlave_Status_Word=65536"} << 507;
    QTest::newRow("mask before gateway")
        << QStringList{"ModbusTCPSlave_En_GAT=1", "ModbusTCPSlave_GAT1=256", "ModbusTCPSlave_SM4=256"} << 494;
}

void TestParGenCheck::checks()
{
    QFETCH(QStringList, changes);
    QFETCH(int, expected);
    TParGen_Values values = ParGen_Defaults();
    for (const QString &change : changes) {
        const int id = Id_Of(change.section(QLatin1Char('='), 0, 0));
        QVERIFY2(id >= 0, qPrintable(change));
        values[id] = Decode_ParGen_Value(id, change.section(QLatin1Char('='), 1));
    }
    QCOMPARE(ParGen_Check(values), expected);
}

QTEST_GUILESS_MAIN(TestParGenCheck)
#include "test_pargen_check.moc"
