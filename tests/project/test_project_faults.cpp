// Create New Configuration when the disk refuses the folders: the dialog
// says the name cannot be used and stays open, no configuration opens, and
// nothing is left behind under PROJECTS, not even a folder without its bin.

#include "TestEnv.h"
#include "TestMounts.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "project/UNew_Project.h"

#include <QDir>
#include <QLineEdit>
#include <QtTest>

namespace {

enum class TFault { No_Room, Room_For_One_Folder, Read_Only_Projects, Projects_Is_File };

const QByteArray Plain_File = "a plain file where PROJECTS belongs";

} // namespace

Q_DECLARE_METATYPE(TFault)

class TestProjectFaults : public TMounts_Test
{
    Q_OBJECT
private slots:
    void new_configuration_refused_data();
    void new_configuration_refused();
};

void TestProjectFaults::new_configuration_refused_data()
{
    QTest::addColumn<TFault>("fault");
    QTest::newRow("no room for a folder") << TFault::No_Room;
    QTest::newRow("room for the folder but not its bin") << TFault::Room_For_One_Folder;
    QTest::newRow("read-only PROJECTS") << TFault::Read_Only_Projects;
    QTest::newRow("a file named PROJECTS") << TFault::Projects_Is_File;
}

void TestProjectFaults::new_configuration_refused()
{
    QFETCH(TFault, fault);
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    TTestMounts mounts;
    if (fault == TFault::Projects_Is_File)
        env.Write_File(QStringLiteral("PROJECTS"), Plain_File);
    env.Start();
    switch (fault) {
    case TFault::No_Room:
    case TFault::Room_For_One_Folder:
        QVERIFY2(mounts.Tmpfs(Path_Projects, 256, 16), qPrintable(mounts.Error));
        QVERIFY2(mounts.Use_Inodes(Path_Projects, fault == TFault::No_Room ? 0 : 1),
                 qPrintable(mounts.Error));
        break;
    case TFault::Read_Only_Projects:
        QVERIFY2(mounts.Read_Only(Path_Projects), qPrintable(mounts.Error));
        break;
    case TFault::Projects_Is_File:
        break;
    }
    // Where a folder would be left behind.
    const QString watched = fault == TFault::Projects_Is_File ? env.Folder() : Path_Projects;
    const QStringList before = Folder_Entries(watched);

    FVelmoraeFirmWare->show();
    bool stayedOpen = false;
    When_Modal_Shows([&stayedOpen](QWidget *) {
        QTest::keyClicks(FNew_Project->E_New_Proj, QStringLiteral("Line 1"));
        QTest::mouseClick(FNew_Project->Btn_OK, Qt::LeftButton);
        stayedOpen = FNew_Project->isVisible();
        QCOMPARE(FNew_Project->E_New_Proj->text(), QStringLiteral("Line 1"));
        FNew_Project->reject();
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_New, Qt::LeftButton);

    QVERIFY(stayedOpen);
    QCOMPARE(platform.Errors, QStringList{Lang(105)});
    QVERIFY(Path_Project.isEmpty());
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), Lang(10));
    QCOMPARE(Folder_Entries(watched), before);
    if (fault == TFault::Projects_Is_File)
        QCOMPARE(env.Read_File(QStringLiteral("PROJECTS")), Plain_File);
}

QTEST_MAIN(TestProjectFaults)
#include "test_project_faults.moc"
