// The job file Ethernet_Update.xml: its bytes, written whole each time, and a failed save reported.
#include "TestFolder.h"

#include "common/UXmlDoc.h"
#include "update/UJob_File.h"

#include <QDir>
#include <QtTest>

namespace {

// One operation as the updater expects it, written out by hand.
QByteArray Operation(const QString &file, const char *start, const char *bank, const char *css,
                     const char *cssAddress, bool readBack, bool goToApp)
{
    return QStringLiteral("<Operation><Ope_Protection_Enabled/><Ope_GoToBoot_Before>0</Ope_GoToBoot_Before>"
                          "<Ope_GoToApp_Before>0</Ope_GoToApp_Before><Ope_IP_Address/>"
                          "<Ope_Port>2007</Ope_Port><Ope_Erase_Memory>0</Ope_Erase_Memory>"
                          "<Ope_FileName>%1</Ope_FileName><Ope_Start_Address>%2</Ope_Start_Address>"
                          "<Ope_Memory_Type>0</Ope_Memory_Type><Ope_Bank_Type>%3</Ope_Bank_Type>"
                          "<Ope_Read_Back>%4</Ope_Read_Back><Ope_Write_CSS>%5</Ope_Write_CSS>"
                          "<Ope_Address_CSS>%6</Ope_Address_CSS><Ope_Command_CSS>0x0B</Ope_Command_CSS>"
                          "<Ope_Write_Internal_Data>0</Ope_Write_Internal_Data>"
                          "<Ope_WID_Address>0x78200</Ope_WID_Address><Ope_WID_Command>0x0B</Ope_WID_Command>"
                          "<Ope_WID_Data/><Ope_GoToApp_After>%7</Ope_GoToApp_After></Operation>")
        .arg(file, QLatin1String(start), QLatin1String(bank), readBack ? "1" : "0",
             QLatin1String(css), QLatin1String(cssAddress), goToApp ? "1" : "0")
        .toUtf8();
}

QByteArray Firmware(bool readBack, bool goToApp)
{
    return Operation(QDir::toNativeSeparators(QStringLiteral("/opt/Velmora/MASTER/sim40318.sim")),
                     "0x8000", "1", "1", "0x78100", readBack, goToApp);
}

QByteArray Configuration(bool readBack)
{
    return Operation(QDir::toNativeSeparators(QStringLiteral("/opt/Velmora/PROJECTS/Line 4/bin/bank.bin")),
                     "0x68000", "2", "0", "0x50100", readBack, true);
}

// The firmware and the configuration folder the job names.
const QString Master = QStringLiteral("/opt/Velmora/MASTER");
const QString Project = QStringLiteral("/opt/Velmora/PROJECTS/Line 4");

QByteArray Job(const char *address, const QByteArray &operations)
{
    return QByteArray("<Ethernet_Update><Version>1000</Version>"
                      "<Title>Kestrixnet - QV40318 Ethernet Update</Title><IP_Address_Dev>")
           + address
           + "</IP_Address_Dev><Application_Port>10000</Application_Port>"
             "<Boot_Port>2007</Boot_Port><Address_Protection>0x78000</Address_Protection>"
             "<Protections><Protection>0x2E6</Protection></Protections><Operations>"
           + operations + "</Operations></Ethernet_Update>";
}

} // namespace

class TestJobFile : public QObject
{
    Q_OBJECT
private slots:
    void job_bytes_data();
    void job_bytes();
    void rebuilt_whole_each_time();
    void save_failure_reported();
};

void TestJobFile::job_bytes_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("readBack");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("both, read-back")
        << 0 << true << "192.168.2.205"
        << Job("192.168.2.205", Firmware(true, false) + Configuration(true));
    QTest::newRow("both") << 0 << false << "192.168.2.205"
                          << Job("192.168.2.205", Firmware(false, false) + Configuration(false));
    QTest::newRow("firmware, read-back")
        << 1 << true << "10.0.0.7" << Job("10.0.0.7", Firmware(true, true));
    QTest::newRow("firmware") << 1 << false << "10.0.0.7" << Job("10.0.0.7", Firmware(false, true));
    QTest::newRow("configuration, read-back")
        << 2 << true << "127.0.0.1" << Job("127.0.0.1", Configuration(true));
    QTest::newRow("configuration")
        << 2 << false << "127.0.0.1" << Job("127.0.0.1", Configuration(false));
    // The address goes in exactly as typed, leading zeros and blanks kept.
    QTest::newRow("address as typed")
        << 2 << false << "010. 0.0.7" << Job("010. 0.0.7", Configuration(false));
    QTest::newRow("unknown option counts as both")
        << 7 << false << "10.0.0.7" << Job("10.0.0.7", Firmware(false, false) + Configuration(false));
}

void TestJobFile::job_bytes()
{
    QFETCH(int, option);
    QFETCH(bool, readBack);
    QFETCH(QString, address);
    QFETCH(QByteArray, expected);
    TXMLDocument doc;
    Build_Job_Document(doc, address, option, readBack, Master, Project);
    QCOMPARE(doc.To_Bytes(), expected);
}

void TestJobFile::rebuilt_whole_each_time()
{
    TTestFolder dir;
    TXMLDocument doc;
    Build_Job_Document(doc, QStringLiteral("192.168.2.205"), 0, true, Master, Project);
    QVERIFY(doc.Save_File(Job_File_Path(dir.Folder())));
    Build_Job_Document(doc, QStringLiteral("10.0.0.7"), 1, false, Master, Project);
    QVERIFY(doc.Save_File(Job_File_Path(dir.Folder())));

    QCOMPARE(dir.Read_File(QStringLiteral("Ethernet_Update.xml")), Job("10.0.0.7", Firmware(false, true)));
}

void TestJobFile::save_failure_reported()
{
    TTestFolder dir;
    // A folder standing where the job file belongs cannot be replaced by a file.
    QVERIFY(QDir(dir.Folder()).mkdir(QStringLiteral("Ethernet_Update.xml")));
    TXMLDocument doc;
    Build_Job_Document(doc, QStringLiteral("10.0.0.7"), 2, false, Master, Project);
    QString error;
    QVERIFY(!doc.Save_File(Job_File_Path(dir.Folder()), &error));
    QVERIFY2(error.contains(QStringLiteral("Ethernet_Update.xml")), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestJobFile)
#include "test_job_file.moc"
