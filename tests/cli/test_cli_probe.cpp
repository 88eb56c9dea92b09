// velmora-cli probe beside the Modbus peer and the scripted server: lines, table, options, unreadable ParGen.xml, Check.log.
#include "TestCli.h"
#include "TestHttpServer.h"
#include "TestModbusServer.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

// The tokens a row's configurations and lines use for the ports here.
QString With_Ports(QString text)
{
    const QString peer = qEnvironmentVariable("VELMORA_MODBUS_PEER");
    return text.replace(QStringLiteral("{port}"), peer.section(QLatin1Char(':'), 1))
        .replace(QStringLiteral("{full}"), qEnvironmentVariable("VELMORA_FULL_PORT"));
}

QStringList With_Ports(QStringList texts)
{
    for (QString &text : texts)
        text = With_Ports(text);
    return texts;
}

// Times vary: every "<digits> ms" reads "N ms", a table's last field "N".
QStringList Timeless(QStringList lines)
{
    static const QRegularExpression ms(QStringLiteral("\\b\\d+ ms\\b"));
    static const QRegularExpression total(QStringLiteral(",\\d+\\r$"));
    for (QString &line : lines)
        line.replace(ms, QStringLiteral("N ms")).replace(total, QStringLiteral(",N\r"));
    return lines;
}

const QString Not_Asked = QStringLiteral(
    "read data, status word, byte count, write data, control word: not asked (no connection)");
const QString Answered = QStringLiteral(
    "connect N ms; read data N ms; status word N ms; byte count N ms; write data N ms; control word N ms; "
    "answers with the configured map");

} // namespace

class TestCliProbe : public QObject
{
    Q_OBJECT
private slots:
    void probe_data();
    void probe();
};

void TestCliProbe::probe_data()
{
    // "Name" with a ParGen.xml at 127.0.0.1 and that port ({port}, {full}),
    // "Name=-" without one, "Name=!" with a damaged one, "Name=changes|...".
    QTest::addColumn<QStringList>("configurations");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("out");
    QTest::addColumn<QStringList>("err");
    QTest::newRow("order given, behind a slow one; a name twice, one missing")
        << QStringList{"Slow@{full}", "Pump@{port}"}
        << QStringList{"probe", "--no-echo", "--timeout", "300", "Slow", "pump", "Nope", "Pump"} << 1
        << QStringList{"Slow: 127.0.0.1:{full}, unit 1; connect: no answer within N ms (no device at this "
                       "address, or a firewall drops the connection), N ms; " + Not_Asked + "; no answer",
                       "Pump: 127.0.0.1:{port}, unit 1; " + Answered}
        << QStringList{"Nope: no configuration of that name in \"{folder}/PROJECTS\""};
    // A peer that sends its first answer twice: each value would land one
    // read later; the check stops at the answer to the wrong request.
    QTest::newRow("first answer sent twice, one input register a block")
        << QStringList{"Pump@{repeats}"}
        << QStringList{"probe", "--no-echo", "--csv", "--count", "1", "--function", "write-data=4", "--function",
                       "control-word=4", "Pump"}
        << 1
        << QStringList{"Name,Address,Port,Unit,Values,Echo,Connect,read data function,read data start,"
                       "read data result,read data 1,status word function,status word start,status word result,"
                       "status word 1,byte count function,byte count start,byte count result,byte count 1,"
                       "write data function,write data start,write data result,write data 1,control word function,"
                       "control word start,control word result,control word 1,Verdict,Time ms\r",
                       "Pump,127.0.0.1,{repeats},1,ParGen.xml,not asked (echo off),\"connected to 127.0.0.1:{repeats}, "
                       "N ms\",4,1,\"answered, N ms\",1001,4,0,\"an answer to another request (transaction id 1, not "
                       "2): an answer sent twice or unasked, another master's answer, or a gateway that mixes answers "
                       "up, N ms\",,4,1,not asked (after the fault above),,4,1,not asked (after the fault above),,4,0,"
                       "not asked (after the fault above),,\"answers, but not as a Modbus TCP slave must\",N\r"}
        << QStringList();
    QTest::newRow("all, with echo") << QStringList{"Pump@{port}"} << QStringList{"probe", "--all"} << 0
        << QStringList{"Pump: 127.0.0.1:{port}, unit 1; echo N ms; " + Answered} << QStringList();
    QTest::newRow("no ParGen.xml: the defaults at the address given, another unit")
        << QStringList{"New=-"}
        << QStringList{"probe", "--no-echo", "--address", "127.0.0.1", "--port", "{port}", "--unit", "7",
                       "--timeout", "300", "New"}
        << 1
        << QStringList{"New: 127.0.0.1:{port}, unit 7 (no ParGen.xml yet; checked with Set Communication's "
                       "defaults); connect N ms; read data, function 04 (input registers), addresses 1-8: no answer "
                       "within N ms, N ms; status word, byte count, "
                       "write data, control word: not asked (after the fault above); no answer"}
        << QStringList();
    QTest::newRow("damaged ParGen.xml; a configuration that names no register")
        << QStringList{"Bad=!", "Far=ModbusTCPSlave_Start_Read=65530"}
        << QStringList{"probe", "--no-echo", "--address", "127.0.0.1", "--port", "{port}", "Far", "Bad"} << 1
        << QStringList{"Bad: 127.0.0.1:{port}, unit 1 (\"{folder}/PROJECTS/Bad/ParGen.xml\" is not valid XML: "
                       "Premature end of document. (line 1, column 9); checked with Set Communication's "
                       "defaults); " + Answered}
        << QStringList{"Far: not checked: ModbusTCPSlave_Start_Read \"65530\" is not a number from 0 to 65528"};
    QTest::newRow("table: two registers a block, write data as input registers")
        << QStringList{"Pump@{port}"}
        << QStringList{"probe", "--no-echo", "--csv", "--count", "2", "--function", "Write_Data=4", "Pump"} << 0
        << QStringList{"Name,Address,Port,Unit,Values,Echo,Connect,read data function,read data start,"
                       "read data result,read data 1,read data 2,status word function,status word start,"
                       "status word result,status word 1,byte count function,byte count start,byte count result,"
                       "byte count 1,write data function,write data start,write data result,write data 1,"
                       "write data 2,control word function,control word start,control word result,control word 1,"
                       "Verdict,Time ms\r",
                       "Pump,127.0.0.1,{port},1,ParGen.xml,not asked (echo off),\"connected to 127.0.0.1:{port}, "
                       "N ms\",4,1,\"answered, N ms\",40961,40962,4,0,\"answered, N ms\",40960,4,1,\"answered, N "
                       "ms\",40961,4,1,\"answered, N ms\",40961,40962,3,0,\"answered, N ms\",20480,answers with the "
                       "configured map,N\r"}
        << QStringList();
    const auto refused = [](const QStringList &arguments, const QString &error) {
        QTest::addRow("refused: %s", qPrintable(arguments.join(QLatin1Char(' '))))
            << QStringList{"Pump@{port}"} << arguments << 2 << QStringList()
            << QStringList{"velmora-cli: " + error + " (velmora-cli --help tells more)"};
    };
    refused({"probe", "--unit", "256", "Pump"}, "--unit takes a unit from 0 to 255, not \"256\"");
    refused({"probe", "--count", "0", "Pump"}, "--count takes a count of registers from 1 to 125, not \"0\"");
    refused({"probe", "--timeout", "3 s", "Pump"}, "--timeout takes milliseconds from 100 to 60000, not \"3 s\"");
    refused({"probe", "--function", "read-data=6", "Pump"},
            "--function takes ROLE=3 or ROLE=4 with ROLE one of read-data, status-word, byte-count, "
            "write-data, control-word, not \"read-data=6\"");
    refused({"probe", "--address", "127.0.0.01", "Pump"},
            "--address takes a numeric IPv4 address such as 127.0.0.1, not \"127.0.0.01\"");
    refused({"check", "--no-echo", "Pump"}, "--no-echo goes with probe only");
}

void TestCliProbe::probe()
{
    QFETCH(QStringList, configurations);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, out);
    QFETCH(QStringList, err);
    if (qEnvironmentVariableIsEmpty("VELMORA_MODBUS_PEER") && !configurations.join(' ').contains("{repeats}"))
        QSKIP("no independent Modbus peer (with_modbus_peer.sh and python3-pymodbus)");
    const TTestModbusServer repeats(TServer_Behaviour::Repeat_First);
    for (QStringList *texts : {&configurations, &arguments, &out, &err})
        texts->replaceInStrings(QStringLiteral("{repeats}"), QString::number(repeats.serverPort()));
    const TTestFolder env;
    for (const QString &configuration : With_Ports(configurations)) {
        const QString name = configuration.section(QRegularExpression(QStringLiteral("[@=]")), 0, 0);
        const QString port = configuration.section(QLatin1Char('@'), 1);
        const QString changes = configuration.section(QLatin1Char('='), 1);
        if (!port.isEmpty())
            Make_Configuration(env, name, {"ModbusTCPSlave_IP1=127", "ModbusTCPSlave_IP2=0",
                                           "ModbusTCPSlave_IP3=0", "ModbusTCPSlave_IP4=1",
                                           "ModbusTCPSlave_Port=" + port});
        else if (changes == QLatin1String("!"))
            env.Write_File(QStringLiteral("PROJECTS/%1/ParGen.xml").arg(name), "<Par_Gen>");
        else
            Make_Configuration(env, name, changes.split(QLatin1Char('|')));
    }

    const TCli_Run run = Run_Cli(env.Folder(), With_Ports(arguments));

    QCOMPARE(run.Err, With_Folder(env.Folder(), With_Ports(err)));
    QCOMPARE(Timeless(run.Out), With_Folder(env.Folder(), With_Ports(out)));
    QCOMPARE(run.Status, status);
    // Each check is in its configuration's record, with the verdict shown.
    for (const QString &line : run.Out) {
        const QString name = line.section(QLatin1Char(':'), 0, 0);
        if (line.endsWith(QLatin1Char('\r')))
            continue;
        const QByteArray log = env.Read_File(QStringLiteral("PROJECTS/%1/Check.log").arg(name));
        QCOMPARE(log.count("=== Check "), 1);
        QVERIFY2(log.contains("\nVerdict: " + line.section(QStringLiteral("; "), -1).toUtf8() + ", "),
                 log.constData());
    }
}

QTEST_GUILESS_MAIN(TestCliProbe)
#include "test_cli_probe.moc"
