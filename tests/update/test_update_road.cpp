// The whole Update Device road in one process, driven through the windows as
// a user would: a new configuration, Set Communication with changed values,
// Update Device to 127.0.0.1 with the built updater stand-in beside the
// program; then bank.bin, the job file and the stand-in's report. It needs
// the main window, so it links the whole program.

#include "TestData.h"
#include "TestEnv.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "params/UParGen.h"
#include "project/UNew_Project.h"
#include "update/UBoot.h"
#include "update/UJob_File.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

class TestUpdateRoad : public QObject
{
    Q_OBJECT
private slots:
    void new_configuration_to_updated_device_data();
    void new_configuration_to_updated_device();
};

void TestUpdateRoad::new_configuration_to_updated_device_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("configuration");
    QTest::newRow("plain names") << QString() << "Line 4";
    // Paths the updater and its job file carry with letters outside ASCII.
    QTest::newRow("non-ASCII letters") << QStringLiteral("Prüfstand Ωmega") << QStringLiteral("Größe 4");
}

void TestUpdateRoad::new_configuration_to_updated_device()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, configuration);
    TTestEnv env(programFolder);
    TTestPlatform &platform = env.Platform;
    const QString standin =
        Join_Path(qEnvironmentVariable("VELMORA_DIST_DIR"), Updater_Program_Name);
    QVERIFY2(QFile::copy(standin, env.Path(Updater_Program_Name)),
             qPrintable(standin));
    env.Write_File(QStringLiteral("MASTER/sim40318.sim"), QByteArray(4096, '\x5A'));
    env.Start();
    FVelmoraeFirmWare->show();
    QVERIFY(QTest::qWaitForWindowExposed(FVelmoraeFirmWare));

    When_Shown(FNew_Project, [configuration] {
        Type(FNew_Project->E_New_Proj, configuration);
        QTest::mouseClick(FNew_Project->Btn_OK, Qt::LeftButton);
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_New, Qt::LeftButton);
    QCOMPARE(Path_Project, Join_Path(Path_Projects, configuration));

    bool saved = false;
    When_Shown(FParGen, [&saved] {
        Retype(FParGen->E_ModbusTCPSlave_IP1, QStringLiteral("10"));
        Retype(FParGen->E_ModbusTCPSlave_IP2, QStringLiteral("0"));
        Retype(FParGen->E_ModbusTCPSlave_IP3, QStringLiteral("0"));
        Retype(FParGen->E_ModbusTCPSlave_IP4, QStringLiteral("50"));
        Retype(FParGen->E_ModbusTCPSlave_Port, QStringLiteral("1502"));
        FParGen->CB_Serial_Baud->setCurrentIndex(2);
        QTest::mouseClick(FParGen->Btn_OK, Qt::LeftButton);
        saved = !FParGen->isVisible();
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Prm_Gen, Qt::LeftButton);
    QVERIFY(saved);
    QVERIFY(QFile::exists(File_ParGen));

    When_Shown(FBoot, [] {
        Retype(FBoot->E_IP1, QStringLiteral("127"));
        Retype(FBoot->E_IP2, QStringLiteral("0"));
        Retype(FBoot->E_IP3, QStringLiteral("0"));
        Retype(FBoot->E_IP4, QStringLiteral("1"));
        FBoot->CB_Update_Options->setCurrentIndex(0);
        FBoot->CB_Update_Option_Read_Back->setChecked(true);
        QTest::mouseClick(FBoot->Btn_Update, Qt::LeftButton);
        // The dialog stays open after the update; the user leaves with Cancel.
        QVERIFY(FBoot->isVisible());
        QTest::mouseClick(FBoot->Btn_Cancel, Qt::LeftButton);
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_CreateBin, Qt::LeftButton);
    QCOMPARE(platform.Errors + platform.Warnings, QStringList());

    // bank.bin: 2048 bytes ending in the byte sum of the rest.
    const QString bank = QStringLiteral("PROJECTS/%1/bin/bank.bin").arg(configuration);
    const QByteArray image = env.Read_File(bank);
    QCOMPARE(image.size(), 2048);
    uint32_t sum = 0;
    for (int i = 0; i < 0x7FC; ++i)
        sum += uint8_t(image[i]);
    QCOMPARE(Little_Endian(image, 0x7FC), sum);
    QCOMPARE(image.mid(0x28, 4), QByteArray("\x0A\x00\x00\x32", 4));

    // The job names the device and both files, read-back on.
    TXMLDocument job;
    QVERIFY(job.Load_File(Job_File_Path(Path_Exe)));
    QString text;
    QVERIFY(job.Read_Path({QStringLiteral("IP_Address_Dev")}, text));
    QCOMPARE(text, QStringLiteral("127.0.0.1"));
    const QDomElement first = job.Root()
                                  .firstChildElement(QStringLiteral("Operations"))
                                  .firstChildElement(QStringLiteral("Operation"));
    const QDomElement second = first.nextSiblingElement(QStringLiteral("Operation"));
    QCOMPARE(second.firstChildElement(QStringLiteral("Ope_FileName")).text(),
             QDir::toNativeSeparators(env.Path(bank)));
    QCOMPARE(first.firstChildElement(QStringLiteral("Ope_Read_Back")).text(), QStringLiteral("1"));
    QCOMPARE(second.firstChildElement(QStringLiteral("Ope_Read_Back")).text(), QStringLiteral("1"));

    // The stand-in ran on that job and found it sound, with the changed values.
    const QString report = QString::fromUtf8(env.Read_File(QStringLiteral("Ethernet_Update.log")));
    for (const char *line : {"Device address: 127.0.0.1", "IP address: 10.0.0.50",
                             "Modbus TCP port: 1502", "Baud rate: 4800", "No device was contacted",
                             "Verdict: the job is sound."})
        QVERIFY2(report.contains(QLatin1String(line)), qPrintable(line + ("\n" + report)));

    // The run is recorded beside the configuration, the stand-in's verdict as its exit status.
    const QStringList record =
        QString::fromUtf8(env.Read_File(QStringLiteral("PROJECTS/%1/Update.log").arg(configuration))).split('\n');
    QVERIFY2(record.value(0).startsWith(QStringLiteral("=== Update ")), qPrintable(record.join('\n')));
    QCOMPARE(record.mid(1), (QStringList{QStringLiteral("Device: 127.0.0.1"), QStringLiteral("Configuration: 10.0.0.50"),
                                        QStringLiteral("Asked: firmware and configuration, read-back on"),
                                        QStringLiteral("Image: bin/bank.bin, byte sum %1 (0x%2)")
                                            .arg(sum)
                                            .arg(QString::number(sum, 16).toUpper().rightJustified(8, '0')),
                                        QStringLiteral("Result: exit status 0"), QString(), QString()}));

    QCOMPARE(Last_IP_Address, QStringLiteral("127.0.0.1"));
    QCOMPARE(Update_Option, 0);
    QVERIFY(Read_Back);
    // Closing the program keeps the address for the next start.
    env.Stop();
    QVERIFY(env.Read_File(QStringLiteral("Velmora.xml")).contains("127.0.0.1"));
}

QTEST_MAIN(TestUpdateRoad)
#include "test_update_road.moc"
