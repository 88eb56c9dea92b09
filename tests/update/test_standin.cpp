// The built updater stand-in, run as a child process in a temporary program
// folder: its verdict on sound and broken jobs, its report and its log.

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TChildren = QList<QPair<QString, QString>>;

const QString Folder_Mark = QStringLiteral("%FOLDER%");

TChildren Operation(bool configuration, const char *readBack, const char *goToAppAfter)
{
    const QString file = configuration ? Folder_Mark + QStringLiteral("/PROJECTS/Cfg/bin/bank.bin")
                                       : Folder_Mark + QStringLiteral("/MASTER/sim40318.sim");
    const char *const values[][2] = {
        {"Ope_Protection_Enabled", ""}, {"Ope_GoToBoot_Before", "0"}, {"Ope_GoToApp_Before", "0"},
        {"Ope_IP_Address", ""}, {"Ope_Port", "2007"}, {"Ope_Erase_Memory", "0"},
        {"Ope_FileName", ""}, {"Ope_Start_Address", configuration ? "0x68000" : "0x8000"},
        {"Ope_Memory_Type", "0"}, {"Ope_Bank_Type", configuration ? "2" : "1"},
        {"Ope_Read_Back", readBack}, {"Ope_Write_CSS", configuration ? "0" : "1"},
        {"Ope_Address_CSS", configuration ? "0x50100" : "0x78100"}, {"Ope_Command_CSS", "0x0B"},
        {"Ope_Write_Internal_Data", "0"}, {"Ope_WID_Address", "0x78200"},
        {"Ope_WID_Command", "0x0B"}, {"Ope_WID_Data", ""}, {"Ope_GoToApp_After", goToAppAfter},
    };
    TChildren children;
    for (const auto &v : values)
        children << qMakePair(QString::fromLatin1(v[0]),
                              QLatin1String(v[0]) == QLatin1String("Ope_FileName")
                                  ? file
                                  : QString::fromLatin1(v[1]));
    return children;
}

TChildren Firmware(const char *goToAppAfter = "0")
{
    return Operation(false, "1", goToAppAfter);
}

TChildren Configuration()
{
    return Operation(true, "1", "1");
}

QByteArray Job(const QList<TChildren> &operations, const QString &address = QStringLiteral("127.0.0.1"),
               const QString &version = QStringLiteral("1000"),
               const QString &root = QStringLiteral("Ethernet_Update"))
{
    TXMLDocument doc;
    QDomElement top = doc.Add_Root(root);
    doc.Add_Text_Child(top, QStringLiteral("Version"), version);
    doc.Add_Text_Child(top, QStringLiteral("Title"), QStringLiteral("Kestrixnet - QV40318 Ethernet Update"));
    doc.Add_Text_Child(top, QStringLiteral("IP_Address_Dev"), address);
    doc.Add_Text_Child(top, QStringLiteral("Application_Port"), QStringLiteral("10000"));
    doc.Add_Text_Child(top, QStringLiteral("Boot_Port"), QStringLiteral("2007"));
    doc.Add_Text_Child(top, QStringLiteral("Address_Protection"), QStringLiteral("0x78000"));
    doc.Add_Text_Child(doc.Add_Child(top, QStringLiteral("Protections")), QStringLiteral("Protection"),
                       QStringLiteral("0x2E6"));
    QDomElement list = doc.Add_Child(top, QStringLiteral("Operations"));
    for (const TChildren &children : operations) {
        QDomElement op = doc.Add_Child(list, QStringLiteral("Operation"));
        for (const auto &child : children)
            doc.Add_Text_Child(op, child.first, child.second);
    }
    return doc.To_Bytes();
}

// What is done to the files the job names, after they were made sound.
enum class TFiles { Sound, No_Firmware, No_Bank, Short_Bank, Bad_Sum };

} // namespace

Q_DECLARE_METATYPE(TFiles)

class TestStandin : public QObject
{
    Q_OBJECT
private slots:
    void sound_jobs_data();
    void sound_jobs();
    void broken_jobs_data();
    void broken_jobs();

private:
    // Runs the stand-in over job; its exit code (-1 when it crashed or hung)
    // and its printed report.
    void Run(const QByteArray &job, TFiles files, int &code, QString &output);
};

void TestStandin::Run(const QByteArray &job, TFiles files, int &code, QString &output)
{
    code = -1;
    QTemporaryDir dir;
    const QString folder = dir.path();
    const QString program = Join_Path(folder, QStringLiteral("Ethernet_Update"));
    const QString built = Join_Path(qEnvironmentVariable("VELMORA_DIST_DIR"), QStringLiteral("Ethernet_Update"));
    QVERIFY2(QFile::copy(built, program), qPrintable(built));
    QVERIFY(QFile::setPermissions(program, QFile::permissions(built)));

    // A configuration with RS232 at 19200, ODD, fixed 256-byte frames.
    Reset_Shared_State();
    Path_Project = Join_Path(folder, QStringLiteral("PROJECTS/Cfg"));
    File_ParGen = Join_Path(Path_Project, QStringLiteral("ParGen.xml"));
    QDir().mkpath(Join_Path(Path_Project, QStringLiteral("bin")));
    QDir().mkpath(Join_Path(folder, QStringLiteral("MASTER")));
    QVERIFY(Save_Whole_File(File_ParGen,
                    "<Par_Gen><Serial_Serial>0</Serial_Serial><Serial_Baud>4</Serial_Baud>"
                    "<Serial_Parity>1</Serial_Parity><Serial_Send_Type>2</Serial_Send_Type>"
                    "<Serial_Num_Byte>256</Serial_Num_Byte><ModbusTCPSlave_IP1>10</ModbusTCPSlave_IP1>"
                    "<ModbusTCPSlave_Enable_NumByteRX>1</ModbusTCPSlave_Enable_NumByteRX>"
                    "<ModbusTCPSlave_NumByteRX>7</ModbusTCPSlave_NumByteRX></Par_Gen>",
                    nullptr));
    TXMLDocument doc;
    QString error;
    QVERIFY2(Build_Image(doc, &error) && Write_Bank_File(&error), qPrintable(error));
    QVERIFY(Save_Whole_File(Join_Path(folder, QStringLiteral("MASTER/sim40318.sim")),
                            QByteArray(5000, 'F'), nullptr));

    QByteArray bank(reinterpret_cast<const char *>(Image_Buffer), Image_Length);
    switch (files) {
    case TFiles::Sound:
        break;
    case TFiles::No_Firmware:
        QFile::remove(Join_Path(folder, QStringLiteral("MASTER/sim40318.sim")));
        break;
    case TFiles::No_Bank:
        QFile::remove(Bank_File_Path());
        break;
    case TFiles::Short_Bank:
        Save_Whole_File(Bank_File_Path(), bank.left(2047), nullptr);
        break;
    case TFiles::Bad_Sum:
        bank[0x100] = 1;
        Save_Whole_File(Bank_File_Path(), bank, nullptr);
        break;
    }
    if (!job.isNull())
        Save_Whole_File(Join_Path(folder, QStringLiteral("Ethernet_Update.xml")),
                        QString::fromUtf8(job).replace(Folder_Mark, folder).toUtf8(), nullptr);

    QProcess process;
    process.setWorkingDirectory(QDir::tempPath());
    process.start(program, {});
    QVERIFY(process.waitForFinished(30000));
    output = QString::fromUtf8(process.readAllStandardOutput());
    QFile log(Join_Path(folder, QStringLiteral("Ethernet_Update.log")));
    if (!log.open(QIODevice::ReadOnly) || QString::fromUtf8(log.readAll()) != output)
        output += QStringLiteral("\n[the log differs from the printed report]");
    if (process.exitStatus() == QProcess::NormalExit)
        code = process.exitCode();
}

void TestStandin::sound_jobs_data()
{
    QTest::addColumn<QByteArray>("job");
    QTest::addColumn<QStringList>("lines");
    const QStringList image = {
        QStringLiteral("Operation 2: configuration image"),
        QStringLiteral("  byte sum "),
        QStringLiteral("  IP address: 10.168.0.10"),
        QStringLiteral("  Subnet mask: 255.255.255.0"),
        QStringLiteral("  Gateway: 255.255.255.255"),
        QStringLiteral("  Modbus TCP port: 502"),
        QStringLiteral("  Serial line: RS232"),
        QStringLiteral("  Baud rate: 19200"),
        QStringLiteral("  Data bits: 8"),
        QStringLiteral("  Parity: ODD"),
        QStringLiteral("  Frame mode: Fix Num Bytes, 256 bytes"),
        QStringLiteral("  Registers: start read 1, start write 1, control word 0, status word 0, "
                       "bytes received register 7"),
    };
    QTest::newRow("firmware and configuration")
        << Job({Firmware(), Configuration()})
        << (QStringList{QStringLiteral("Operation 1: firmware"),
                        QStringLiteral("  start address 0x8000, read back yes, go to application after no"),
                        QStringLiteral("sim40318.sim (5000 bytes)")}
            + image);
    QTest::newRow("firmware alone")
        << Job({Firmware("1")}, QStringLiteral("192.168.2.205"))
        << QStringList{QStringLiteral("Device address: 192.168.2.205"),
                       QStringLiteral("  start address 0x8000, read back yes, go to application after yes")};
    QStringList alone = image;
    alone[0] = QStringLiteral("Operation 1: configuration image");
    QTest::newRow("configuration alone")
        << Job({Configuration()}, QStringLiteral("010.000.002.205"))
        << (QStringList{QStringLiteral("bank.bin (2048 bytes)")} + alone);
}

void TestStandin::sound_jobs()
{
    QFETCH(QByteArray, job);
    QFETCH(QStringList, lines);
    int code = -1;
    QString output;
    Run(job, TFiles::Sound, code, output);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(code == 0, qPrintable(output));
    for (const QString &line : lines)
        QVERIFY2(output.contains(line), qPrintable(line + QStringLiteral("\n---\n") + output));
    QVERIFY(output.contains(QStringLiteral("speaks to no device")));
    QVERIFY(output.endsWith(QStringLiteral("Verdict: the job is sound.\n")));
    QVERIFY(!output.contains(QStringLiteral("Problem:")));
}

void TestStandin::broken_jobs_data()
{
    QTest::addColumn<QByteArray>("job");
    QTest::addColumn<TFiles>("files");
    QTest::addColumn<QString>("problem");
    const QByteArray sound = Job({Firmware(), Configuration()});
    QTest::newRow("no job file") << QByteArray() << TFiles::Sound << QStringLiteral("Cannot open");
    QTest::newRow("not well-formed") << sound.left(sound.size() - 5) << TFiles::Sound
                                     << QStringLiteral("is not valid XML");
    QTest::newRow("other root") << Job({Firmware()}, QStringLiteral("127.0.0.1"), QStringLiteral("1000"),
                                       QStringLiteral("Update"))
                                << TFiles::Sound << QStringLiteral("the root element is \"Update\"");
    QTest::newRow("other version") << Job({Firmware()}, QStringLiteral("127.0.0.1"), QStringLiteral("999"))
                                   << TFiles::Sound << QStringLiteral("Version is \"999\"");
    for (const char *address : {"192.168.2", "192.168.2.300", "localhost", "1.2.3.4.5"})
        QTest::addRow("address %s", address)
            << Job({Firmware()}, QLatin1String(address)) << TFiles::Sound
            << QStringLiteral("IP_Address_Dev \"%1\" is not a dotted-quad address").arg(QLatin1String(address));
    QTest::newRow("no operation") << Job({}) << TFiles::Sound << QStringLiteral("holds 0 Operation elements");
    QTest::newRow("three operations") << Job({Firmware(), Configuration(), Configuration()}) << TFiles::Sound
                                      << QStringLiteral("holds 3 Operation elements");
    TChildren missing = Firmware();
    missing.removeAt(17);
    QTest::newRow("operation with 18 children")
        << Job({missing}) << TFiles::Sound << QStringLiteral("operation 1 has the children");
    TChildren swapped = Configuration();
    swapped.swapItemsAt(3, 4);
    QTest::newRow("children out of order")
        << Job({Firmware(), swapped}) << TFiles::Sound << QStringLiteral("operation 2 has the children");
    TChildren bank = Configuration();
    bank[9].second = QStringLiteral("3");
    QTest::newRow("unknown bank type") << Job({bank}) << TFiles::Sound
                                       << QStringLiteral("unknown bank type \"3\"");
    QTest::newRow("firmware file missing") << sound << TFiles::No_Firmware
                                           << QStringLiteral("sim40318.sim\" does not exist");
    QTest::newRow("bank.bin missing") << sound << TFiles::No_Bank << QStringLiteral("bank.bin\" does not exist");
    QTest::newRow("bank.bin one byte short") << sound << TFiles::Short_Bank
                                             << QStringLiteral("the image holds 2047 bytes, not 2048");
    QTest::newRow("bank.bin with a wrong sum") << sound << TFiles::Bad_Sum
                                               << QStringLiteral("last four bytes hold");
}

void TestStandin::broken_jobs()
{
    QFETCH(QByteArray, job);
    QFETCH(TFiles, files);
    QFETCH(QString, problem);
    int code = -1;
    QString output;
    Run(job, files, code, output);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(code == 1, qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("Problem: ")) && output.contains(problem), qPrintable(output));
    QVERIFY(output.contains(QStringLiteral("speaks to no device")));
    QVERIFY(output.contains(QStringLiteral("Verdict: the job is broken")));
}

QTEST_GUILESS_MAIN(TestStandin)
#include "test_standin.moc"
