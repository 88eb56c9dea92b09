// Set Communication's OK when ParGen.xml cannot be written: the dialog stays
// open with the user's values, the message names the file and the reason,
// and the old file stays as it was, with no save file left beside it. The
// project folder removed while the dialog is open is in test_pargen_dialog.

#include "TestEnv.h"
#include "TestMounts.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "params/UParGen.h"
#include "project/UOpenConf.h"

#include <QDir>
#include <QLineEdit>
#include <QtTest>

namespace {

enum class TFault {
    Full_Disk,
    Read_Only_Folder,
    Marked_Read_Only,
    Read_Only_File,
    Folder_In_Its_Place,
    Project_Became_File
};

const QByteArray Old_ParGen = "<Par_Gen><Serial_Baud>3</Serial_Baud><ModbusTCPSlave_Port>1502"
                              "</ModbusTCPSlave_Port></Par_Gen><!--SW_VERSION = 1.102-->";
const QByteArray Stand_In_File = "a plain file where the project folder was";

} // namespace

Q_DECLARE_METATYPE(TFault)

class TestParamsFaults : public TMounts_Test
{
    Q_OBJECT
private slots:
    void ok_keeps_old_file_data();
    void ok_keeps_old_file();
};

void TestParamsFaults::ok_keeps_old_file_data()
{
    QTest::addColumn<TFault>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full disk") << TFault::Full_Disk << "No space left on device";
    QTest::newRow("read-only project folder") << TFault::Read_Only_Folder << "is not writable";
    QTest::newRow("file marked read-only") << TFault::Marked_Read_Only << "the file is read-only";
    QTest::newRow("file mounted read-only") << TFault::Read_Only_File << "is not writable";
    QTest::newRow("a folder named ParGen.xml") << TFault::Folder_In_Its_Place << "directory";
    QTest::newRow("project folder replaced by a file while open")
        << TFault::Project_Became_File << "Not a directory";
}

void TestParamsFaults::ok_keeps_old_file()
{
    QFETCH(TFault, fault);
    QFETCH(QString, reason);
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    TTestMounts mounts;
    env.Start();
    // Below the program folder, for the environment's file helpers.
    const QString projectName = QStringLiteral("PROJECTS/Cfg");
    const QString parGenName = projectName + QStringLiteral("/ParGen.xml");
    const QString project = env.Path(projectName);
    const QString parGen = env.Path(parGenName);
    if (fault == TFault::Full_Disk)
        QVERIFY2(mounts.Tmpfs(project, 512), qPrintable(mounts.Error));
    QVERIFY(QDir().mkpath(Join_Path(project, QStringLiteral("bin"))));
    if (fault == TFault::Folder_In_Its_Place)
        QVERIFY(QDir().mkpath(Join_Path(parGen, QStringLiteral("keep"))));
    else
        env.Write_File(parGenName, Old_ParGen);

    FVelmoraeFirmWare->show();
    When_Modal_Shows([](QWidget *) { QTest::mouseClick(FOpenConf->Btn_OK, Qt::LeftButton); });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Open, Qt::LeftButton);
    QCOMPARE(File_ParGen, parGen);

    switch (fault) {
    case TFault::Full_Disk:
        QVERIFY2(mounts.Fill(project), qPrintable(mounts.Error));
        break;
    case TFault::Read_Only_Folder:
        QVERIFY2(mounts.Read_Only(project), qPrintable(mounts.Error));
        break;
    case TFault::Marked_Read_Only:
        QVERIFY(QFile::setPermissions(parGen, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        break;
    case TFault::Read_Only_File:
        QVERIFY2(mounts.Read_Only(parGen), qPrintable(mounts.Error));
        break;
    case TFault::Folder_In_Its_Place:
    case TFault::Project_Became_File:
        break;
    }
    // Where a save file would be left behind.
    const QString watched = fault == TFault::Project_Became_File ? Path_Projects : project;

    bool shown = false;
    bool stayedOpen = false;
    int errorsAtOpen = 0;
    QStringList before;
    When_Modal_Shows([&](QWidget *modal) {
        shown = modal == FParGen;
        if (fault == TFault::Project_Became_File) {
            QDir(project).removeRecursively();
            env.Write_File(projectName, Stand_In_File);
        }
        before = Folder_Entries(watched);
        errorsAtOpen = platform.Errors.size();
        // A valid port also where the damaged opening left the creation values.
        FParGen->E_ModbusTCPSlave_Port->selectAll();
        QTest::keyClicks(FParGen->E_ModbusTCPSlave_Port, QStringLiteral("1503"));
        QTest::mouseClick(FParGen->Btn_OK, Qt::LeftButton);
        stayedOpen = FParGen->isVisible();
        platform.Answers << true;
        QTest::mouseClick(FParGen->Btn_Cancel, Qt::LeftButton);
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Prm_Gen, Qt::LeftButton);

    QVERIFY(shown);
    QVERIFY(stayedOpen);
    QCOMPARE(platform.Errors.size() - errorsAtOpen, 1);
    for (const QString &error : platform.Errors)
        QVERIFY2(error.contains(QDir::toNativeSeparators(parGen)) && error.contains(reason),
                 qPrintable(error));
    QCOMPARE(platform.Questions, QStringList{Lang(508)});
    if (fault == TFault::Project_Became_File)
        QCOMPARE(env.Read_File(projectName), Stand_In_File);
    else if (fault == TFault::Folder_In_Its_Place)
        QVERIFY(QFileInfo(Join_Path(parGen, QStringLiteral("keep"))).isDir());
    else
        QCOMPARE(env.Read_File(parGenName), Old_ParGen);
    QCOMPARE(Folder_Entries(watched), before);
}

QTEST_MAIN(TestParamsFaults)
#include "test_params_faults.moc"
