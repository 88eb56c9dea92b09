// The registers and address a configuration's values give a Modbus check.
#include "TestData.h"

#include "check/UModbus_Map.h"

#include <QtTest>

class Test_Modbus_Map : public QObject
{
    Q_OBJECT

    // The map as "address:port" and "function@start+count" per block.
    static QString Described(const TModbus_Map &map)
    {
        QStringList parts{map.Address + QLatin1Char(':') + QString::number(map.Port)};
        for (const TRegister_Block &block : map.Blocks)
            parts << QStringLiteral("%1:%2@%3+%4")
                         .arg(Role_Name(block.Role))
                         .arg(block.Function)
                         .arg(block.Start)
                         .arg(block.Count);
        return parts.join(QLatin1Char(' '));
    }

private slots:
    void map_of_values_data()
    {
        QTest::addColumn<QStringList>("changes");   // Element=text over the defaults
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("map");
        QTest::addColumn<QStringList>("problems");   // element names
        QTest::newRow("defaults") << QStringList() << 8
            << "192.168.0.10:502 read data:4@1+8 status word:4@0+1 byte count:4@1+1 "
               "write data:3@1+8 control word:3@0+1"
            << QStringList();
        QTest::newRow("no byte count, hex and largest block")
            << QStringList{"ModbusTCPSlave_Enable_NumByteRX=0", "ModbusTCPSlave_IP1=127",
                           "ModbusTCPSlave_IP3=$10", "ModbusTCPSlave_Port=1502",
                           "ModbusTCPSlave_Start_Read=65411", "ModbusTCPSlave_Status_Word=65535"}
            << 125
            << "127.168.16.10:1502 read data:4@65411+125 status word:4@65535+1 "
               "write data:3@1+125 control word:3@0+1"
            << QStringList();
        QTest::newRow("block past the last register, port and octet no number")
            << QStringList{"ModbusTCPSlave_Start_Write=65530", "ModbusTCPSlave_Port=abc",
                           "ModbusTCPSlave_IP4=256", "ModbusTCPSlave_Control_Word="}
            << 8 << QString()
            << QStringList{"ModbusTCPSlave_IP4", "ModbusTCPSlave_Port",
                           "ModbusTCPSlave_Start_Write", "ModbusTCPSlave_Control_Word"};
        // Port 0 would have a server listen wherever the system puts it.
        QTest::newRow("port 0") << QStringList{"ModbusTCPSlave_Port=0"} << 8 << QString()
            << QStringList{"ModbusTCPSlave_Port"};
    }
    void map_of_values()
    {
        QFETCH(QStringList, changes);
        QFETCH(int, count);
        QFETCH(QString, map);
        QFETCH(QStringList, problems);
        TParGen_Values values = ParGen_Defaults();
        for (const QString &change : changes) {
            const int id = Id_Of(change.section(QLatin1Char('='), 0, 0));
            values[id] = Decode_ParGen_Value(id, change.section(QLatin1Char('='), 1));
        }
        QStringList found;
        const TModbus_Map result = Modbus_Map_Of(values, count, found);
        QCOMPARE(found.size(), problems.size());
        for (int i = 0; i < problems.size(); ++i)
            QVERIFY2(found.at(i).startsWith(problems.at(i) + QLatin1Char(' ')), qPrintable(found.at(i)));
        if (problems.isEmpty())
            QCOMPARE(Described(result), map);
    }
};

QTEST_GUILESS_MAIN(Test_Modbus_Map)
#include "test_modbus_map.moc"
