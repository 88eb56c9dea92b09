// velmora-cli on disks that refuse its writes: each failing row or
// configuration names the file and the system's reason, a folder made for a
// row is taken back, what was there stays as it was, and results that
// standard output cannot take fail the run, as a report the disk cannot take.
#include "TestCli.h"
#include "TestMounts.h"

#include <QFile>
#include <QtTest>

namespace {

enum class TFault {
    No_Room_For_Folder, No_Room_For_Bin, Full_Disk, Read_Only_Projects, Marked_Read_Only, Full_Bin, Full_Output,
    Full_Report
};

const QByteArray Old_Bank = "an older bank.bin";

} // namespace

Q_DECLARE_METATYPE(TFault)

class TestCliFaults : public TMounts_Test
{
    Q_OBJECT
private slots:
    void refused_data();
    void refused();
};

void TestCliFaults::refused_data()
{
    QTest::addColumn<TFault>("fault");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("rows");   // of t.csv, under the header Name,Serial_Baud
    QTest::addColumn<QString>("watched");
    QTest::addColumn<QStringList>("err");
    // Where rows would race for the last free place, one row; a full disk
    // refuses every row alike, so there the rows, written side by side, must
    // each be reported in row order.
    const QStringList import{"import", "--replace", "t.csv"};
    QTest::newRow("no room for the folder") << TFault::No_Room_For_Folder << import << QByteArray("P1,1\n")
        << "PROJECTS"
        << QStringList{"t.csv:2: P1: Cannot create the folder \"{folder}/PROJECTS/P1\": No space left on device"};
    QTest::newRow("room for the folder but not its bin") << TFault::No_Room_For_Bin << import << QByteArray("P1,1\n")
        << "PROJECTS"
        << QStringList{"t.csv:2: P1: Cannot create the folder \"{folder}/PROJECTS/P1/bin\": No space left on device"};
    QByteArray fullRows;
    QStringList full;
    for (int row = 1; row <= 40; ++row) {
        fullRows += QStringLiteral("P%1,%2\n").arg(row).arg(row % 8).toUtf8();
        full << QStringLiteral("t.csv:%1: P%2: Cannot write \"{folder}/PROJECTS/P%2/ParGen.xml\": "
                               "No space left on device").arg(row + 1).arg(row);
    }
    QTest::newRow("no room for ParGen.xml") << TFault::Full_Disk << import << fullRows << "PROJECTS" << full;
    QTest::newRow("read-only PROJECTS") << TFault::Read_Only_Projects << import << QByteArray("P1,1\n") << "PROJECTS"
        << QStringList{"t.csv:2: P1: Cannot create the folder \"{folder}/PROJECTS/P1\": Read-only file system"};
    QTest::newRow("replacing a ParGen.xml marked read-only") << TFault::Marked_Read_Only << import
        << QByteArray("Old,1\n") << "PROJECTS/Old"
        << QStringList{"t.csv:2: Old: Cannot write \"{folder}/PROJECTS/Old/ParGen.xml\": the file is read-only"};
    QTest::newRow("bank.bin on a full disk") << TFault::Full_Bin << QStringList{"bank", "Old"} << QByteArray()
        << "PROJECTS/Old/bin"
        << QStringList{"Old: Cannot write \"{folder}/PROJECTS/Old/bin/bank.bin\": No space left on device"};
    QTest::newRow("export into a file on a full disk") << TFault::Full_Output << QStringList{"export", "--all"}
        << QByteArray() << "PROJECTS"
        << QStringList{"velmora-cli: cannot write the results to standard output: No space left on device"};
    QTest::newRow("report on a full disk") << TFault::Full_Report
        << QStringList{"report", "--all", "--pdf", "out/plant.pdf"} << QByteArray() << "out"
        << QStringList{"Cannot write \"out/plant.pdf\": No space left on device"};
}

void TestCliFaults::refused()
{
    QFETCH(TFault, fault);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, rows);
    QFETCH(QString, watched);
    QFETCH(QStringList, err);
    TTestFolder env;
    TTestMounts mounts;
    const QString projects = env.Path(QStringLiteral("PROJECTS"));
    // PROJECTS's own disk comes first, so the configuration "Old" lies on it.
    const bool small = fault == TFault::No_Room_For_Folder || fault == TFault::No_Room_For_Bin;
    if (small || fault == TFault::Full_Disk)
        QVERIFY2(mounts.Tmpfs(projects, 256, small ? 24 : 0), qPrintable(mounts.Error));
    if (fault == TFault::Full_Bin)
        QVERIFY2(mounts.Tmpfs(projects + QStringLiteral("/Old/bin"), 64), qPrintable(mounts.Error));
    const QString output = fault == TFault::Full_Output ? env.Path(QStringLiteral("out/plant.csv")) : QString();
    if (fault == TFault::Full_Output || fault == TFault::Full_Report)
        QVERIFY2(mounts.Tmpfs(env.Path(QStringLiteral("out")), 64), qPrintable(mounts.Error));
    Make_Configuration(env, QStringLiteral("Old"), {QStringLiteral("Serial_Baud=3")});
    QVERIFY(env.Write_File(QStringLiteral("PROJECTS/Old/bin/bank.bin"), Old_Bank));
    QVERIFY(env.Write_File(QStringLiteral("t.csv"), "Name,Serial_Baud\n" + rows));
    switch (fault) {
    case TFault::No_Room_For_Folder:
    case TFault::No_Room_For_Bin:
        QVERIFY2(mounts.Use_Inodes(projects, fault == TFault::No_Room_For_Folder ? 0 : 1), qPrintable(mounts.Error));
        break;
    case TFault::Full_Disk:
        QVERIFY2(mounts.Fill(projects), qPrintable(mounts.Error));
        break;
    case TFault::Read_Only_Projects:
        QVERIFY2(mounts.Read_Only(projects), qPrintable(mounts.Error));
        break;
    case TFault::Marked_Read_Only:
        QVERIFY(QFile::setPermissions(projects + QStringLiteral("/Old/ParGen.xml"), QFileDevice::ReadOwner));
        break;
    case TFault::Full_Bin:
        QVERIFY2(mounts.Fill(projects + QStringLiteral("/Old/bin")), qPrintable(mounts.Error));
        break;
    case TFault::Full_Output:
    case TFault::Full_Report:
        QVERIFY2(mounts.Fill(env.Path(QStringLiteral("out"))), qPrintable(mounts.Error));
        break;
    }
    const QString folder = env.Path(watched);
    const QStringList before = Folder_Entries(folder);
    const QByteArray oldParGen = env.Read_File(QStringLiteral("PROJECTS/Old/ParGen.xml"));

    const TCli_Run run = Run_Cli(env.Folder(), arguments, output);
    QCOMPARE(run.Err, With_Folder(env.Folder(), err));
    QCOMPARE(run.Status, 1);
    QCOMPARE(Folder_Entries(folder), before);
    QCOMPARE(env.Read_File(QStringLiteral("PROJECTS/Old/ParGen.xml")), oldParGen);
    QCOMPARE(env.Read_File(QStringLiteral("PROJECTS/Old/bin/bank.bin")), Old_Bank);
}

QTEST_GUILESS_MAIN(TestCliFaults)
#include "test_cli_faults.moc"
