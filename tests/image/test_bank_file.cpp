// bank.bin on disk, alone and through the main window's Update Device: the
// file is replaced whole, and when it cannot be written the old file stays,
// the user is told which file and why, and the update dialog stays closed.

#include "TestEnv.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "image/USaveBincc.h"
#include "update/UBoot.h"

#include <QtTest>

namespace {

const QByteArray Old_Content(3000, '\xAB');

enum class TSetup { Sound, Missing_Bin, Read_Only, Bank_Is_Folder, Damaged_ParGen };

// The open configuration's files, below the program folder.
const QString Bank_Name = QStringLiteral("PROJECTS/Cfg/bin/bank.bin");
const QString ParGen_Name = QStringLiteral("PROJECTS/Cfg/ParGen.xml");

// Prepares the open configuration's folder for one case.
void Prepare(const TTestFolder &folder, TSetup setup)
{
    if (setup == TSetup::Missing_Bin)
        return;
    QDir().mkpath(Join_Path(Path_Project, QStringLiteral("bin")));
    if (setup == TSetup::Bank_Is_Folder) {
        QDir().mkpath(Bank_File_Path(Path_Project));
        return;
    }
    folder.Write_File(Bank_Name, Old_Content);
    if (setup == TSetup::Read_Only)
        QFile::setPermissions(Bank_File_Path(Path_Project), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    if (setup == TSetup::Damaged_ParGen)
        folder.Write_File(ParGen_Name, "<Par_Gen><Serial_Serial>0");
}

} // namespace

Q_DECLARE_METATYPE(TSetup)

class TestBankFile : public QObject
{
    Q_OBJECT
private slots:
    void update_device_road_data();
    void update_device_road();
};

void TestBankFile::update_device_road_data()
{
    QTest::addColumn<TSetup>("setup");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("reason");
    // The old bank.bin is 3000 bytes: a sound road leaves exactly the new 2048.
    QTest::newRow("sound, replacing a longer file") << TSetup::Sound << QString() << QString();
    QTest::newRow("damaged ParGen.xml") << TSetup::Damaged_ParGen << QStringLiteral("ParGen.xml")
                                        << QStringLiteral("is not valid XML");
    QTest::newRow("missing bin folder") << TSetup::Missing_Bin << QStringLiteral("bank.bin")
                                        << QString();
    QTest::newRow("read-only bank.bin") << TSetup::Read_Only << QStringLiteral("bank.bin")
                                        << QStringLiteral("read-only");
    QTest::newRow("a folder named bank.bin") << TSetup::Bank_Is_Folder << QStringLiteral("bank.bin")
                                             << QString();
}

void TestBankFile::update_device_road()
{
    QFETCH(TSetup, setup);
    QFETCH(QString, named);
    QFETCH(QString, reason);
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    env.Start();
    Path_Project = Join_Path(Path_Projects, QStringLiteral("Cfg"));
    QVERIFY(QDir().mkpath(Path_Project));
    FVelmoraeFirmWare->Set_Files();
    Prepare(env, setup);
    const QByteArray before = env.Read_File(Bank_Name);

    bool fired = false;
    QWidget *shown = nullptr;
    When_Modal_Shows(
        [&](QWidget *modal) {
            fired = true;
            shown = modal;
            if (modal)
                modal->close();
        },
        300);
    FVelmoraeFirmWare->Btn_CreateBin->click();
    QTRY_VERIFY(fired);

    if (named.isEmpty()) {
        QCOMPARE(platform.Errors, QStringList());
        QCOMPARE(shown, static_cast<QWidget *>(FBoot));
        // The whole image of the configuration's values, as the builder gives it.
        TXMLDocument doc;
        TImage image;
        QString error;
        QVERIFY2(Build_Image(doc, File_ParGen, image, &error), qPrintable(error));
        QCOMPARE(env.Read_File(Bank_Name), image.Bytes);
        QCOMPARE(env.Read_File(Bank_Name).size(), 2048);
    } else {
        QCOMPARE(platform.Errors.size(), 1);
        const QString error = platform.Errors.first();
        QVERIFY2(error.contains(named) && error.contains(reason), qPrintable(error));
        // The file's full name, then why.
        QVERIFY2(error.section(QLatin1Char('"'), 1, 1).endsWith(QDir::toNativeSeparators(QLatin1Char('/') + named)),
                 qPrintable(error));
        QVERIFY2(error.section(QLatin1Char('"'), 2).size() > 3, qPrintable(error));
        QCOMPARE(shown, static_cast<QWidget *>(nullptr));
        QCOMPARE(env.Read_File(Bank_Name), before);
    }
    // No save file is left behind beside bank.bin.
    QCOMPARE(QDir(Join_Path(Path_Project, QStringLiteral("bin"))).entryList(QDir::Files).size(),
             setup == TSetup::Bank_Is_Folder || setup == TSetup::Missing_Bin ? 0 : 1);
    env.Stop();
}

QTEST_MAIN(TestBankFile)
#include "test_bank_file.moc"
