// Update Device when bank.bin cannot be written: the message names the file
// and the reason, the update dialog stays closed, and whatever stood there
// before stays as it was, with no save file left behind. A missing bin
// folder, bank.bin marked read-only and a folder named bank.bin are in
// test_bank_file.

#include "TestEnv.h"
#include "TestMounts.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "image/USaveBincc.h"
#include "project/UOpenConf.h"

#include <QDir>
#include <QtTest>

namespace {

enum class TFault {
    Full_Disk,
    Read_Only_Bin,
    Read_Only_File,
    Project_Removed,
    Project_Became_File,
    Bin_Is_File
};

const QByteArray Old_Bank(3000, '\xAB');
const QByteArray Plain_File = "a plain file where a folder belongs";

} // namespace

Q_DECLARE_METATYPE(TFault)

class TestImageFaults : public TMounts_Test
{
    Q_OBJECT
private slots:
    void update_device_keeps_old_file_data();
    void update_device_keeps_old_file();
};

void TestImageFaults::update_device_keeps_old_file_data()
{
    QTest::addColumn<TFault>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full disk") << TFault::Full_Disk << "No space left on device";
    QTest::newRow("read-only bin folder") << TFault::Read_Only_Bin << "is not writable";
    QTest::newRow("bank.bin mounted read-only") << TFault::Read_Only_File << "is not writable";
    QTest::newRow("project folder removed while open")
        << TFault::Project_Removed << "No such file or directory";
    QTest::newRow("project folder replaced by a file")
        << TFault::Project_Became_File << "Not a directory";
    QTest::newRow("a file named bin") << TFault::Bin_Is_File << "Not a directory";
}

void TestImageFaults::update_device_keeps_old_file()
{
    QFETCH(TFault, fault);
    QFETCH(QString, reason);
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    TTestMounts mounts;
    env.Start();
    // Below the program folder, for the environment's file helpers.
    const QString projectName = QStringLiteral("PROJECTS/Cfg");
    const QString binName = projectName + QStringLiteral("/bin");
    const QString bankName = binName + QStringLiteral("/bank.bin");
    const QString project = env.Path(projectName);
    const QString bin = env.Path(binName);
    const QString bank = env.Path(bankName);
    if (fault == TFault::Full_Disk)
        QVERIFY2(mounts.Tmpfs(project, 512), qPrintable(mounts.Error));
    QVERIFY(QDir().mkpath(bin));
    env.Write_File(bankName, Old_Bank);

    FVelmoraeFirmWare->show();
    When_Modal_Shows([](QWidget *) { QTest::mouseClick(FOpenConf->Btn_OK, Qt::LeftButton); });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Open, Qt::LeftButton);
    QCOMPARE(Bank_File_Path(Path_Project), bank);

    // Where the old content lies and where a save file would be left behind.
    QString kept = bankName;
    QString watched = bin;
    switch (fault) {
    case TFault::Full_Disk:
        QVERIFY2(mounts.Fill(project), qPrintable(mounts.Error));
        break;
    case TFault::Read_Only_Bin:
        QVERIFY2(mounts.Read_Only(bin), qPrintable(mounts.Error));
        break;
    case TFault::Read_Only_File:
        QVERIFY2(mounts.Read_Only(bank), qPrintable(mounts.Error));
        break;
    case TFault::Project_Removed:
        QVERIFY(QDir(project).removeRecursively());
        kept.clear();
        watched = Path_Projects;
        break;
    case TFault::Project_Became_File:
        QVERIFY(QDir(project).removeRecursively());
        env.Write_File(projectName, Plain_File);
        kept = projectName;
        watched = Path_Projects;
        break;
    case TFault::Bin_Is_File:
        QVERIFY(QDir(bin).removeRecursively());
        env.Write_File(binName, Plain_File);
        kept = binName;
        watched = project;
        break;
    }
    const QByteArray old = kept.isEmpty() ? QByteArray() : env.Read_File(kept);
    const QStringList before = Folder_Entries(watched);

    bool asked = false;
    QWidget *shown = nullptr;
    When_Modal_Shows(
        [&](QWidget *modal) {
            asked = true;
            shown = modal;
            if (modal)
                modal->close();
        },
        300);
    QTest::mouseClick(FVelmoraeFirmWare->Btn_CreateBin, Qt::LeftButton);
    QTRY_VERIFY(asked);

    QCOMPARE(shown, static_cast<QWidget *>(nullptr));
    QCOMPARE(platform.Errors.size(), 1);
    const QString error = platform.Errors.first();
    QVERIFY2(error.contains(QDir::toNativeSeparators(bank)) && error.contains(reason),
             qPrintable(error));
    if (kept.isEmpty())
        QVERIFY(!QFileInfo::exists(project));
    else
        QCOMPARE(env.Read_File(kept), old);
    QCOMPARE(Folder_Entries(watched), before);
}

QTEST_MAIN(TestImageFaults)
#include "test_image_faults.moc"
