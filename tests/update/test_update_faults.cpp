// The Update Device dialog's hand-over when the program folder takes no new
// job file: the message names the file and the reason, the updater does not
// start, and the old job stays as it was, with no save file left beside it.
// Then the updater stand-in on a disk that takes its job but not its report.
// A folder named Ethernet_Update.xml is in test_boot_dialog. Last, the
// update's record on a full disk: said, and the update done all the same.

#include "TestDialogs.h"
#include "TestMounts.h"

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "update/UBoot.h"
#include "update/UJob_File.h"
#include "update/UUpdate_Log.h"

#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QtTest>

namespace {

enum class TFault { Full_Disk, Read_Only_Folder, Marked_Read_Only, Read_Only_File };

const QByteArray Old_Job = "<Ethernet_Update><Version>1000</Version>"
                           "<IP_Address_Dev>10.0.0.3</IP_Address_Dev></Ethernet_Update>";
const QByteArray Old_Log = "the report of the last update\n";
const QString Log_Name = QStringLiteral("Ethernet_Update.log");

// Shows the update dialog, presses its update button once (the address is
// 127.0.0.1, which answers) and leaves it; true when it was still open after.
bool Update_Once(TFBoot *boot, int option)
{
    bool stayedOpen = false;
    When_Modal_Shows([boot, &stayedOpen, option](QWidget *) {
        boot->CB_Update_Options->setCurrentIndex(option);
        QTest::mouseClick(boot->Btn_Update, Qt::LeftButton);
        stayedOpen = boot->isVisible();
        QTest::mouseClick(boot->Btn_Cancel, Qt::LeftButton);
    });
    boot->exec();
    return stayedOpen;
}

} // namespace

Q_DECLARE_METATYPE(TFault)

class TestUpdateFaults : public TMounts_Test
{
    Q_OBJECT
private slots:
    void job_file_kept_data();
    void job_file_kept();
    void standin_report_on_full_disk();
    void record_on_full_disk();
};

void TestUpdateFaults::job_file_kept_data()
{
    QTest::addColumn<TFault>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full disk") << TFault::Full_Disk << "No space left on device";
    QTest::newRow("read-only program folder") << TFault::Read_Only_Folder << "is not writable";
    QTest::newRow("job file marked read-only") << TFault::Marked_Read_Only << "the file is read-only";
    QTest::newRow("job file mounted read-only") << TFault::Read_Only_File << "is not writable";
}

void TestUpdateFaults::job_file_kept()
{
    QFETCH(TFault, fault);
    QFETCH(QString, reason);
    TDialog_Env<TFBoot> env;
    TTestPlatform &platform = env.Platform;
    TTestMounts mounts;
    QTemporaryDir elsewhere;
    const QString ran = elsewhere.filePath(QStringLiteral("updater_ran"));
    if (fault == TFault::Full_Disk)
        QVERIFY2(mounts.Tmpfs(env.Folder(), 1024), qPrintable(mounts.Error));
    env.Write_File(Job_File_Name, Old_Job);
    env.Write_File(Updater_Program_Name, "#!/bin/sh\ntouch '" + QFile::encodeName(ran) + "'\n");
    QVERIFY(QFile::setPermissions(env.Path(Updater_Program_Name),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    TFBoot *boot = env.Build();
    Take_Reports_As_Main_Window(boot);
    Last_IP_Address = QStringLiteral("127.0.0.1");
    switch (fault) {
    case TFault::Full_Disk:
        QVERIFY2(mounts.Fill(env.Folder()), qPrintable(mounts.Error));
        break;
    case TFault::Read_Only_Folder:
        QVERIFY2(mounts.Read_Only(env.Folder()), qPrintable(mounts.Error));
        break;
    case TFault::Marked_Read_Only:
        QVERIFY(QFile::setPermissions(Job_File_Path(Path_Exe), QFileDevice::ReadOwner));
        break;
    case TFault::Read_Only_File:
        QVERIFY2(mounts.Read_Only(Job_File_Path(Path_Exe)), qPrintable(mounts.Error));
        break;
    }
    const QStringList before = Folder_Entries(env.Folder());

    QVERIFY(Update_Once(boot, Update_Configuration));

    QCOMPARE(platform.Errors.size(), 1);
    const QString error = platform.Errors.first();
    QVERIFY2(error.contains(QDir::toNativeSeparators(Job_File_Path(Path_Exe))) && error.contains(reason),
             qPrintable(error));
    QVERIFY(!QFile::exists(ran));
    QCOMPARE(env.Read_File(Job_File_Name), Old_Job);
    QCOMPARE(Folder_Entries(env.Folder()), before);
}

// One block left: the job file takes it, the stand-in's report finds none.
// The program reports nothing of the updater's; the stand-in says why it
// failed and keeps the last report whole.
void TestUpdateFaults::standin_report_on_full_disk()
{
    TDialog_Env<TFBoot> env;
    TTestPlatform &platform = env.Platform;
    TTestMounts mounts;
    QVERIFY2(mounts.Tmpfs(env.Folder(), 8192), qPrintable(mounts.Error));
    const QString standin = env.Path(Updater_Program_Name);
    const QString built = Join_Path(qEnvironmentVariable("VELMORA_DIST_DIR"), Updater_Program_Name);
    QVERIFY2(QFile::copy(built, standin), qPrintable(built));
    env.Write_File(Log_Name, Old_Log);
    // A sound firmware job: the stand-in's one problem is its report.
    env.Write_File(QStringLiteral("MASTER/sim40318.sim"), QByteArray(4096, '\x5A'));
    TFBoot *boot = env.Build();
    Take_Reports_As_Main_Window(boot);
    Last_IP_Address = QStringLiteral("127.0.0.1");
    QVERIFY2(mounts.Fill(env.Folder(), 1), qPrintable(mounts.Error));
    QStringList after = Folder_Entries(env.Folder()) << Job_File_Name;
    after.sort();

    QVERIFY(Update_Once(boot, Update_Firmware));

    QCOMPARE(platform.Errors + platform.Warnings, QStringList());
    TXMLDocument job;
    QString error;
    QVERIFY2(job.Load_File(Job_File_Path(Path_Exe), &error), qPrintable(error));
    QString address;
    QVERIFY(job.Read_Path({QStringLiteral("IP_Address_Dev")}, address));
    QCOMPARE(address, QStringLiteral("127.0.0.1"));
    QCOMPARE(env.Read_File(Log_Name), Old_Log);
    QCOMPARE(Folder_Entries(env.Folder()), after);

    QProcess run;
    run.start(standin, {});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 1);
    const QString said = QString::fromLocal8Bit(run.readAllStandardError());
    QVERIFY2(said.contains(Log_Name) && said.contains(QStringLiteral("No space left on device")),
             qPrintable(said));
    const QString report = QString::fromUtf8(run.readAllStandardOutput());
    QVERIFY2(report.endsWith(QStringLiteral("the job is sound, but its log Ethernet_Update.log could not be written.\n")),
             qPrintable(report));
    QCOMPARE(env.Read_File(Log_Name), Old_Log);
    QCOMPARE(Folder_Entries(env.Folder()), after);
}

// The configuration's folder has no room left: the updater runs on its job
// all the same, a warning names Update.log and the reason, and the earlier
// blocks stay as they were, with no save file beside them.
void TestUpdateFaults::record_on_full_disk()
{
    TDialog_Env<TFBoot> env;
    TTestPlatform &platform = env.Platform;
    TTestMounts mounts;
    const QString project = env.Path(QStringLiteral("PROJECTS/Line 4"));
    QVERIFY2(mounts.Tmpfs(project, 64), qPrintable(mounts.Error));
    const QByteArray older = "=== Update 2026-01-02 03:04:05 +00:00\nResult: exit status 0\n\n";
    env.Write_File(QStringLiteral("PROJECTS/Line 4/Update.log"), older);
    env.Write_File(Updater_Program_Name, "#!/bin/sh\ncd \"$(dirname \"$0\")\"\ntouch ran\n");
    QVERIFY(QFile::setPermissions(env.Path(Updater_Program_Name),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    TFBoot *boot = env.Build();
    Take_Reports_As_Main_Window(boot);
    env.Open_Configuration(QStringLiteral("Line 4"));
    Last_IP_Address = QStringLiteral("127.0.0.1");
    QVERIFY2(mounts.Fill(project), qPrintable(mounts.Error));
    const QStringList before = Folder_Entries(project);

    QVERIFY(Update_Once(boot, Update_Configuration));

    QVERIFY(env.Exists(QStringLiteral("ran")));
    QVERIFY(env.Exists(Job_File_Name));
    QCOMPARE(platform.Errors, QStringList());
    QCOMPARE(platform.Warnings.size(), 1);
    const QString warning = platform.Warnings.first();
    QVERIFY2(warning.startsWith(QStringLiteral("The update could not be recorded: "))
                 && warning.contains(QDir::toNativeSeparators(Update_Log_Path(project)))
                 && warning.contains(QStringLiteral("No space left on device")),
             qPrintable(warning));
    QCOMPARE(env.Read_File(QStringLiteral("PROJECTS/Line 4/Update.log")), older);
    QCOMPARE(Folder_Entries(project), before);
}

QTEST_MAIN(TestUpdateFaults)
#include "test_update_faults.moc"
