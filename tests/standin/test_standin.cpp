// The built updater stand-in, run as a child process in a temporary program
// folder: its verdict on sound and broken jobs, its report and its log.

#include "TestFolder.h"

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"
#include "update/UJob_File.h"
#include "standin/UJob_Check.h"

#include <QProcess>
#include <QtTest>

namespace {

// What is done to the job that the configurator's writer made.
enum class TChange
{
    None, No_File, Cut_Short, Other_Root, Other_Version, No_Operation, Third_Operation,
    Child_Missing, Children_Swapped, Unknown_Bank, Oversized
};

QByteArray Job(int option, const QString &address, TChange change, const QString &master,
               const QString &project)
{
    TXMLDocument doc;
    Build_Job_Document(doc, address, option, true, master, project);
    QDomElement root = doc.Root();
    QDomElement list = root.firstChildElement(QStringLiteral("Operations"));
    QDomElement last = list.lastChildElement(QStringLiteral("Operation"));
    switch (change) {
    case TChange::Other_Root:
        root.setTagName(QStringLiteral("Update"));
        break;
    case TChange::Other_Version:
        TXMLDocument::Set_Text(root.firstChildElement(QStringLiteral("Version")), QStringLiteral("999"));
        break;
    case TChange::No_Operation:
        while (!list.firstChild().isNull())
            list.removeChild(list.firstChild());
        break;
    case TChange::Third_Operation:
        list.appendChild(last.cloneNode());
        break;
    case TChange::Child_Missing:
        last.removeChild(last.firstChildElement(QStringLiteral("Ope_WID_Data")));
        break;
    case TChange::Children_Swapped: {
        const QDomElement port = last.firstChildElement(QStringLiteral("Ope_Port"));
        last.insertBefore(port, port.previousSibling());
        break;
    }
    case TChange::Unknown_Bank:
        TXMLDocument::Set_Text(last.firstChildElement(QStringLiteral("Ope_Bank_Type")), QStringLiteral("3"));
        break;
    default:
        break;
    }
    QByteArray bytes = doc.To_Bytes();
    if (change == TChange::Cut_Short)
        bytes.chop(5);
    // Still well-formed: blanks after the root, past the size any job needs.
    if (change == TChange::Oversized)
        bytes.append(QByteArray(Job_File_Limit, ' '));
    return change == TChange::No_File ? QByteArray() : bytes;
}

// What is done to the files the job names, after they were made sound.
enum class TFiles { Sound, No_Firmware, No_Bank, Short_Bank, Bad_Sum, Huge_Bank };

} // namespace

Q_DECLARE_METATYPE(TFiles)
Q_DECLARE_METATYPE(TChange)

class TestStandin : public QObject
{
    Q_OBJECT
private slots:
    void sound_jobs_data();
    void sound_jobs();
    void broken_jobs_data();
    void broken_jobs();

private:
    // Writes the job and its files in a temporary program folder and runs the
    // stand-in there: its exit code (-1 when it crashed or hung) and report.
    void Run(int option, const QString &address, TChange change, TFiles files, int &code,
             QString &output);
};

void TestStandin::Run(int option, const QString &address, TChange change, TFiles files, int &code,
                      QString &output)
{
    code = -1;
    TTestFolder dir;
    const QString folder = dir.Folder();
    const QString program = Join_Path(folder, Updater_Program_Name);
    const QString built = Join_Path(qEnvironmentVariable("VELMORA_DIST_DIR"), Updater_Program_Name);
    QVERIFY2(QFile::copy(built, program), qPrintable(built));
    QVERIFY(QFile::setPermissions(program, QFile::permissions(built)));

    // A configuration with RS232 at 19200, ODD, fixed 256-byte frames.
    const QString master = Join_Path(folder, QStringLiteral("MASTER"));
    const QString project = Join_Path(folder, QStringLiteral("PROJECTS/Cfg"));
    const QString parGen = Join_Path(project, QStringLiteral("ParGen.xml"));
    const QString firmware = Join_Path(master, QStringLiteral("sim40318.sim"));
    const QString bankFile = Bank_File_Path(project);
    QDir().mkpath(Join_Path(project, QStringLiteral("bin")));
    QDir().mkpath(master);
    QVERIFY(Save_Whole_File(
        parGen,
        "<Par_Gen><Serial_Serial>0</Serial_Serial><Serial_Baud>4</Serial_Baud>"
        "<Serial_Parity>1</Serial_Parity><Serial_Send_Type>2</Serial_Send_Type>"
        "<Serial_Num_Byte>256</Serial_Num_Byte><ModbusTCPSlave_IP1>10</ModbusTCPSlave_IP1>"
        "<ModbusTCPSlave_Enable_NumByteRX>1</ModbusTCPSlave_Enable_NumByteRX>"
        "<ModbusTCPSlave_NumByteRX>7</ModbusTCPSlave_NumByteRX></Par_Gen>",
        nullptr));
    TXMLDocument doc;
    QString error;
    TImage image;
    QVERIFY2(Build_Image(doc, parGen, image, &error) && Write_Bank_File(project, image.Bytes, &error),
             qPrintable(error));
    QVERIFY(Save_Whole_File(firmware, QByteArray(5000, 'F'), nullptr));

    QByteArray bank = image.Bytes;
    switch (files) {
    case TFiles::Sound:
        break;
    case TFiles::No_Firmware:
        QFile::remove(firmware);
        break;
    case TFiles::No_Bank:
        QFile::remove(bankFile);
        break;
    case TFiles::Short_Bank:
        Save_Whole_File(bankFile, bank.left(2047), nullptr);
        break;
    case TFiles::Bad_Sum:
        bank[0x100] = 1;
        Save_Whole_File(bankFile, bank, nullptr);
        break;
    case TFiles::Huge_Bank: {
        // 1 TiB without using the disk: more than any memory, so reading it
        // whole would fail; the check must read no more than an image.
        QFile huge(bankFile);
        QVERIFY(huge.open(QIODevice::ReadWrite) && huge.resize(qint64(1) << 40));
        break;
    }
    }
    const QByteArray job = Job(option, address, change, master, project);
    if (!job.isNull())
        QVERIFY(Save_Whole_File(Join_Path(folder, QStringLiteral("Ethernet_Update.xml")), job, nullptr));

    QProcess process;
    process.setWorkingDirectory(QDir::tempPath());
    // Read as text: the console turns each line end into CR LF on Windows.
    process.start(program, {}, QIODevice::ReadOnly | QIODevice::Text);
    QVERIFY(process.waitForFinished(30000));
    output = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY(dir.Exists(QStringLiteral("Ethernet_Update.log")));
    QCOMPARE(QString::fromUtf8(dir.Read_File(QStringLiteral("Ethernet_Update.log"))), output);
    if (process.exitStatus() == QProcess::NormalExit)
        code = process.exitCode();
}

void TestStandin::sound_jobs_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("lines");
    const QStringList image = {
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
        << 0 << QStringLiteral("127.0.0.1")
        << QStringList{QStringLiteral("Operation 1: firmware"),
                       QStringLiteral("  start address 0x8000, read back yes, go to application after no"),
                       QStringLiteral("sim40318.sim (5000 bytes)"),
                       QStringLiteral("Operation 2: configuration image")}
               + image;
    QTest::newRow("firmware alone")
        << 1 << QStringLiteral("192.168.2.205")
        << QStringList{QStringLiteral("Device address: 192.168.2.205"),
                       QStringLiteral("  start address 0x8000, read back yes, go to application after yes")};
    QTest::newRow("configuration alone")
        << 2 << QStringLiteral("010.000.002.205")
        << QStringList{QStringLiteral("Operation 1: configuration image"),
                       QStringLiteral("bank.bin (2048 bytes)")}
               + image;
}

void TestStandin::sound_jobs()
{
    QFETCH(int, option);
    QFETCH(QString, address);
    QFETCH(QStringList, lines);
    int code = -1;
    QString output;
    Run(option, address, TChange::None, TFiles::Sound, code, output);
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
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("address");
    QTest::addColumn<TChange>("change");
    QTest::addColumn<TFiles>("files");
    QTest::addColumn<QString>("problem");
    const QString local = QStringLiteral("127.0.0.1");
    QTest::newRow("no job file") << 0 << local << TChange::No_File << TFiles::Sound
                                 << QStringLiteral("Cannot open");
    QTest::newRow("not well-formed") << 0 << local << TChange::Cut_Short << TFiles::Sound
                                     << QStringLiteral("is not valid XML");
    QTest::newRow("other root") << 1 << local << TChange::Other_Root << TFiles::Sound
                                << QStringLiteral("the root element is \"Update\"");
    QTest::newRow("other version") << 1 << local << TChange::Other_Version << TFiles::Sound
                                   << QStringLiteral("Version is \"999\"");
    for (const char *address : {"192.168.2", "192.168.2.300", "localhost", "1.2.3.4.5"})
        QTest::addRow("address %s", address)
            << 1 << QString::fromLatin1(address) << TChange::None << TFiles::Sound
            << QStringLiteral("IP_Address_Dev \"%1\" is not a dotted-quad address").arg(QLatin1String(address));
    QTest::newRow("no operation") << 0 << local << TChange::No_Operation << TFiles::Sound
                                  << QStringLiteral("holds 0 Operation elements");
    QTest::newRow("three operations") << 0 << local << TChange::Third_Operation << TFiles::Sound
                                      << QStringLiteral("holds 3 Operation elements");
    QTest::newRow("operation with 18 children") << 1 << local << TChange::Child_Missing << TFiles::Sound
                                                << QStringLiteral("operation 1 has 18 children; child 18 is Ope_GoToApp_After where Ope_WID_Data belongs");
    QTest::newRow("children out of order") << 0 << local << TChange::Children_Swapped << TFiles::Sound
                                           << QStringLiteral("operation 2 has 19 children; child 4 is Ope_Port where Ope_IP_Address belongs");
    QTest::newRow("unknown bank type") << 2 << local << TChange::Unknown_Bank << TFiles::Sound
                                       << QStringLiteral("unknown bank type \"3\"");
    QTest::newRow("firmware file missing") << 0 << local << TChange::None << TFiles::No_Firmware
                                           << QStringLiteral("sim40318.sim\" does not exist");
    QTest::newRow("bank.bin missing") << 0 << local << TChange::None << TFiles::No_Bank
                                      << QStringLiteral("bank.bin\" does not exist");
    QTest::newRow("bank.bin one byte short") << 2 << local << TChange::None << TFiles::Short_Bank
                                             << QStringLiteral("the image holds 2047 bytes, not 2048");
    QTest::newRow("bank.bin of 1 TiB") << 2 << local << TChange::None << TFiles::Huge_Bank
                                       << QStringLiteral("the image holds 1099511627776 bytes, not 2048");
    QTest::newRow("job file past the size limit") << 0 << local << TChange::Oversized << TFiles::Sound
                                                  << QStringLiteral("the job file holds more than 1048576 bytes");
    QTest::newRow("bank.bin with a wrong sum") << 2 << local << TChange::None << TFiles::Bad_Sum
                                               << QStringLiteral("last four bytes hold");
}

void TestStandin::broken_jobs()
{
    QFETCH(int, option);
    QFETCH(QString, address);
    QFETCH(TChange, change);
    QFETCH(TFiles, files);
    QFETCH(QString, problem);
    int code = -1;
    QString output;
    Run(option, address, change, files, code, output);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(code == 1, qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("Problem: ")) && output.contains(problem), qPrintable(output));
    QVERIFY(output.contains(QStringLiteral("speaks to no device")));
    QVERIFY(output.contains(QStringLiteral("Verdict: the job is broken")));
}

QTEST_GUILESS_MAIN(TestStandin)
#include "test_standin.moc"
