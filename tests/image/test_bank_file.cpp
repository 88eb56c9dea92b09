// bank.bin on disk, alone and through the main window's Update Device: the
// file is replaced whole, and when it cannot be written the old file stays,
// the user is told which file and why, and the update dialog stays closed.

#include "TestEnv.h"
#include "TestPlatform.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"
#include "update/UBoot.h"

#include <QtTest>

namespace {

const QByteArray Old_Content(3000, '\xAB');

enum class TSetup { Sound, Missing_Bin, Read_Only, Bank_Is_Folder, Damaged_ParGen };

// Prepares the open configuration's folder for one case.
void Prepare(TSetup setup)
{
    const QString bin = Join_Path(Path_Project, QStringLiteral("bin"));
    if (setup != TSetup::Missing_Bin)
        QDir().mkpath(bin);
    if (setup == TSetup::Bank_Is_Folder) {
        QDir().mkpath(Bank_File_Path());
        return;
    }
    if (setup != TSetup::Missing_Bin) {
        QFile old(Bank_File_Path());
        if (old.open(QIODevice::WriteOnly))
            old.write(Old_Content);
    }
    if (setup == TSetup::Read_Only)
        QFile::setPermissions(Bank_File_Path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    if (setup == TSetup::Damaged_ParGen) {
        QFile parGen(File_ParGen);
        if (parGen.open(QIODevice::WriteOnly))
            parGen.write("<Par_Gen><Serial_Serial>0");
    }
}

QByteArray Bank_Content()
{
    QFile file(Bank_File_Path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Built_Image()
{
    return QByteArray(reinterpret_cast<const char *>(Image_Buffer), Image_Length);
}

} // namespace

Q_DECLARE_METATYPE(TSetup)

class TestBankFile : public QObject
{
    Q_OBJECT
private slots:
    void replaces_a_longer_file();
    void unwritable_keeps_old_file_data();
    void unwritable_keeps_old_file();
    void update_device_road_data();
    void update_device_road();
};

void TestBankFile::replaces_a_longer_file()
{
    QTemporaryDir dir;
    Reset_Shared_State();
    Path_Project = dir.path();
    File_ParGen = Join_Path(Path_Project, QStringLiteral("ParGen.xml"));
    Prepare(TSetup::Sound);
    TXMLDocument doc;
    QVERIFY(Build_Image(doc, nullptr));
    QString error;
    QVERIFY2(Write_Bank_File(&error), qPrintable(error));
    QCOMPARE(Bank_Content(), Built_Image());
    QCOMPARE(QFileInfo(Bank_File_Path()).size(), 2048);
}

void TestBankFile::unwritable_keeps_old_file_data()
{
    QTest::addColumn<TSetup>("setup");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing bin folder") << TSetup::Missing_Bin << QString();
    QTest::newRow("read-only file") << TSetup::Read_Only << QStringLiteral("read-only");
    QTest::newRow("a folder named bank.bin") << TSetup::Bank_Is_Folder << QString();
}

void TestBankFile::unwritable_keeps_old_file()
{
    QFETCH(TSetup, setup);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    Reset_Shared_State();
    Path_Project = dir.path();
    File_ParGen = Join_Path(Path_Project, QStringLiteral("ParGen.xml"));
    Prepare(setup);
    const QByteArray before = Bank_Content();
    TXMLDocument doc;
    QVERIFY(Build_Image(doc, nullptr));
    QString error;
    QVERIFY(!Write_Bank_File(&error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(Bank_File_Path())), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    // The part after the file name says why.
    QVERIFY2(error.section(QLatin1Char('"'), 2).size() > 3, qPrintable(error));
    QCOMPARE(Bank_Content(), before);
    QCOMPARE(QDir(Join_Path(Path_Project, QStringLiteral("bin"))).entryList(QDir::Files).size(),
             setup == TSetup::Read_Only ? 1 : 0);
}

void TestBankFile::update_device_road_data()
{
    QTest::addColumn<TSetup>("setup");
    QTest::addColumn<QString>("named");
    QTest::newRow("sound") << TSetup::Sound << QString();
    QTest::newRow("damaged ParGen.xml") << TSetup::Damaged_ParGen << QStringLiteral("ParGen.xml");
    QTest::newRow("missing bin folder") << TSetup::Missing_Bin << QStringLiteral("bank.bin");
    QTest::newRow("read-only bank.bin") << TSetup::Read_Only << QStringLiteral("bank.bin");
}

void TestBankFile::update_device_road()
{
    QFETCH(TSetup, setup);
    QFETCH(QString, named);
    TTestPlatform platform;
    TTestEnv env;
    env.Start();
    Path_Project = Join_Path(Path_Projects, QStringLiteral("Cfg"));
    QVERIFY(QDir().mkpath(Path_Project));
    FVelmoraeFirmWare->Set_Files();
    Prepare(setup);
    const QByteArray before = Bank_Content();

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
        QCOMPARE(Bank_Content(), Built_Image());
        QCOMPARE(Bank_Content().size(), 2048);
    } else {
        QCOMPARE(platform.Errors.size(), 1);
        QVERIFY2(platform.Errors.first().contains(named), qPrintable(platform.Errors.first()));
        QCOMPARE(shown, static_cast<QWidget *>(nullptr));
        QCOMPARE(Bank_Content(), before);
    }
    env.Stop();
}

QTEST_MAIN(TestBankFile)
#include "test_bank_file.moc"
