// velmora-cli run as the user runs it, one data-driven test per command over
// a program folder that already holds the configuration "Old" (Serial_Baud 3).
#include "TestCli.h"

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"
#include "lang/ULang.h"
#include "params/UParGen_File.h"
#include "project/UProject_Folders.h"

#include <QFile>
#include <QtTest>

// "L 1" of the import test's semicolon table, written out by hand.
static const char L1_ParGen[] =
    "<Par_Gen><Serial_Serial>0</Serial_Serial><Serial_Baud>7</Serial_Baud><Serial_Parity>2</Serial_Parity>"
    "<Serial_Send_Type>2</Serial_Send_Type><Serial_End_Char>13</Serial_End_Char>"
    "<Serial_Num_Byte>1024</Serial_Num_Byte><Serial_TimeOut_RX> 25</Serial_TimeOut_RX>"
    "<Serial_DataBits>0</Serial_DataBits><Serial_Time_Wait_RX_En>0</Serial_Time_Wait_RX_En>"
    "<Serial_Time_Wait_RX_Time>20</Serial_Time_Wait_RX_Time>"
    "<ModbusTCPSlave_IP1>192</ModbusTCPSlave_IP1><ModbusTCPSlave_IP2>168</ModbusTCPSlave_IP2>"
    "<ModbusTCPSlave_IP3>0</ModbusTCPSlave_IP3><ModbusTCPSlave_IP4>9</ModbusTCPSlave_IP4>"
    "<ModbusTCPSlave_SM1>255</ModbusTCPSlave_SM1><ModbusTCPSlave_SM2>255</ModbusTCPSlave_SM2>"
    "<ModbusTCPSlave_SM3>255</ModbusTCPSlave_SM3><ModbusTCPSlave_SM4>0</ModbusTCPSlave_SM4>"
    "<ModbusTCPSlave_GAT1>192</ModbusTCPSlave_GAT1><ModbusTCPSlave_GAT2>168</ModbusTCPSlave_GAT2>"
    "<ModbusTCPSlave_GAT3>0</ModbusTCPSlave_GAT3><ModbusTCPSlave_GAT4>1</ModbusTCPSlave_GAT4>"
    "<ModbusTCPSlave_En_GAT>1</ModbusTCPSlave_En_GAT><ModbusTCPSlave_Port>502</ModbusTCPSlave_Port>"
    "<ModbusTCPSlave_Start_Read>1</ModbusTCPSlave_Start_Read>"
    "<ModbusTCPSlave_Start_Write>1</ModbusTCPSlave_Start_Write>"
    "<ModbusTCPSlave_Control_Word>0</ModbusTCPSlave_Control_Word>"
    "<ModbusTCPSlave_Status_Word>0</ModbusTCPSlave_Status_Word>"
    "<ModbusTCPSlave_Enable_NumByteRX>1</ModbusTCPSlave_Enable_NumByteRX>"
    "<ModbusTCPSlave_NumByteRX>1</ModbusTCPSlave_NumByteRX></Par_Gen><!--SW_VERSION = 1.102-->";

// The configurations, in the Open dialog's order, as "Name:change|change",
// each ParGen.xml exactly what the dialog's writer writes for those changes.
static void Verify_Configurations(const TTestFolder &folder, const QStringList &expected)
{
    QStringList names;
    for (const QString &entry : expected)
        names << entry.section(QLatin1Char(':'), 0, 0);
    QCOMPARE(List_Configurations(folder.Path(QStringLiteral("PROJECTS"))), names);
    for (const QString &entry : expected) {
        const QString project = QStringLiteral("PROJECTS/") + entry.section(QLatin1Char(':'), 0, 0);
        QVERIFY(QFileInfo(folder.Path(project + QStringLiteral("/bin"))).isDir());
        QCOMPARE(folder.Read_File(project + QStringLiteral("/ParGen.xml")),
                 Dialog_ParGen(entry.section(QLatin1Char(':'), 1).split(QLatin1Char('|'), Qt::SkipEmptyParts)));
    }
}

// Every row names the command line, the table t.csv (none when empty), the
// exit status and the lines on standard output and standard error.
static void Add_Run_Columns()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("out");
    QTest::addColumn<QStringList>("err");
}

// Runs the row's command line and checks what it says.
static TCli_Run Run_Row(const TTestFolder &env)
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, table);
    QFETCH(int, status);
    QFETCH(QStringList, out);
    QFETCH(QStringList, err);
    if (!table.isEmpty())
        env.Write_File(QStringLiteral("t.csv"), table);
    const TCli_Run run = Run_Cli(env.Folder(), arguments);
    [&] {
        QCOMPARE(run.Err, With_Folder(env.Folder(), err));
        QCOMPARE(run.Out, With_Folder(env.Folder(), out));
        QCOMPARE(run.Status, status);
    }();
    return run;
}

static const QString Damaged = QStringLiteral(
    "Damaged: \"{folder}/PROJECTS/Damaged/ParGen.xml\" is not valid XML: Premature end of document. (line 1, column 9)");

class TestCli : public QObject
{
    Q_OBJECT
    TTestFolder *env = nullptr;
    QString Folder() const { return env->Folder(); }
private slots:
    void initTestCase() { Load_Default_Strings(); }
    void init();
    void cleanup() { delete env; }
    void import_data();
    void import();
    void dry_run_data();
    void dry_run();
    void exporting_data();
    void exporting();
    void bank_data();
    void bank();
    void check_data();
    void check();
    void case_twins();
    void show_data();
    void show();
    void refusals_data();
    void refusals();
    void help();
};

void TestCli::init()
{
    env = new TTestFolder;
    Make_Configuration(*env, QStringLiteral("Old"), {QStringLiteral("Serial_Baud=3")});
    QFile italian(qEnvironmentVariable("VELMORA_DIST_DIR") + QStringLiteral("/LANGUAGE/Italiano.lng"));
    QVERIFY(italian.open(QIODevice::ReadOnly));
    QVERIFY(env->Write_File(QStringLiteral("LANGUAGE/Italiano.lng"), italian.readAll()));
}

void TestCli::import_data()
{
    Add_Run_Columns();
    QTest::addColumn<QStringList>("configurations");
    const QStringList import{"import", "t.csv"};
    const QString old = QStringLiteral("Old:Serial_Baud=3");
    QTest::newRow("defaults") << import << QByteArray("Name\nP1\n") << 0 << QStringList{"t.csv:2: P1: created"}
                              << QStringList() << QStringList{old, "P1:"};
    QTest::newRow("positions, item texts and verbatim numbers; semicolons, mark, CRLF") << import
        << QByteArray("\xEF\xBB\xBFName;Serial_Serial;SERIAL_BAUD;Serial_Parity;Serial_DataBits;"
                      "Serial_Send_Type;ModbusTCPSlave_En_GAT;Serial_TimeOut_RX;ModbusTCPSlave_IP4\r\n"
                      "\"L 1\";rs232;115200; even;7;Fix Num Bytes;1;\" 25\";9\r\n"
                      "L2;1;3;1;0;1;0;1,5;10\r\n")
        << 0 << QStringList{"t.csv:2: L 1: created", "t.csv:3: L2: created"} << QStringList()
        << QStringList{"L 1:Serial_Serial=0|Serial_Baud=7|Serial_Parity=2|Serial_DataBits=0|Serial_Send_Type=2|"
                       "ModbusTCPSlave_En_GAT=1|Serial_TimeOut_RX= 25|ModbusTCPSlave_IP4=9",
                       "L2:Serial_Serial=1|Serial_Baud=3|Serial_Parity=1|Serial_DataBits=0|Serial_Send_Type=1|"
                       "ModbusTCPSlave_En_GAT=0|Serial_TimeOut_RX=1,5|ModbusTCPSlave_IP4=10",
                       old};
    QTest::newRow("a failing row makes nothing, the others go on") << import
        << QByteArray("Name,ModbusTCPSlave_IP4,Serial_Send_Type,Serial_End_Char,ModbusTCPSlave_En_GAT\n"
                      "A,300,0,13,0\nB,300,0,256,0\nC,1,2,256,1\nCON,300,0,13,0\n,1,0,13,0\n"
                      "old,1,0,13,0\nc,1,0,13,0\nD,1,5,13,0\nE,1,0,13,yes\nF,1,0\nG,1,0,13,0,x\n"
                      "H,1,3,13,0\nI,1,x%1,13,0\n")
        << 1 << QStringList{"t.csv:4: C: created"}
        << QStringList{"t.csv:2: A: " + Lang(486), "t.csv:3: B: " + Lang(472), "t.csv:5: CON: " + Lang(105),
                       "t.csv:6: " + Lang(107), "t.csv:7: old: " + Lang(106),
                       "t.csv:8: c: the same name as on line 4",
                       "t.csv:9: D: column Serial_Send_Type: \"5\" is neither a position 0 to 2 nor one of "
                       "End Character, Num Bytes on Control Word, Fix Num Bytes",
                       "t.csv:10: E: column ModbusTCPSlave_En_GAT: \"yes\" is neither 1 nor 0",
                       "t.csv:11: F: the row has 3 fields, the header has 5",
                       "t.csv:12: G: the row has 6 fields, the header has 5",
                       "t.csv:13: H: column Serial_Send_Type: \"3\" is neither a position 0 to 2 nor one of "
                       "End Character, Num Bytes on Control Word, Fix Num Bytes",
                       "t.csv:14: I: column Serial_Send_Type: \"x%1\" is neither a position 0 to 2 nor one of "
                       "End Character, Num Bytes on Control Word, Fix Num Bytes"}
        << QStringList{"C:ModbusTCPSlave_IP4=1|Serial_Send_Type=2|Serial_End_Char=256|ModbusTCPSlave_En_GAT=1", old};
    const QByteArray replacing("Name,Serial_Baud\nOLD,1\nNew,2\nX,9\n");
    const QStringList xFails{"t.csv:4: X: column Serial_Baud: \"9\" is neither a position 0 to 7 "
                             "nor one of 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200"};
    QTest::newRow("replace writes over the folder of any case") << QStringList{"import", "--replace", "t.csv"}
        << replacing << 1 << QStringList{"t.csv:2: OLD: replaced", "t.csv:3: New: created"} << xFails
        << QStringList{"New:Serial_Baud=2", "Old:Serial_Baud=1"};
    QTest::newRow("dry run writes nothing") << QStringList{"import", "--replace", "--dry-run", "t.csv"} << replacing
        << 1 << QStringList{"t.csv:2: OLD: would be replaced", "t.csv:3: New: would be created"} << xFails
        << QStringList{old};
    QTest::newRow("messages in the chosen language") << QStringList{"--language", "Italiano", "import", "t.csv"}
        << QByteArray("Name,ModbusTCPSlave_IP1\nA,256\n") << 1 << QStringList()
        << QStringList{"t.csv:2: A: Errore Modbus TCP Slave!! L'indirizzo IP 1 deve essere compreso tra 0 e 255"}
        << QStringList{old};
}

void TestCli::import()
{
    QFETCH(QStringList, configurations);
    Run_Row(*env);
    Verify_Configurations(*env, configurations);
    if (env->Exists(QStringLiteral("PROJECTS/L 1")))
        QCOMPARE(env->Read_File(QStringLiteral("PROJECTS/L 1/ParGen.xml")), QByteArray(L1_ParGen));
}

// What a dry run says is what the real run then does, refusals included.
void TestCli::dry_run_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("err");
    const QString unstorable("t.csv:%1: %2: Cannot write \"{folder}/PROJECTS/%2/ParGen.xml\": the value of "
                             "Serial_TimeOut_RX holds the control character U+%3, which the file cannot hold");
    QTest::newRow("characters the file cannot hold, in a field no check reads")
        << QByteArray("Name,Serial_TimeOut_RX\nA,5\x01\nB,\x1F\n")
        << QStringList{unstorable.arg("2", "A", "0001"), unstorable.arg("3", "B", "001F")};
    QTest::newRow("over a damaged ParGen.xml") << QByteArray("Name\nDamaged\n") << QStringList{"t.csv:2: " + Damaged};
}

void TestCli::dry_run()
{
    QFETCH(QByteArray, table);
    QFETCH(QStringList, err);
    env->Write_File(QStringLiteral("PROJECTS/Damaged/ParGen.xml"), "<Par_Gen>");
    env->Write_File(QStringLiteral("t.csv"), table);
    for (const QStringList &arguments : {QStringList{"import", "--replace", "--dry-run", "t.csv"},
                                         QStringList{"import", "--replace", "t.csv"}}) {
        const TCli_Run run = Run_Cli(Folder(), arguments);
        QCOMPARE(run.Err, With_Folder(Folder(), err));
        QCOMPARE(run.Out, QStringList());
        QCOMPARE(run.Status, 1);
    }
    QCOMPARE(List_Configurations(env->Path(QStringLiteral("PROJECTS"))), QStringList({"Damaged", "Old"}));
    QCOMPARE(env->Read_File(QStringLiteral("PROJECTS/Damaged/ParGen.xml")), QByteArray("<Par_Gen>"));
}

// The rows are table lines; the table, read back by import, gives the same files.
void TestCli::exporting_data()
{
    Add_Run_Columns();
    QStringList header{"Name"};
    for (int id = 0; id < ParGen_Count; ++id)
        header << ParGen_Element(id).Name;
    const QString head = header.join(QLatin1Char(',')) + QLatin1Char('\r');
    const QString odd = QStringLiteral("\" a;b\",1,7,2,2,\"say \"\"x\"\"\",1024,\"1,5\",1,0,\"20 \",192,168,0,10,"
                                       "255,255,255,0,192,168,0,1,0,\" 502\",1,1,0,0,1,1\r");
    const QString old("Old,1,3,0,0,13,1024,0,1,0,20,192,168,0,10,255,255,255,0,192,168,0,1,0,502,1,1,0,0,1,1\r");
    QTest::newRow("named in any case, fields quoted where they must be") << QStringList{"export", " a;b", "old"}
        << QByteArray() << 0 << QStringList{head, odd, old} << QStringList();
    QTest::newRow("all, a damaged file reported") << QStringList{"export", "--all"} << QByteArray() << 1
        << QStringList{head, odd, old} << QStringList{Damaged};
    QTest::newRow("a missing name reported") << QStringList{"export", "Nope", "Old"} << QByteArray() << 1
        << QStringList{head, old} << QStringList{"Nope: no configuration of that name in \"{folder}/PROJECTS\""};
}

void TestCli::exporting()
{
    Make_Configuration(*env, QStringLiteral(" a;b"),
                       {"Serial_Baud=7", "Serial_Parity=2", "Serial_Send_Type=2", "Serial_End_Char=say \"x\"",
                        "Serial_TimeOut_RX=1,5", "Serial_Time_Wait_RX_Time=20 ", "ModbusTCPSlave_Port= 502"});
    env->Write_File(QStringLiteral("PROJECTS/Damaged/ParGen.xml"), "<Par_Gen>");
    const QString odd = QStringLiteral("PROJECTS/ a;b/ParGen.xml");
    const QByteArray before = env->Read_File(odd);
    const TCli_Run run = Run_Row(*env);
    env->Write_File(QStringLiteral("t.csv"), (run.Out.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    QCOMPARE(Run_Cli(Folder(), {"import", "--replace", "t.csv"}).Status, 0);
    QCOMPARE(env->Read_File(odd), before);
    QCOMPARE(env->Read_File(QStringLiteral("PROJECTS/Old/ParGen.xml")), Dialog_ParGen({"Serial_Baud=3"}));
}

// bank.bin as Update Device writes it for a configuration with these changes
// ("-": no ParGen.xml).
static QByteArray Road_Image(const QStringList &changes)
{
    TTestFolder road;
    Make_Configuration(road, QStringLiteral("P"), changes);
    const QString project = road.Path(QStringLiteral("PROJECTS/P"));
    TXMLDocument doc;
    TImage image;
    return Build_Image(doc, ParGen_File_Path(project), image, nullptr) && Write_Bank_File(project, image.Bytes, nullptr)
               ? road.Read_File(QStringLiteral("PROJECTS/P/bin/bank.bin"))
               : QByteArray();
}

static const QMap<QString, QStringList> Banked{{"Old", {"Serial_Baud=3"}}, {"New", {"-"}}};

void TestCli::bank_data()
{
    Add_Run_Columns();
    QStringList lines;
    for (const QString &name : {QStringLiteral("Old"), QStringLiteral("New")}) {
        const QByteArray image = Road_Image(Banked.value(name));
        uint32_t sum = 0;
        for (int i = 0; i < 2044; ++i)
            sum += static_cast<uint8_t>(image.at(i));
        lines << QStringLiteral("{folder}/PROJECTS/%1/bin/bank.bin: 2048 bytes, byte sum %2").arg(name).arg(sum);
    }
    QTest::newRow("named in any case") << QStringList{"bank", "old", "NEW"} << QByteArray() << 0 << lines
                                       << QStringList();
    QTest::newRow("all, a damaged file reported") << QStringList{"bank", "--all"} << QByteArray() << 1
                                                  << QStringList{lines.at(1), lines.at(0)} << QStringList{Damaged};
}

void TestCli::bank()
{
    Make_Configuration(*env, QStringLiteral("New"), Banked.value("New"));
    env->Write_File(QStringLiteral("PROJECTS/Damaged/ParGen.xml"), "<Par_Gen>");
    env->Write_File(QStringLiteral("PROJECTS/Damaged/bin/bank.bin"), "older");
    Run_Row(*env);
    for (const QString &name : Banked.keys())
        QCOMPARE(env->Read_File("PROJECTS/" + name + "/bin/bank.bin"), Road_Image(Banked.value(name)));
    QCOMPARE(env->Read_File(QStringLiteral("PROJECTS/Damaged/bin/bank.bin")), QByteArray("older"));
}

void TestCli::check_data()
{
    Add_Run_Columns();
    QTest::newRow("named; no ParGen.xml yet checks the defaults") << QStringList{"check", "new", "Old"}
        << QByteArray() << 0 << QStringList{"New: OK", "Old: OK"} << QStringList();
    QTest::newRow("all: first failing check each, damaged file, one address for three, one for two")
        << QStringList{"check", "--all"} << QByteArray() << 1
        << QStringList{"Hall: OK", "New: OK", "Old: OK", "Yard: OK"}
        << QStringList{"Bad: " + Lang(480), Damaged, "Gate: " + Lang(496),
                       "Gate, New, Old: 3 configurations share the device address 192.168.0.10",
                       "Hall, Yard: 2 configurations share the device address 192.168.0.20"};
}

void TestCli::check()
{
    Make_Configuration(*env, QStringLiteral("New"), {QStringLiteral("-")});
    Make_Configuration(*env, QStringLiteral("Bad"), {"ModbusTCPSlave_IP1=300", "ModbusTCPSlave_Port=10000"});
    Make_Configuration(*env, QStringLiteral("Gate"), {"ModbusTCPSlave_En_GAT=1", "ModbusTCPSlave_GAT1=x"});
    Make_Configuration(*env, QStringLiteral("Hall"), {QStringLiteral("ModbusTCPSlave_IP4=20")});
    Make_Configuration(*env, QStringLiteral("Yard"), {QStringLiteral("ModbusTCPSlave_IP4=20")});
    env->Write_File(QStringLiteral("PROJECTS/Damaged/ParGen.xml"), "<Par_Gen>");
    Run_Row(*env);
}

// Folders whose names differ only in letter case, as a copy from another
// system brings them: each is its own configuration, handled once.
void TestCli::case_twins()
{
#ifdef Q_OS_WIN
    QSKIP("Windows holds no two names that differ only in letter case");
#endif
    Make_Configuration(*env, QStringLiteral("Pump"), {QStringLiteral("Serial_Baud=1")});
    Make_Configuration(*env, QStringLiteral("pump"), {QStringLiteral("Serial_Baud=2")});
    QCOMPARE(Run_Cli(Folder(), {"check", "--all"}).Out, QStringList({"Old: OK", "Pump: OK", "pump: OK"}));
    QCOMPARE(Run_Cli(Folder(), {"check", "pump", "PUMP", "Pump", "pump"}).Out, QStringList({"pump: OK", "Pump: OK"}));
    const QStringList exported = Run_Cli(Folder(), {"export", "--all"}).Out;
    QCOMPARE(exported.size(), 4);
    QVERIFY(exported.at(2).startsWith("Pump,1,1,") && exported.at(3).startsWith("pump,1,2,"));
    QCOMPARE(Run_Cli(Folder(), {"bank", "--all"}).Out.size(), 3);
    QCOMPARE(env->Read_File(QStringLiteral("PROJECTS/Pump/bin/bank.bin")), Road_Image({"Serial_Baud=1"}));
    QCOMPARE(env->Read_File(QStringLiteral("PROJECTS/pump/bin/bank.bin")), Road_Image({"Serial_Baud=2"}));
}

void TestCli::show_data()
{
    QTest::addColumn<QStringList>("bank");   // changes of the ParGen.xml that bank.bin was built from
    QTest::addColumn<QByteArray>("stored");  // or the bytes of bank.bin
    QTest::addColumn<QStringList>("lines");  // lines among the output
    const QStringList values{"    Serial: RS232", "    Baudrate: 9600", "    Data Bits: 7",
                             "    Send Type: Fix Num Bytes", "    Time to Wait in RX: on, 300",
                             "    IP ADDRESS: 10.0.0.9", "    GATEWAY: on, 10.0.0.1", "    Port: 1502"};
    QTest::newRow("no bank.bin yet") << QStringList() << QByteArray() << values + QStringList{"bin/bank.bin: none yet"};
    QTest::newRow("bank.bin from the current ParGen.xml") << QStringList{"current"} << QByteArray()
        << QStringList{"    Baud rate: 9600", "  It is the image the current ParGen.xml gives."};
    QTest::newRow("bank.bin from an older ParGen.xml")
        << QStringList{"Serial_Serial=0", "Serial_Baud=7", "Serial_Send_Type=2", "ModbusTCPSlave_IP1=10",
                       "ModbusTCPSlave_IP2=0", "ModbusTCPSlave_IP3=0", "ModbusTCPSlave_IP4=9"}
        << QByteArray()
        << QStringList{"    Baud rate: 115200 in bin/bank.bin, 9600 from ParGen.xml",
                       "    Data bits: 8 in bin/bank.bin, 7 from ParGen.xml",
                       "    Gateway: 255.255.255.255 in bin/bank.bin, 10.0.0.1 from ParGen.xml",
                       "    fields that differ, by offset in the image: 0x030 (4 bytes), 0x036 (2 bytes), "
                       "0x03C (4 bytes), 0x040 (2 bytes), 0x044 (4 bytes)"};
    QTest::newRow("bank.bin of another size") << QStringList() << QByteArray(100, 'x')
        << QStringList{"bin/bank.bin: 100 bytes, not a configuration image of 2048 bytes"};
    QTest::newRow("bank.bin longer than an image") << QStringList() << QByteArray(2049, 'x')
        << QStringList{"bin/bank.bin: more than 2048 bytes, not a configuration image of 2048 bytes"};
}

void TestCli::show()
{
    QFETCH(QStringList, bank);
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, lines);
    const QStringList current{"Serial_Serial=0", "Serial_Baud=3", "Serial_DataBits=0", "Serial_Send_Type=2",
                              "Serial_Time_Wait_RX_En=1", "Serial_Time_Wait_RX_Time=300", "ModbusTCPSlave_IP1=10",
                              "ModbusTCPSlave_IP2=0", "ModbusTCPSlave_IP3=0", "ModbusTCPSlave_IP4=9",
                              "ModbusTCPSlave_GAT1=10", "ModbusTCPSlave_GAT2=0", "ModbusTCPSlave_GAT3=0",
                              "ModbusTCPSlave_En_GAT=1", "ModbusTCPSlave_Port=1502"};
    Make_Configuration(*env, QStringLiteral("S"), bank == QStringList{"current"} ? current : bank);
    if (!bank.isEmpty())
        QCOMPARE(Run_Cli(Folder(), {"bank", "S"}).Status, 0);
    Make_Configuration(*env, QStringLiteral("S"), current);
    if (!stored.isEmpty())
        env->Write_File(QStringLiteral("PROJECTS/S/bin/bank.bin"), stored);
    const TCli_Run run = Run_Cli(Folder(), {"show", "s"});
    QCOMPARE(run.Err, QStringList());
    QCOMPARE(run.Status, 0);
    for (const QString &line : lines)
        QVERIFY2(run.Out.contains(line), qPrintable(line + QStringLiteral(" not in:\n") + run.Out.join('\n')));
}

void TestCli::refusals_data()
{
    Add_Run_Columns();
    const auto usage = [](const char *error) {
        return QStringList{QStringLiteral("velmora-cli: %1 (velmora-cli --help tells more)").arg(QLatin1String(error))};
    };
    const QStringList none;
    const QStringList import{"import", "t.csv"};
    // The system's own words for a missing file.
    const auto Missing_File_Reason = [] {
        QFile missing(QStringLiteral("velmora-no-such-table.csv"));
        missing.open(QIODevice::ReadOnly);
        return missing.errorString();
    };
    QTest::newRow("version") << QStringList{"--version"} << QByteArray() << 0 << QStringList{"velmora-cli 1.102"} << none;
    QTest::newRow("no command") << none << QByteArray() << 2 << none << usage("no command given");
    QTest::newRow("unknown option") << QStringList{"bank", "--fast"} << QByteArray() << 2 << none
                                    << usage("Unknown option 'fast'.");
    QTest::newRow("replace outside import") << QStringList{"bank", "--replace", "Old"} << QByteArray() << 2 << none
                                            << usage("--replace and --dry-run go with import only");
    QTest::newRow("show takes one name") << QStringList{"show", "Old", "New"} << QByteArray() << 2 << none
                                         << usage("show takes exactly one name");
    QTest::newRow("no language file") << QStringList{"--language", "Klingon", "check", "Old"} << QByteArray() << 2
        << none << QStringList{"velmora-cli: No language file \"{folder}/LANGUAGE/Klingon.lng\""};
    QTest::newRow("no table") << import << QByteArray() << 2 << none
                              << QStringList{"Cannot read \"t.csv\": " + Missing_File_Reason()};
    QTest::newRow("quote left open") << import << QByteArray("Name\nA\n\"B\nC\n") << 2 << none
                                     << QStringList{"t.csv:3: a quoted field is never closed"};
    QTest::newRow("not UTF-8") << import << QByteArray("Name\nA\nStra\xDF" "e\n") << 2 << none
                               << QStringList{"t.csv:3: the table is not UTF-8 text"};
    QTest::newRow("header faults") << import << QByteArray("\n Name ,Baud,Serial_Parity,SERIAL_PARITY,\nA,1,1,1,\n")
        << 2 << none << QStringList{"t.csv:2: unknown column \"Baud\"", "t.csv:2: column \"SERIAL_PARITY\" appears twice",
                                    "t.csv:2: column 5 has no name"};
    QTest::newRow("no Name column") << import << QByteArray("Serial_Baud\n1\n") << 2 << none
                                    << QStringList{"t.csv:1: no \"Name\" column"};
}

// Nothing is written when the command line or the table is refused.
void TestCli::refusals()
{
    Run_Row(*env);
    Verify_Configurations(*env, {"Old:Serial_Baud=3"});
}

void TestCli::help()
{
    const TCli_Run run = Run_Cli(Folder(), {"--help"});
    QCOMPARE(run.Status, 0);
    QCOMPARE(run.Err, QStringList());
    QCOMPARE(run.Out.value(0), QStringLiteral("Usage: velmora-cli [options] COMMAND [arguments]"));
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
