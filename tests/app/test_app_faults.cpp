// The settings file on a disk that takes nothing: the program still closes,
// says which file could not be written and why, and the file it read at
// start stays as it was, with no save file left beside it. A folder standing
// where the file belongs is in test_main_window.

#include "TestData.h"
#include "TestEnv.h"
#include "TestMounts.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "options/USoftOptions.h"
#include "project/UNew_Project.h"

#include <QDir>
#include <QLineEdit>
#include <QtTest>

namespace {

enum class TFault { Full_Disk, Read_Only_Folder, Marked_Read_Only, Read_Only_File };

const QByteArray Old_Settings = Settings_Xml(QStringLiteral("Line 2"), QStringLiteral("English"),
                                              false, false, QStringLiteral("10.0.0.1"));

} // namespace

Q_DECLARE_METATYPE(TFault)

class TestAppFaults : public TMounts_Test
{
    Q_OBJECT
private slots:
    void settings_kept_data();
    void settings_kept();
    void first_start_without_room();
};

void TestAppFaults::settings_kept_data()
{
    QTest::addColumn<TFault>("fault");
    QTest::addColumn<bool>("byOptions");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full disk, closing") << TFault::Full_Disk << false << "No space left on device";
    QTest::newRow("full disk, options confirmed") << TFault::Full_Disk << true << "No space left on device";
    QTest::newRow("read-only program folder") << TFault::Read_Only_Folder << false << "is not writable";
    QTest::newRow("file marked read-only") << TFault::Marked_Read_Only << false << "the file is read-only";
    QTest::newRow("file mounted read-only") << TFault::Read_Only_File << false << "is not writable";
}

void TestAppFaults::settings_kept()
{
    QFETCH(TFault, fault);
    QFETCH(bool, byOptions);
    QFETCH(QString, reason);
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    TTestMounts mounts;
    QVERIFY2(mounts.Tmpfs(env.Folder(), 1024), qPrintable(mounts.Error));
    env.Write_File(QStringLiteral("Velmora.xml"), Old_Settings);
    env.Start();
    Last_IP_Address = QStringLiteral("10.9.9.9");
    const QString path = env.Path(QStringLiteral("Velmora.xml"));
    switch (fault) {
    case TFault::Full_Disk:
        QVERIFY2(mounts.Fill(env.Folder()), qPrintable(mounts.Error));
        break;
    case TFault::Read_Only_Folder:
        QVERIFY2(mounts.Read_Only(env.Folder()), qPrintable(mounts.Error));
        break;
    case TFault::Marked_Read_Only:
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                | QFileDevice::ReadOther));
        break;
    case TFault::Read_Only_File:
        QVERIFY2(mounts.Read_Only(path), qPrintable(mounts.Error));
        break;
    }
    const QStringList before = Folder_Entries(env.Folder());

    FVelmoraeFirmWare->show();
    if (byOptions) {
        When_Modal_Shows([](QWidget *) { QTest::mouseClick(FSoftOptions->Btn_OK, Qt::LeftButton); });
        QTest::mouseClick(FVelmoraeFirmWare->Btn_Opz, Qt::LeftButton);
        QVERIFY(FVelmoraeFirmWare->isVisible());
    } else {
        QTest::mouseClick(FVelmoraeFirmWare->Btn_Close, Qt::LeftButton);
        QVERIFY(!FVelmoraeFirmWare->isVisible());
    }

    QCOMPARE(platform.Errors.size(), 1);
    const QString error = platform.Errors.first();
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)) && error.contains(reason),
             qPrintable(error));
    QCOMPARE(env.Read_File(QStringLiteral("Velmora.xml")), Old_Settings);
    QCOMPARE(Folder_Entries(env.Folder()), before);
}

// No room for a single folder or file from the first start on: the program
// starts without its folders, refuses a new configuration, and reports the
// settings file it cannot write when it closes.
void TestAppFaults::first_start_without_room()
{
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    TTestMounts mounts;
    QVERIFY2(mounts.Tmpfs(env.Folder(), 1024, 16), qPrintable(mounts.Error));
    QVERIFY2(mounts.Use_Inodes(env.Folder()), qPrintable(mounts.Error));
    const QStringList before = Folder_Entries(env.Folder());

    env.Start();
    QCOMPARE(platform.Errors + platform.Warnings, QStringList());
    QCOMPARE(Folder_Entries(env.Folder()), before);
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), Lang(10));

    FVelmoraeFirmWare->show();
    When_Modal_Shows([](QWidget *) {
        QTest::keyClicks(FNew_Project->E_New_Proj, QStringLiteral("Line 1"));
        QTest::mouseClick(FNew_Project->Btn_OK, Qt::LeftButton);
        FNew_Project->reject();
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_New, Qt::LeftButton);
    QCOMPARE(platform.Errors, QStringList{Lang(105)});
    QVERIFY(Path_Project.isEmpty());

    QTest::mouseClick(FVelmoraeFirmWare->Btn_Close, Qt::LeftButton);
    QCOMPARE(platform.Errors.size(), 2);
    QVERIFY2(platform.Errors.last().contains(QStringLiteral("Velmora.xml"))
                 && platform.Errors.last().contains(QStringLiteral("No space left on device")),
             qPrintable(platform.Errors.last()));
    QCOMPARE(Folder_Entries(env.Folder()), before);
}

QTEST_MAIN(TestAppFaults)
#include "test_app_faults.moc"
