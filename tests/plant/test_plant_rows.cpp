// The plant's rows over real configuration folders: each state in its order
// of precedence with the cells that show it, shared addresses, the folders
// listed as Open Configuration lists them, the summary, and the texts of a
// language file with and without the plant's entries.
#include "TestCli.h"
#include "TestRecords.h"

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"
#include "lang/ULang.h"
#include "plant/UPlant_Texts.h"

#include <QDir>
#include <QtTest>

Q_DECLARE_METATYPE(TPlant_State)

namespace {

const QByteArray Answered = Check_Block("12:30:00", "answers with the configured map");
const QByteArray Done = Update_Block("firmware and configuration, read-back on", "exit status 0");

} // namespace

class TestPlantRows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { m_texts = Default_Strings(); }
    void states_data();
    void states();
    void shared_addresses();
    void listed_as_opened();
    void summary();
    void texts_data();
    void texts();

private:
    TLang_Table m_texts;
};

void TestPlantRows::states_data()
{
    QTest::addColumn<QStringList>("parGen");   // changes, "-" none, "damaged"
    QTest::addColumn<QString>("bank");         // none, current, stale, short
    QTest::addColumn<QByteArray>("update");    // Update.log; "folder": a folder of that name
    QTest::addColumn<QByteArray>("check");     // Check.log; "folder": a folder of that name
    QTest::addColumn<TPlant_State>("state");
    // Settings, Image, Last Update, Last Check, Status Word, Byte Count, State
    QTest::addColumn<QStringList>("cells");
    const QStringList port{"ModbusTCPSlave_Port=502"};
    const QString current = QStringLiteral("current, byte sum {sum}");
    const QString noon = QStringLiteral("2026-03-04 12:00 done");
    const QString answered = QStringLiteral("2026-03-04 12:30 answers with the configured map");
    QTest::newRow("no ParGen.xml") << QStringList{"-"} << "current" << Done << Answered
        << TPlant_State::Settings_To_Fix
        << QStringList{"no ParGen.xml", current, noon, answered, "17 (0x0011)", "1 (0x0001)", "settings to fix"};
    QTest::newRow("ParGen.xml damaged") << QStringList{"damaged"} << "current" << Done << Answered
        << TPlant_State::Settings_To_Fix
        << QStringList{"ParGen.xml cannot be read", "stale, byte sum {sum}", noon, answered, "17 (0x0011)",
                       "1 (0x0001)", "settings to fix"};
    QTest::newRow("a check fails") << QStringList{"ModbusTCPSlave_Port=10000"} << "current" << Done << Answered
        << TPlant_State::Settings_To_Fix
        << QStringList{"Error Modbus TCP Slave!! Port must be between 1 and 65535 but different from 10000", current,
                       noon, answered, "17 (0x0011)", "1 (0x0001)", "settings to fix"};
    QTest::newRow("no image") << port << "none" << Done << Answered << TPlant_State::No_Image
        << QStringList{"OK", "no image", noon, answered, "17 (0x0011)", "1 (0x0001)", "no image"};
    QTest::newRow("bank.bin no image") << port << "short" << Done << Answered << TPlant_State::No_Image
        << QStringList{"OK", "bank.bin is no image", noon, answered, "17 (0x0011)", "1 (0x0001)", "no image"};
    QTest::newRow("image stale") << port << "stale" << Done << Answered << TPlant_State::Image_Stale
        << QStringList{"OK", "stale, byte sum {sum}", noon, answered, "17 (0x0011)", "1 (0x0001)", "image stale"};
    QTest::newRow("not updated") << port << "current" << QByteArray() << Answered << TPlant_State::Not_Updated
        << QStringList{"OK", current, "not updated", answered, "17 (0x0011)", "1 (0x0001)", "not updated"};
    QTest::newRow("Update.log a folder") << port << "current" << QByteArray("folder") << Answered
        << TPlant_State::Not_Updated
        << QStringList{"OK", current, "not updated", answered, "17 (0x0011)", "1 (0x0001)", "not updated"};
    QTest::newRow("updater failed") << port << "current" << Update_Block("configuration, read-back off", "exit status 3")
        << Answered << TPlant_State::Update_Failed
        << QStringList{"OK", current, "2026-03-04 12:00 failed, exit status 3", answered, "17 (0x0011)",
                       "1 (0x0001)", "update failed"};
    QTest::newRow("no updater") << port << "current"
        << Update_Block("configuration, read-back off", "not run: no updater at /p/Ethernet_Update") << Answered
        << TPlant_State::Update_Failed
        << QStringList{"OK", current, "2026-03-04 12:00 not run: updater not found", answered, "17 (0x0011)",
                       "1 (0x0001)", "update failed"};
    QTest::newRow("timed out") << port << "current"
        << Update_Block("configuration, read-back off", "timed out: still running after 150 s, left running") << Answered
        << TPlant_State::Update_Failed
        << QStringList{"OK", current, "2026-03-04 12:00 timed out after 150 s", answered, "17 (0x0011)",
                       "1 (0x0001)", "update failed"};
    QTest::newRow("another image updated") << port << "current"
        << Update_Block("configuration, read-back off", "exit status 0", "1") << Answered << TPlant_State::Update_Older
        << QStringList{"OK", current, noon, answered, "17 (0x0011)", "1 (0x0001)", "update older than the image"};
    QTest::newRow("firmware only") << port << "current" << Update_Block("firmware, read-back off", "exit status 0")
        << Answered << TPlant_State::Update_Older
        << QStringList{"OK", current, noon, answered, "17 (0x0011)", "1 (0x0001)", "update older than the image"};
    QTest::newRow("never checked") << port << "current" << Done << QByteArray() << TPlant_State::Not_Checked
        << QStringList{"OK", current, noon, "not checked", "", "", "not checked"};
    QTest::newRow("checked before the update") << port << "current" << Done
        << Check_Block("11:59:59", "answers with the configured map") << TPlant_State::Not_Checked
        << QStringList{"OK", current, noon, "2026-03-04 11:59 answers with the configured map", "17 (0x0011)",
                       "1 (0x0001)", "not checked"};
    // 10:30 in UTC, before the update's 11:00.
    QTest::newRow("checked before it in another time zone") << port << "current" << Done
        << Check_Block("12:30:00", "answers with the configured map").replace("+01:00", "+02:00")
        << TPlant_State::Not_Checked
        << QStringList{"OK", current, noon, answered, "17 (0x0011)", "1 (0x0001)", "not checked"};
    QTest::newRow("check cancelled") << port << "current" << Done << Check_Block("12:30:00", "cancelled")
        << TPlant_State::Not_Checked
        << QStringList{"OK", current, noon, "2026-03-04 12:30 cancelled", "17 (0x0011)", "1 (0x0001)", "not checked"};
    QTest::newRow("Check.log a folder") << port << "current" << Done << QByteArray("folder")
        << TPlant_State::Not_Checked << QStringList{"OK", current, noon, "not checked", "", "", "not checked"};
    QTest::newRow("no answer") << port << "current" << Done << Check_Block("12:30:00", "no answer")
        << TPlant_State::Check_Failed
        << QStringList{"OK", current, noon, "2026-03-04 12:30 no answer", "17 (0x0011)", "1 (0x0001)", "check failed"};
    QTest::newRow("registers refused") << port << "current" << Done
        << Check_Block("12:30:00", "answers, but 1 register refused") << TPlant_State::Registers_Refused
        << QStringList{"OK", current, noon, "2026-03-04 12:30 answers, but 1 register refused", "17 (0x0011)",
                       "1 (0x0001)", "registers refused"};
    QTest::newRow("commissioned") << port << "current" << Done << Answered << TPlant_State::Commissioned
        << QStringList{"OK", current, noon, answered, "17 (0x0011)", "1 (0x0001)", "commissioned"};
}

void TestPlantRows::states()
{
    QFETCH(QStringList, parGen);
    QFETCH(QString, bank);
    QFETCH(QByteArray, update);
    QFETCH(QByteArray, check);
    QFETCH(TPlant_State, state);
    QFETCH(QStringList, cells);
    TTestFolder folder;
    const bool damaged = parGen == QStringList{QStringLiteral("damaged")};
    Make_Configuration(folder, QStringLiteral("Line 1"), damaged ? QStringList{"-"} : parGen);
    const QString project = folder.Path(QStringLiteral("PROJECTS/Line 1"));
    TImage image;
    TXMLDocument doc;
    QVERIFY(Build_Image(doc, ParGen_File_Path(project), image, nullptr));
    if (damaged)
        QVERIFY(folder.Write_File(QStringLiteral("PROJECTS/Line 1/ParGen.xml"), "<Par_Gen>"));
    if (bank == QLatin1String("stale")) {
        TXMLDocument other;
        QVERIFY(folder.Write_File(QStringLiteral("other.xml"), Dialog_ParGen({"Serial_Baud=2"})));
        QVERIFY(Build_Image(other, folder.Path(QStringLiteral("other.xml")), image, nullptr));
    }
    if (bank == QLatin1String("short"))
        image.Bytes.truncate(100);
    if (bank != QLatin1String("none"))
        QVERIFY(Write_Bank_File(project, image.Bytes, nullptr));
    const QByteArray sum = QByteArray::number(bank == QLatin1String("short") ? 0 : Image_Sum(image.Bytes));
    for (const auto &[name, record] : {std::pair{"Update.log", update}, std::pair{"Check.log", check}}) {
        if (record == "folder")
            QVERIFY(QDir(project).mkdir(QLatin1String(name)));
        else if (!record.isEmpty())
            QVERIFY(folder.Write_File(QStringLiteral("PROJECTS/Line 1/") + name, QByteArray(record).replace("{sum}", sum)));
    }

    const QList<TPlant_Row> rows = Read_Plant(folder.Path(QStringLiteral("PROJECTS")));
    QCOMPARE(rows.size(), 1);
    const TPlant_Row &row = rows.first();
    QCOMPARE(row.State, state);
    const QStringList shown = Plant_Cells(row, m_texts);
    QCOMPARE(shown.mid(int(TPlant_Column::Settings)), cells.replaceInStrings(QStringLiteral("{sum}"), sum));
    QCOMPARE(row.Problems.size(), int(update == "folder") + int(check == "folder"));
}

// Two configurations at one address and port are both marked, whatever
// their names; another port is another device.
void TestPlantRows::shared_addresses()
{
    TTestFolder folder;
    Make_Configuration(folder, QStringLiteral("A"), {"ModbusTCPSlave_IP4=7", "ModbusTCPSlave_Port=1502"});
    Make_Configuration(folder, QStringLiteral("B"), {"ModbusTCPSlave_IP4=07", "ModbusTCPSlave_Port=1502"});
    Make_Configuration(folder, QStringLiteral("C"), {"ModbusTCPSlave_IP4=7", "ModbusTCPSlave_Port=1503"});
    Make_Configuration(folder, QStringLiteral("D"), {"ModbusTCPSlave_IP4=x", "ModbusTCPSlave_Port=1502"});
    const QList<TPlant_Row> rows = Read_Plant(folder.Path(QStringLiteral("PROJECTS")));
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0].Shared_With, QStringList{"B"});
    QCOMPARE(rows[1].Shared_With, QStringList{"A"});
    QCOMPARE(rows[0].State, TPlant_State::Address_Shared);
    QCOMPARE(Plant_Cell(rows[1], TPlant_Column::Address, m_texts), QStringLiteral("192.168.0.7:1502 (address shared)"));
    QCOMPARE(Plant_Cell(rows[2], TPlant_Column::Address, m_texts), QStringLiteral("192.168.0.7:1503"));
    QCOMPARE(rows[2].State, TPlant_State::No_Image);
    // No address: nothing to share, and the settings to fix.
    QCOMPARE(Plant_Cell(rows[3], TPlant_Column::Address, m_texts), QString());
    QCOMPARE(rows[3].State, TPlant_State::Settings_To_Fix);
    QCOMPARE(Summarize_Plant(rows).Shared_Addresses, 1);
}

// As Open Configuration lists them: by name in any letter case, names that
// differ only in case both, files and hidden folders left out.
void TestPlantRows::listed_as_opened()
{
    TTestFolder folder;
    for (const char *name : {"b", "A"})
        Make_Configuration(folder, QLatin1String(name), {"-"});
    QVERIFY(folder.Write_File(QStringLiteral("PROJECTS/a file"), "x"));
#ifdef Q_OS_WIN
    // Names there differ in more than case; hiding is an attribute.
    const QStringList expected{"A", "b"};
#else
    Make_Configuration(folder, QStringLiteral("a"), {"-"});
    Make_Configuration(folder, QStringLiteral(".hidden"), {"-"});
    const QStringList expected{"A", "a", "b"};
#endif
    QStringList names;
    for (const TPlant_Row &row : Read_Plant(folder.Path(QStringLiteral("PROJECTS"))))
        names << row.Name;
    QCOMPARE(names, expected);
}

void TestPlantRows::summary()
{
    TTestFolder folder;
    for (const char *name : {"Answers", "Fails", "Unchecked", "Twin"}) {
        Make_Configuration(folder, QLatin1String(name), {"ModbusTCPSlave_IP4=9"});
        QVERIFY(folder.Write_File(QStringLiteral("PROJECTS/%1/Update.log").arg(QLatin1String(name)), Done));
        if (QLatin1String(name) == QLatin1String("Answers") || QLatin1String(name) == QLatin1String("Twin"))
            QVERIFY(folder.Write_File(QStringLiteral("PROJECTS/%1/Check.log").arg(QLatin1String(name)), Answered));
        if (QLatin1String(name) == QLatin1String("Fails"))
            QVERIFY(folder.Write_File(QStringLiteral("PROJECTS/Fails/Check.log"), Check_Block("12:30:00", "Modbus TCP port closed")));
    }
    const TPlant_Summary summary = Summarize_Plant(Read_Plant(folder.Path(QStringLiteral("PROJECTS"))));
    QCOMPARE(Plant_Summary_Text(summary, m_texts),
             QStringLiteral("4 configurations: 2 answer with their map, 1 fail, 1 not checked; 1 addresses shared"));
    QCOMPARE(summary.States[size_t(TPlant_State::Address_Shared)], 4);
}

void TestPlantRows::texts_data()
{
    QTest::addColumn<QByteArray>("file");   // a language file; "Italiano": the shipped one
    QTest::addColumn<QStringList>("expected");   // the first title, a state word, the summary
    QTest::newRow("Italiano") << QByteArray("Italiano")
        << QStringList{"Configurazione", "messo in servizio",
                       "0 configurazioni: 0 rispondono con la loro mappa, 0 falliscono, 0 non verificate; 0 indirizzi condivisi"};
    QTest::newRow("a file without the plant's entries") << QByteArray("STR17 = Gerät aktualisieren\n")
        << QStringList{"Configuration", "commissioned",
                       "0 configurations: 0 answer with their map, 0 fail, 0 not checked; 0 addresses shared"};
}

void TestPlantRows::texts()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);
    TTestFolder folder;
    QString path = Join_Path(qEnvironmentVariable("VELMORA_DIST_DIR"), QStringLiteral("LANGUAGE/Italiano.lng"));
    if (file != "Italiano") {
        QVERIFY(folder.Write_File(QStringLiteral("Other.lng"), file));
        path = folder.Path(QStringLiteral("Other.lng"));
    }
    TLang_Table texts = Default_Strings();
    QString error;
    QVERIFY2(Load_Lang_File(texts, path, &error), qPrintable(error));
    QCOMPARE((QStringList{Plant_Column_Titles(texts).first(), Plant_State_Word(TPlant_State::Commissioned, texts),
                          Plant_Summary_Text(TPlant_Summary(), texts)}),
             expected);
}

QTEST_GUILESS_MAIN(TestPlantRows)
#include "test_plant_rows.moc"
