// velmora-cli report run as the user runs it, without a display, over a
// program folder "Werk Nord" with one commissioned configuration and one not
// yet built: its lines, its CSV read back as a table, its PDF read back as
// text with poppler's pdftotext, and the reports it refuses or cannot write.
#include "TestCli.h"
#include "TestRecords.h"

#include "common/UCsv_Table.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QString Commissioned = QStringLiteral(
    "Line 1 pump: commissioned; Address: 127.0.0.1:1502; Serial Line: RS485/RS422, 115200, 8, NONE, End Character; "
    "Settings: OK; Image: current, byte sum {sum}; Last Update: 2026-03-04 12:00 done; "
    "Last Check: 2026-03-04 12:30 answers with the configured map; Status Word: 17 (0x0011); "
    "Byte Count: 1 (0x0001)");
const QString Unbuilt = QStringLiteral(
    "Spare: no image; Address: 127.0.0.1:1504; Serial Line: RS485/RS422, 115200, 8, NONE, End Character; "
    "Settings: OK; Image: no image; Last Update: not updated; Last Check: not checked");
const QString Summary =
    QStringLiteral("2 configurations: 1 answer with their map, 0 fail, 1 not checked; 0 addresses shared");

// The text of a PDF as pdftotext reads it, its lines' blanks made one.
QString Pdf_Text(const QString &path)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
        return QString();
    return QString::fromUtf8(reader.readAllStandardOutput()).simplified();
}

} // namespace

class TestCliReport : public QObject
{
    Q_OBJECT
    TTestFolder *env = nullptr;
    QString m_sum;
private slots:
    void initTestCase();
    void init();
    void cleanup() { delete env; }
    void lines_data();
    void lines();
    void csv();
    void pdf_data();
    void pdf();
    void refused_data();
    void refused();
};

// Nothing of a desktop session: no display, no platform named.
void TestCliReport::initTestCase()
{
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        qunsetenv(name);
}

void TestCliReport::init()
{
    env = new TTestFolder(QStringLiteral("Werk Nord"));
    const QStringList loopback{"ModbusTCPSlave_IP1=127", "ModbusTCPSlave_IP2=0", "ModbusTCPSlave_IP3=0",
                               "ModbusTCPSlave_IP4=1"};
    Make_Configuration(*env, QStringLiteral("Line 1 pump"), loopback + QStringList{"ModbusTCPSlave_Port=1502"});
    Make_Configuration(*env, QStringLiteral("Spare"), loopback + QStringList{"ModbusTCPSlave_Port=1504"});
    QCOMPARE(Run_Cli(env->Folder(), {"bank", "Line 1 pump"}).Status, 0);
    m_sum = QString::number(Image_Sum(env->Read_File(QStringLiteral("PROJECTS/Line 1 pump/bin/bank.bin"))));
    QVERIFY(env->Write_File(QStringLiteral("PROJECTS/Line 1 pump/Update.log"),
                            Update_Block("configuration, read-back on", "exit status 0", qPrintable(m_sum))));
    QVERIFY(env->Write_File(QStringLiteral("PROJECTS/Line 1 pump/Check.log"),
                            Check_Block("12:30:00", "answers with the configured map")));
    QFile italian(qEnvironmentVariable("VELMORA_DIST_DIR") + QStringLiteral("/LANGUAGE/Italiano.lng"));
    QVERIFY(italian.open(QIODevice::ReadOnly));
    QVERIFY(env->Write_File(QStringLiteral("LANGUAGE/Italiano.lng"), italian.readAll()));
}

void TestCliReport::lines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("out");
    QTest::newRow("every configuration") << QStringList{"report", "--all"} << QStringList{Commissioned, Unbuilt, Summary};
    QTest::newRow("one, in any letter case") << QStringList{"report", "spare"}
        << QStringList{Unbuilt, "1 configurations: 0 answer with their map, 0 fail, 1 not checked; 0 addresses shared"};
    QTest::newRow("in Italian, the check's verdict as recorded") << QStringList{"--language", "Italiano", "report", "Line 1 pump"}
        << QStringList{"Line 1 pump: messo in servizio; Indirizzo: 127.0.0.1:1502; Linea seriale: RS485/RS422, 115200, "
                       "8, NONE, Carattere finale; Impostazioni: OK; Immagine: attuale, somma dei byte {sum}; "
                       "Ultimo aggiornamento: 2026-03-04 12:00 eseguito; Ultima verifica: 2026-03-04 12:30 answers with "
                       "the configured map; Status Word: 17 (0x0011); Conteggio byte: 1 (0x0001)",
                       "1 configurazioni: 1 rispondono con la loro mappa, 0 falliscono, 0 non verificate; 0 indirizzi condivisi"};
}

void TestCliReport::lines()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, out);
    const TCli_Run run = Run_Cli(env->Folder(), arguments);
    QCOMPARE(run.Err, QStringList());
    QCOMPARE(run.Out, out.replaceInStrings(QStringLiteral("{sum}"), m_sum));
    QCOMPARE(run.Status, 0);
}

void TestCliReport::csv()
{
    const TCli_Run run = Run_Cli(env->Folder(), {"report", "--all", "--csv"});
    QCOMPARE(run.Status, 0);
    TCsv_Table table;
    int line = 0;
    QString error;
    QVERIFY2(Read_Csv_Table(run.Out.join(QLatin1Char('\n')).toUtf8(), table, line, error), qPrintable(error));
    QCOMPARE(table.Rows.size(), 3);
    QCOMPARE(table.Rows[0].Fields, (QStringList{"Configuration", "Address", "Serial Line", "Settings", "Image",
                                                "Last Update", "Last Check", "Status Word", "Byte Count", "State"}));
    QCOMPARE(table.Rows[1].Fields,
             (QStringList{"Line 1 pump", "127.0.0.1:1502", "RS485/RS422, 115200, 8, NONE, End Character", "OK",
                          "current, byte sum " + m_sum, "2026-03-04 12:00 done",
                          "2026-03-04 12:30 answers with the configured map", "17 (0x0011)", "1 (0x0001)",
                          "commissioned"}));
    QCOMPARE(table.Rows[2].Fields.last(), QStringLiteral("no image"));
}

void TestCliReport::pdf_data()
{
    QTest::addColumn<QByteArray>("display");   // "" none
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("expected");
    const QStringList english{"Commissioning Report", "Plant: Werk Nord", "Program: QV40318 1.102", Summary,
                              "Configuration Address Serial Line", "Line 1 pump", "commissioned", "Spare",
                              "no image", "Page 1 / 1"};
    QTest::newRow("no display") << QByteArray() << "English" << english;
    // A session's display that is gone by now (a closed SSH session's).
    QTest::newRow("a display that is gone") << QByteArray(":97") << "English" << english;
    QTest::newRow("Italian") << QByteArray() << "Italiano"
        << QStringList{"Rapporto di messa in servizio", "Impianto: Werk Nord", "Programma: QV40318 1.102",
                       "Configurazione Indirizzo Linea seriale", "messo in servizio", "Pagina 1 / 1"};
}

void TestCliReport::pdf()
{
    QFETCH(QByteArray, display);
    QFETCH(QString, language);
    QFETCH(QStringList, expected);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (Debian's poppler-utils) reads the report back; it is not installed here");
    if (!display.isEmpty())
        qputenv("DISPLAY", display);
    const TCli_Run run = Run_Cli(env->Folder(), {"--language", language, "report", "--all", "--pdf", "plant.pdf"});
    qunsetenv("DISPLAY");
    QCOMPARE(run.Err, QStringList());
    QCOMPARE(run.Status, 0);
    QCOMPARE(run.Out.size(), 1);
    const QString text = Pdf_Text(env->Path(QStringLiteral("plant.pdf")));
    for (const QString &part : expected)
        QVERIFY2(text.contains(part), qPrintable(part + QStringLiteral(" not in: ") + text));
}

void TestCliReport::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("err");
    const auto usage = [](const char *error) {
        return QStringList{QStringLiteral("velmora-cli: %1 (velmora-cli --help tells more)").arg(QLatin1String(error))};
    };
    QTest::newRow("no names") << QStringList{"report", "--pdf", "plant.pdf"} << 2
                              << usage("report takes configuration names or --all (one of the two)");
    QTest::newRow("--pdf elsewhere") << QStringList{"check", "--all", "--pdf", "plant.pdf"} << 2
                                     << usage("--pdf goes with report only");
    QTest::newRow("--csv elsewhere") << QStringList{"bank", "--all", "--csv"} << 2
                                     << usage("--csv goes with probe and report only");
    QTest::newRow("--pdf twice") << QStringList{"report", "--all", "--pdf", "a.pdf", "--pdf", "plant.pdf"} << 2
                                 << usage("--pdf is given more than once");
    // A report without a configuration asked for would pass for whole.
    QTest::newRow("a name that is no configuration") << QStringList{"report", "Spare", "Nowhere", "--pdf", "plant.pdf"}
        << 1 << QStringList{"Nowhere: no configuration of that name in \"{folder}/PROJECTS\""};
    QFile missing(QStringLiteral("no-such-folder/plant.pdf"));
    missing.open(QIODevice::WriteOnly);
    QTest::newRow("no such folder") << QStringList{"report", "--all", "--pdf", "no-such-folder/plant.pdf"} << 1
        << QStringList{"Cannot write \"" + QDir::toNativeSeparators(QStringLiteral("no-such-folder/plant.pdf")) + "\": "
                       + missing.errorString()};
}

// Nothing is written, and no part of a report is left.
void TestCliReport::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, err);
    const TCli_Run run = Run_Cli(env->Folder(), arguments);
    QCOMPARE(run.Err, With_Folder(env->Folder(), err));
    QCOMPARE(run.Out, QStringList());
    QCOMPARE(run.Status, status);
    QCOMPARE(QDir(env->Folder()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestCliReport)
#include "test_cli_report.moc"
