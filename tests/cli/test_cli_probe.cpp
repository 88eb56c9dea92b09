// velmora-cli probe beside the Modbus peer and the scripted server: lines, table, options, unreadable ParGen.xml,
// Check.log (refused, and written by several runs at once).
#include "TestCli.h"
#include "TestHttpServer.h"
#include "TestModbusServer.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <memory>
#include <vector>

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

// The table's header with two registers a block.
const QString Header_2 = QStringLiteral(
    "Name,Address,Port,Unit,Values,Echo,Connect,read data function,read data start,read data result,read data 1,"
    "read data 2,status word function,status word start,status word result,status word 1,byte count function,"
    "byte count start,byte count result,byte count 1,write data function,write data start,write data result,"
    "write data 1,write data 2,control word function,control word start,control word result,control word 1,"
    "Verdict,Time ms\r");

// "Name" at 127.0.0.1 and port, with "Element=text" changes.
void Make_Served(const TTestFolder &env, const QString &name, const QString &port, const QStringList &changes)
{
    Make_Configuration(env, name, QStringList{"ModbusTCPSlave_IP1=127", "ModbusTCPSlave_IP2=0", "ModbusTCPSlave_IP3=0",
                                              "ModbusTCPSlave_IP4=1", "ModbusTCPSlave_Port=" + port}
                                      + changes);
}

} // namespace

class TestCliProbe : public QObject
{
    Q_OBJECT
private slots:
    void probe_data();
    void probe();
    void record_refused_data();
    void record_refused();
    void side_by_side();
};

void TestCliProbe::probe_data()
{
    // "Name@port" with a ParGen.xml at 127.0.0.1 and that port ({port},
    // {full}) and "|changes" after it, "Name=-" without one, "Name=!" with a
    // damaged one, "Name=changes|...".
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
        << QStringList{Header_2,
                       "Pump,127.0.0.1,{port},1,ParGen.xml,not asked (echo off),\"connected to 127.0.0.1:{port}, "
                       "N ms\",4,1,\"answered, N ms\",40961,40962,4,0,\"answered, N ms\",40960,4,1,\"answered, N "
                       "ms\",40961,4,1,\"answered, N ms\",40961,40962,3,0,\"answered, N ms\",20480,answers with the "
                       "configured map,N\r"}
        << QStringList();
    QTest::newRow("table: a refused block fills its row")
        << QStringList{"Pump@{port}|ModbusTCPSlave_Start_Write=300"}
        << QStringList{"probe", "--no-echo", "--csv", "--count", "2", "Pump"} << 1
        << QStringList{Header_2,
                       "Pump,127.0.0.1,{port},1,ParGen.xml,not asked (echo off),\"connected to 127.0.0.1:{port}, "
                       "N ms\",4,1,\"answered, N ms\",40961,40962,4,0,\"answered, N ms\",40960,4,1,\"answered, N "
                       "ms\",40961,3,300,\"refused: exception 02 illegal data address (the device may be running "
                       "another configuration), N ms\",exception 02 illegal data address,exception 02 illegal data "
                       "address,3,0,\"answered, N ms\",20480,\"answers, but 2 registers refused\",N\r"}
        << QStringList();
    QTest::newRow("table: a configuration that cannot be checked says why")
        << QStringList{"Far=ModbusTCPSlave_Start_Read=65535"}
        << QStringList{"probe", "--csv", "--count", "2", "--address", "127.0.0.1", "--port", "{port}", "Far"} << 1
        << QStringList{Header_2,
                       "Far,127.0.0.1,{port},1,ParGen.xml,not asked,not asked,4,0,not asked,,,4,0,not asked,,4,1,"
                       "not asked,,3,1,not asked,,,3,0,not asked,,\"not checked: ModbusTCPSlave_Start_Read "
                       "\"\"65535\"\" is not a number from 0 to 65534\",N\r"}
        << QStringList();
    QTest::newRow("all without PROJECTS") << QStringList() << QStringList{"probe", "--all"} << 1 << QStringList()
        << QStringList{"velmora-cli: nothing to check: no configuration in \"{folder}/PROJECTS\""};
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
    refused({"probe", "--port", "0", "Pump"}, "--port takes a port from 1 to 65535, not \"0\"");
    refused({"probe", "--unit", "1", "--unit", "2", "Pump"}, "--unit is given more than once");
    refused({"probe", "--port", "502", "--port", "502", "Pump"}, "--port is given more than once");
    refused({"probe", "--function", "write-data=3", "--function", "Write_Data=4", "Pump"},
            "--function write-data= is given more than once");
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
        const QString served = configuration.section(QLatin1Char('@'), 1);
        const QString changes = configuration.section(QLatin1Char('='), 1);
        if (!served.isEmpty())
            Make_Served(env, name, served.section(QLatin1Char('|'), 0, 0),
                        served.section(QLatin1Char('|'), 1).split(QLatin1Char('|'), Qt::SkipEmptyParts));
        else if (changes == QLatin1String("!"))
            env.Write_File(QStringLiteral("PROJECTS/%1/ParGen.xml").arg(name), "<Par_Gen>");
        else
            Make_Configuration(env, name, changes.split(QLatin1Char('|')));
    }

    const TCli_Run run = Run_Cli(env.Folder(), With_Ports(arguments));

    QCOMPARE(run.Err, With_Folder(env.Folder(), With_Ports(err)));
    QCOMPARE(Timeless(run.Out), With_Folder(env.Folder(), With_Ports(out)));
    QCOMPARE(run.Status, status);
    // Each check is in its configuration's record, with the verdict shown;
    // so is each configuration that could not be checked, with the reason.
    const QString notChecked = QStringLiteral(": not checked: ");
    for (const QString &line : run.Out + run.Err.filter(notChecked)) {
        const QString name = line.section(QLatin1Char(':'), 0, 0);
        if (line.endsWith(QLatin1Char('\r')))
            continue;
        const QString verdict = line.contains(notChecked) ? line.section(QStringLiteral(": "), 1)
                                                          : line.section(QStringLiteral("; "), -1);
        const QByteArray log = env.Read_File(QStringLiteral("PROJECTS/%1/Check.log").arg(name));
        QCOMPARE(log.count("=== Check "), 1);
        QVERIFY2(log.contains("\nVerdict: " + verdict.toUtf8() + ", "), log.constData());
    }
}

// A Check.log that cannot be written fails the run, the check's line still
// shown; a pipe or a device is neither waited on nor read, and every kind
// stays as it was.
void TestCliProbe::record_refused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("marked read-only") << "read-only" << "the file is read-only";
    QTest::newRow("a folder") << "folder" << "it is a folder, not a file";
    QTest::newRow("a pipe") << "pipe" << "it is a pipe, a device or a socket, not a file";
    QTest::newRow("a link to a device") << "link to a device" << "it is a pipe, a device or a socket, not a file";
}

void TestCliProbe::record_refused()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString peer = qEnvironmentVariable("VELMORA_MODBUS_PEER");
    if (peer.isEmpty())
        QSKIP("no independent Modbus peer (with_modbus_peer.sh and python3-pymodbus)");
    if (kind != QLatin1String("read-only") && !Non_File_Problem(kind).isEmpty())
        QSKIP(qPrintable(Non_File_Problem(kind)));
    const TTestFolder env;
    Make_Served(env, QStringLiteral("Pump"), peer.section(QLatin1Char(':'), 1), {});
    const QString log = env.Path(QStringLiteral("PROJECTS/Pump/Check.log"));
    const QByteArray older = "=== Check older\nVerdict: no answer, 3 ms\n\n";
    if (kind == QLatin1String("read-only"))
        QVERIFY(env.Write_File(QStringLiteral("PROJECTS/Pump/Check.log"), older)
                && QFile::setPermissions(log, QFileDevice::ReadOwner));
    else
        QVERIFY(Make_Non_File(log, kind));
    const QDir folder(env.Path(QStringLiteral("PROJECTS/Pump")));
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden);

    const TCli_Run run = Run_Cli(env.Folder(), {"probe", "--no-echo", "Pump"});

    QCOMPARE(run.Status, 1);
    QCOMPARE(Timeless(run.Out), With_Ports(QStringList{"Pump: 127.0.0.1:{port}, unit 1; " + Answered}));
    QCOMPARE(run.Err,
             With_Folder(env.Folder(), {"Pump: Cannot write \"{folder}/PROJECTS/Pump/Check.log\": " + reason}));
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden), entries);
    if (kind == QLatin1String("read-only"))
        QCOMPARE(env.Read_File(QStringLiteral("PROJECTS/Pump/Check.log")), older);
    QCOMPARE(QFileInfo(log).isSymLink(), kind.startsWith(QLatin1String("link")));
}

// Runs of probe at one time on one configuration each add their block: the
// record is read, cut and written by one at a time.
void TestCliProbe::side_by_side()
{
    const QString peer = qEnvironmentVariable("VELMORA_MODBUS_PEER");
    if (peer.isEmpty())
        QSKIP("no independent Modbus peer (with_modbus_peer.sh and python3-pymodbus)");
    const TTestFolder env;
    Make_Served(env, QStringLiteral("Pump"), peer.section(QLatin1Char(':'), 1), {});
    constexpr int Runs = 12;
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < Runs; ++i) {
        runs.push_back(std::make_unique<QProcess>());
        runs.back()->start(Cli_Program(), {"--folder", env.Folder(), "probe", "--no-echo", "Pump"});
    }
    for (const std::unique_ptr<QProcess> &run : runs) {
        QVERIFY(run->waitForFinished(60000));
        QCOMPARE(run->readAllStandardError(), QByteArray());
        QCOMPARE(run->exitCode(), 0);
    }
    QCOMPARE(env.Read_File(QStringLiteral("PROJECTS/Pump/Check.log")).count("=== Check "), Runs);
}

QTEST_GUILESS_MAIN(TestCliProbe)
#include "test_cli_probe.moc"
