// The settings file Velmora.xml: defaults, reading rules, damaged files and the exact bytes written.
#include "TestFolder.h"

#include "app/USettings.h"
#include "common/UComon.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <optional>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void folders_created();
    void missing_file_gives_defaults();
    void reading_rules_data();
    void reading_rules();
    void damaged_file_gives_defaults_and_warning();
    void unopened_file_kept();
    void exact_bytes_written();
    void folder_in_place_of_file_is_reported();

private:
    std::optional<TTestFolder> m_dir;
};

void TestSettings::init()
{
    m_dir.emplace();
    Reset_Shared_State();
    Set_Program_Folders(m_dir->Folder());
}

void TestSettings::folders_created()
{
    for (const char *name : {"MASTER", "PROJECTS", "LANGUAGE"})
        QVERIFY(QFileInfo(m_dir->Path(QString::fromLatin1(name))).isDir());
    QCOMPARE(Path_Exe, m_dir->Folder());
    QCOMPARE(Path_Projects, m_dir->Folder() + QStringLiteral("/PROJECTS"));
    QVERIFY(!QFileInfo::exists(Settings_File()));
}

void TestSettings::missing_file_gives_defaults()
{
    Name_Project = QStringLiteral("stale");
    Enable_Update = true;
    TXMLDocument doc;
    QString warning;
    Read_Settings(doc, &warning);
    QVERIFY(warning.isEmpty());
    QCOMPARE(Name_Project, QString());
    QCOMPARE(Last_IP_Address, QStringLiteral("192.168.2.205"));
    QCOMPARE(Language, QStringLiteral("English"));
    QVERIFY(!Enable_Internet && !Enable_Update && !Enable_Jump_Field_Tables && !Double_Click_Auto_Size);
    QVERIFY(!QFileInfo::exists(Settings_File()));
}

void TestSettings::reading_rules_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("flags"); // internet, update, jump, autosize as 0/1
    QTest::newRow("full")
        << QByteArray("<Conf_Settings><lastproj><projectname>P1</projectname></lastproj>"
                      "<lastipadd><ipaddress>10.0.0.9</ipaddress></lastipadd>"
                      "<lastlang><language>Italiano</language></lastlang>"
                      "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
                      "<enable_jump_field_tables>1</enable_jump_field_tables>"
                      "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>")
        << "P1" << "10.0.0.9" << "Italiano" << "1111";
    QTest::newRow("only exactly 1 is true")
        << QByteArray("<Conf_Settings><lastinternet><enable_internet>true</enable_internet>"
                      "<enable_update>yes</enable_update><enable_jump_field_tables> 1</enable_jump_field_tables>"
                      "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>")
        << "" << "192.168.2.205" << "English" << "0001";
    QTest::newRow("without lastinternet")
        << QByteArray("<Conf_Settings><lastproj><projectname>P2</projectname></lastproj></Conf_Settings>")
        << "P2" << "192.168.2.205" << "English" << "0000";
    QTest::newRow("flag under the root is not found")
        << QByteArray("<Conf_Settings><enable_internet>1</enable_internet></Conf_Settings>")
        << "" << "192.168.2.205" << "English" << "0000";
    QTest::newRow("another root name")
        << QByteArray("<Other><lastipadd><ipaddress>1.2.3.4</ipaddress></lastipadd>"
                      "<lastinternet><enable_update>1</enable_update></lastinternet></Other>")
        << "" << "1.2.3.4" << "English" << "0100";
    QTest::newRow("declaration and comment before the root")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- saved by hand -->\n"
                      "<Conf_Settings>\n  <lastlang>\n    <language>Deutsch</language>\n  </lastlang>\n</Conf_Settings>\n")
        << "" << "192.168.2.205" << "Deutsch" << "0000";
    QTest::newRow("texts unchanged, not validated")
        << QByteArray("<Conf_Settings><lastproj><projectname> spaced </projectname></lastproj>"
                      "<lastipadd><ipaddress>not an address</ipaddress></lastipadd></Conf_Settings>")
        << " spaced " << "not an address" << "English" << "0000";
    QTest::newRow("element with children takes default")
        << QByteArray("<Conf_Settings><lastipadd><ipaddress><x/></ipaddress></lastipadd></Conf_Settings>")
        << "" << "192.168.2.205" << "English" << "0000";
    QTest::newRow("empty elements")
        << QByteArray("<Conf_Settings><lastipadd><ipaddress/></lastipadd><lastlang><language></language></lastlang></Conf_Settings>")
        << "" << "" << "" << "0000";
}

void TestSettings::reading_rules()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, project);
    QFETCH(QString, address);
    QFETCH(QString, language);
    QFETCH(QString, flags);
    QVERIFY(m_dir->Write_File(QStringLiteral("Velmora.xml"), xml));
    TXMLDocument doc;
    QString warning;
    Read_Settings(doc, &warning);
    QVERIFY(warning.isEmpty());
    QCOMPARE(Name_Project, project);
    QCOMPARE(Last_IP_Address, address);
    QCOMPARE(Language, language);
    const QString read = QString::number(Enable_Internet) + QString::number(Enable_Update)
                         + QString::number(Enable_Jump_Field_Tables)
                         + QString::number(Double_Click_Auto_Size);
    QCOMPARE(read, flags);
}

void TestSettings::damaged_file_gives_defaults_and_warning()
{
    QVERIFY(m_dir->Write_File(QStringLiteral("Velmora.xml"),
                              "<Conf_Settings><lastproj><projectname>P</projectname></lastproj>"));
    Enable_Internet = true;
    TXMLDocument doc;
    QString warning;
    Read_Settings(doc, &warning);
    QVERIFY2(warning.contains(QStringLiteral("Velmora.xml")), qPrintable(warning));
    QCOMPARE(Name_Project, QString());
    QCOMPARE(Language, QStringLiteral("English"));
    QVERIFY(!Enable_Internet);
}

// A file that exists but cannot be opened is moved aside as it stands, never
// written over; root opens every file, so the program then runs as nobody.
void TestSettings::unopened_file_kept()
{
#ifdef Q_OS_WIN
    QSKIP("read rights are modes of POSIX systems");
#else
    const QByteArray unread = "<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>";
    QVERIFY(m_dir->Write_File(QStringLiteral("Velmora.xml"), unread));
    QVERIFY(m_dir->Write_File(QStringLiteral("Velmora.xml.damaged"), "kept from an older start"));
    QVERIFY(chmod(QFile::encodeName(m_dir->Folder()).constData(), 0777) == 0);
    QVERIFY(chmod(QFile::encodeName(Settings_File()).constData(), 0) == 0);
    const pid_t child = fork();
    if (child == 0) {
        const uid_t nobody = 65534;
        if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0))
            _exit(2);
        TXMLDocument doc;
        QString warning;
        Read_Settings(doc, &warning);
        _exit(warning.contains(QStringLiteral("Velmora.xml.damaged")) && Save_Setting(doc, nullptr) ? 0 : 1);
    }
    int status = 0;
    QVERIFY(child > 0 && waitpid(child, &status, 0) == child);
    QCOMPARE(WEXITSTATUS(status), 0);
    QVERIFY(chmod(QFile::encodeName(Settings_File() + ".damaged").constData(), 0600) == 0);
    QCOMPARE(m_dir->Read_File(QStringLiteral("Velmora.xml.damaged")), unread);
    QCOMPARE(m_dir->Read_File(QStringLiteral("Velmora.xml.damaged.1")), QByteArray("kept from an older start"));
    QVERIFY(m_dir->Read_File(QStringLiteral("Velmora.xml")).contains("<language>English</language>"));
#endif
}

void TestSettings::exact_bytes_written()
{
    Name_Project = QStringLiteral("Plant & Line <2>");
    Last_IP_Address = QStringLiteral("10.1.2.3");
    Language = QStringLiteral("Français");
    Enable_Internet = true;
    Enable_Update = false;
    Enable_Jump_Field_Tables = true;
    Double_Click_Auto_Size = false;
    Last_Check_Unit_ID = 0;
    Last_Check_Registers = 125;
    Last_Check_Echo = false;
    Plant_Width = 1200;
    Plant_Height = 700;
    Plant_Column_Widths = {120, 80};
    TXMLDocument doc;
    QString error;
    QVERIFY(Save_Setting(doc, &error));
    QCOMPARE(m_dir->Read_File(QStringLiteral("Velmora.xml")),
             QString::fromUtf8("<Conf_Settings><lastproj><projectname>Plant &amp; Line &lt;2></projectname></lastproj>"
                               "<lastipadd><ipaddress>10.1.2.3</ipaddress></lastipadd>"
                               "<lastlang><language>Français</language></lastlang>"
                               "<lastinternet><enable_internet>1</enable_internet><enable_update>0</enable_update>"
                               "<enable_jump_field_tables>1</enable_jump_field_tables>"
                               "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet>"
                               "<lastcheck><Check_Unit_ID>0</Check_Unit_ID><Check_Registers>125</Check_Registers>"
                               "<Check_Echo>0</Check_Echo></lastcheck>"
                               "<plantoverview><Plant_Width>1200</Plant_Width><Plant_Height>700</Plant_Height>"
                               "<Plant_Columns>120,80</Plant_Columns></plantoverview>"
                               "</Conf_Settings>")
                 .toUtf8());
    // What was written reads back the same.
    Reset_Shared_State();
    Set_Program_Folders(m_dir->Folder());
    Read_Settings(doc, &error);
    QCOMPARE(Name_Project, QStringLiteral("Plant & Line <2>"));
    QCOMPARE(Language, QStringLiteral("Français"));
    QVERIFY(Enable_Internet && !Enable_Update && Enable_Jump_Field_Tables && !Double_Click_Auto_Size);
    QVERIFY(Last_Check_Unit_ID == 0 && Last_Check_Registers == 125 && !Last_Check_Echo);
    QVERIFY(Plant_Width == 1200 && Plant_Height == 700 && Plant_Column_Widths == (QList<int>{120, 80}));
}

void TestSettings::folder_in_place_of_file_is_reported()
{
    // A folder standing where the file belongs cannot be replaced, even by root.
    QVERIFY(QDir(m_dir->Folder()).mkdir(QStringLiteral("Velmora.xml")));
    QVERIFY(QFile::copy(QFINDTESTDATA("test_settings.cpp"), m_dir->Path(QStringLiteral("Velmora.xml/keep"))));
    TXMLDocument doc;
    QString error;
    QVERIFY(!Save_Setting(doc, &error));
    QVERIFY2(error.contains(QStringLiteral("Velmora.xml")), qPrintable(error));
    QVERIFY(QFileInfo(m_dir->Path(QStringLiteral("Velmora.xml/keep"))).size() > 0);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
