// ParGen.xml on disk: its defaults byte for byte, reading, saving, and damaged or unwritable files.
#include "TestData.h"
#include "TestFolder.h"

#include "common/UComon.h"
#include "params/UParGen_File.h"

#include <QDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

// The defaults as the file holds them, written out by hand in file order.
static const char Default_Elements[] =
    "<Serial_Serial>1</Serial_Serial><Serial_Baud>7</Serial_Baud><Serial_Parity>0</Serial_Parity>"
    "<Serial_Send_Type>0</Serial_Send_Type><Serial_End_Char>13</Serial_End_Char>"
    "<Serial_Num_Byte>1024</Serial_Num_Byte><Serial_TimeOut_RX>0</Serial_TimeOut_RX>"
    "<Serial_DataBits>1</Serial_DataBits><Serial_Time_Wait_RX_En>0</Serial_Time_Wait_RX_En>"
    "<Serial_Time_Wait_RX_Time>20</Serial_Time_Wait_RX_Time>"
    "<ModbusTCPSlave_IP1>192</ModbusTCPSlave_IP1><ModbusTCPSlave_IP2>168</ModbusTCPSlave_IP2>"
    "<ModbusTCPSlave_IP3>0</ModbusTCPSlave_IP3><ModbusTCPSlave_IP4>10</ModbusTCPSlave_IP4>"
    "<ModbusTCPSlave_SM1>255</ModbusTCPSlave_SM1><ModbusTCPSlave_SM2>255</ModbusTCPSlave_SM2>"
    "<ModbusTCPSlave_SM3>255</ModbusTCPSlave_SM3><ModbusTCPSlave_SM4>0</ModbusTCPSlave_SM4>"
    "<ModbusTCPSlave_GAT1>192</ModbusTCPSlave_GAT1><ModbusTCPSlave_GAT2>168</ModbusTCPSlave_GAT2>"
    "<ModbusTCPSlave_GAT3>0</ModbusTCPSlave_GAT3><ModbusTCPSlave_GAT4>1</ModbusTCPSlave_GAT4>"
    "<ModbusTCPSlave_En_GAT>0</ModbusTCPSlave_En_GAT><ModbusTCPSlave_Port>502</ModbusTCPSlave_Port>"
    "<ModbusTCPSlave_Start_Read>1</ModbusTCPSlave_Start_Read>"
    "<ModbusTCPSlave_Start_Write>1</ModbusTCPSlave_Start_Write>"
    "<ModbusTCPSlave_Control_Word>0</ModbusTCPSlave_Control_Word>"
    "<ModbusTCPSlave_Status_Word>0</ModbusTCPSlave_Status_Word>"
    "<ModbusTCPSlave_Enable_NumByteRX>1</ModbusTCPSlave_Enable_NumByteRX>"
    "<ModbusTCPSlave_NumByteRX>1</ModbusTCPSlave_NumByteRX>";

static QByteArray Default_File()
{
    return QByteArray("<Par_Gen>") + Default_Elements
           + "</Par_Gen><!--SW_VERSION = 1.102-->";
}

static QStringList Encoded(const TParGen_Values &values)
{
    QStringList texts;
    for (int id = 0; id < ParGen_Count; ++id)
        texts << Encode_ParGen_Value(id, values[id]);
    return texts;
}

// The defaults with "Element=text" changes, each encoded as the file holds it.
static QStringList Defaults_With(const QStringList &changes)
{
    QStringList texts = Encoded(ParGen_Defaults());
    for (const QString &change : changes) {
        const int id = Id_Of(change.section(QLatin1Char('='), 0, 0));
        Q_ASSERT(id >= 0);
        texts[id] = change.section(QLatin1Char('='), 1);
    }
    return texts;
}

class TestParGenFile : public QObject
{
    Q_OBJECT
private slots:
    void defaults_written_exactly();
    void reading_data();
    void reading();
    void next_save_writes_all_thirty_in_order();
    void values_survive_a_save_and_load();
    void missing_file_gives_defaults();
    void damaged_file_is_reported_and_never_overwritten_data();
    void damaged_file_is_reported_and_never_overwritten();
    void write_failure_names_file_and_reason();
    void write_failure_keeps_old_file();
};

void TestParGenFile::defaults_written_exactly()
{
    TTestFolder dir;
    const QString path = dir.Path(QStringLiteral("ParGen.xml"));
    TXMLDocument doc;
    QString error;
    QVERIFY2(Save_ParGen(doc, path, ParGen_Defaults(), &error), qPrintable(error));
    QCOMPARE(dir.Read_File(QStringLiteral("ParGen.xml")), Default_File());
}

void TestParGenFile::reading_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QStringList>("changes");

    QTest::newRow("root without elements") << QByteArray("<Par_Gen/>") << QStringList();
    QTest::newRow("partial")
        << QByteArray("<Par_Gen><Serial_Baud>3</Serial_Baud><ModbusTCPSlave_IP4>20</ModbusTCPSlave_IP4></Par_Gen>")
        << QStringList{"Serial_Baud=3", "ModbusTCPSlave_IP4=20"};
    QTest::newRow("other order, extras, first namesake wins")
        << QByteArray("<Par_Gen><ModbusTCPSlave_Port>503</ModbusTCPSlave_Port><Extra>9</Extra>"
                      "<ModbusTCPSlave_Port>504</ModbusTCPSlave_Port><Serial_Parity>2</Serial_Parity>"
                      "<serial_parity>1</serial_parity></Par_Gen>")
        << QStringList{"ModbusTCPSlave_Port=503", "Serial_Parity=2"};
    QTest::newRow("another root name")
        << QByteArray("<Settings><Serial_Serial>0</Serial_Serial></Settings>")
        << QStringList{"Serial_Serial=0"};
    QTest::newRow("elements below another element are not read")
        << QByteArray("<Par_Gen><Group><Serial_Serial>0</Serial_Serial></Group></Par_Gen>") << QStringList();
    QTest::newRow("empty elements")
        << QByteArray("<Par_Gen><Serial_Baud/><ModbusTCPSlave_En_GAT></ModbusTCPSlave_En_GAT>"
                      "<ModbusTCPSlave_Enable_NumByteRX/><ModbusTCPSlave_Port/></Par_Gen>")
        << QStringList{"ModbusTCPSlave_Enable_NumByteRX=0", "ModbusTCPSlave_Port="};
    QTest::newRow("elements with children keep their defaults")
        << QByteArray("<Par_Gen><ModbusTCPSlave_Port><v>1</v></ModbusTCPSlave_Port>"
                      "<ModbusTCPSlave_Enable_NumByteRX><x/></ModbusTCPSlave_Enable_NumByteRX>"
                      "<Serial_Baud>2<b/></Serial_Baud><Serial_Parity>1</Serial_Parity></Par_Gen>")
        << QStringList{"Serial_Parity=1"};
    QTest::newRow("list index by the integer rule, no range test")
        << QByteArray("<Par_Gen><Serial_Baud>abc</Serial_Baud><Serial_Parity>9</Serial_Parity>"
                      "<Serial_DataBits> 0</Serial_DataBits><Serial_Send_Type>$2</Serial_Send_Type>"
                      "<Serial_Serial>0 </Serial_Serial></Par_Gen>")
        << QStringList{"Serial_Parity=9", "Serial_DataBits=0", "Serial_Send_Type=2"};
    QTest::newRow("negative list index")
        << QByteArray("<Par_Gen><Serial_Baud>-1</Serial_Baud></Par_Gen>") << QStringList{"Serial_Baud=-1"};
    QTest::newRow("flags only on for exactly 1")
        << QByteArray("<Par_Gen><ModbusTCPSlave_En_GAT>true</ModbusTCPSlave_En_GAT>"
                      "<Serial_Time_Wait_RX_En> 1</Serial_Time_Wait_RX_En>"
                      "<ModbusTCPSlave_Enable_NumByteRX>0</ModbusTCPSlave_Enable_NumByteRX></Par_Gen>")
        << QStringList{"ModbusTCPSlave_Enable_NumByteRX=0"};
    QTest::newRow("flags on")
        << QByteArray("<Par_Gen><ModbusTCPSlave_En_GAT>1</ModbusTCPSlave_En_GAT>"
                      "<Serial_Time_Wait_RX_En>1</Serial_Time_Wait_RX_En></Par_Gen>")
        << QStringList{"ModbusTCPSlave_En_GAT=1", "Serial_Time_Wait_RX_En=1"};
    QTest::newRow("number texts unchanged")
        << QByteArray("<Par_Gen><Serial_TimeOut_RX>abc</Serial_TimeOut_RX>"
                      "<ModbusTCPSlave_IP1> 7 </ModbusTCPSlave_IP1><Serial_End_Char>$0D</Serial_End_Char>"
                      "<ModbusTCPSlave_Port>5&lt;02</ModbusTCPSlave_Port></Par_Gen>")
        << QStringList{"Serial_TimeOut_RX=abc", "ModbusTCPSlave_IP1= 7 ", "Serial_End_Char=$0D",
                       "ModbusTCPSlave_Port=5<02"};
}

void TestParGenFile::reading()
{
    QFETCH(QByteArray, xml);
    QFETCH(QStringList, changes);
    TTestFolder dir;
    const QString path = dir.Path(QStringLiteral("ParGen.xml"));
    QVERIFY(dir.Write_File(QStringLiteral("ParGen.xml"), xml));
    TXMLDocument doc;
    TParGen_Values values;
    QString error;
    QVERIFY2(Load_ParGen(doc, path, values, &error), qPrintable(error));
    QCOMPARE(Encoded(values), Defaults_With(changes));
}

void TestParGenFile::next_save_writes_all_thirty_in_order()
{
    TTestFolder dir;
    const QString path = dir.Path(QStringLiteral("ParGen.xml"));
    QVERIFY(dir.Write_File(QStringLiteral("ParGen.xml"), "<Old><Extra>1</Extra><ModbusTCPSlave_NumByteRX>7</ModbusTCPSlave_NumByteRX></Old>"));
    TXMLDocument doc;
    TParGen_Values values;
    QVERIFY(Load_ParGen(doc, path, values, nullptr));
    QVERIFY(Save_ParGen(doc, path, values, nullptr));
    QByteArray expected = Default_File();
    expected.replace("<ModbusTCPSlave_NumByteRX>1<", "<ModbusTCPSlave_NumByteRX>7<");
    QCOMPARE(dir.Read_File(QStringLiteral("ParGen.xml")), expected);
}

void TestParGenFile::values_survive_a_save_and_load()
{
    TTestFolder dir;
    const QString path = dir.Path(QStringLiteral("ParGen.xml"));
    TParGen_Values values = ParGen_Defaults();
    values[PG_Serial_Baud].Index = -1;   // a list without selection
    values[PG_Serial_Parity].Index = 2;
    values[PG_ModbusTCPSlave_En_GAT].Flag = true;
    values[PG_ModbusTCPSlave_Enable_NumByteRX].Flag = false;
    values[PG_ModbusTCPSlave_IP1].Text = QStringLiteral(" 7");
    values[PG_Serial_TimeOut_RX].Text = QStringLiteral("a&b <c>");
    values[PG_ModbusTCPSlave_Port].Text = QString();
    TXMLDocument doc;
    QVERIFY(Save_ParGen(doc, path, values, nullptr));
    QVERIFY(dir.Read_File(QStringLiteral("ParGen.xml")).contains("<Serial_Baud>-1</Serial_Baud>"));
    TXMLDocument other;
    TParGen_Values back;
    QVERIFY(Load_ParGen(other, path, back, nullptr));
    QCOMPARE(Encoded(back), Encoded(values));
}

void TestParGenFile::missing_file_gives_defaults()
{
    TTestFolder dir;
    TXMLDocument doc;
    TParGen_Values values;
    values[PG_Serial_Baud].Index = 3;
    QString error;
    QVERIFY(Load_ParGen(doc, dir.Path(QStringLiteral("ParGen.xml")), values, &error));
    QCOMPARE(Encoded(values), Encoded(ParGen_Defaults()));
    QVERIFY(error.isEmpty());
}

void TestParGenFile::damaged_file_is_reported_and_never_overwritten_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("cut short") << QByteArray("<Par_Gen><Serial_Baud>3</Serial_Baud>");
    QTest::newRow("not XML") << QByteArray("Serial_Baud=3");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("two roots") << QByteArray("<Par_Gen/><Par_Gen/>");
}

void TestParGenFile::damaged_file_is_reported_and_never_overwritten()
{
    QFETCH(QByteArray, bytes);
    TTestFolder dir;
    const QString path = dir.Path(QStringLiteral("ParGen.xml"));
    QVERIFY(dir.Write_File(QStringLiteral("ParGen.xml"), bytes));
    TXMLDocument doc;
    TParGen_Values values;
    QString loadError;
    QVERIFY(!Load_ParGen(doc, path, values, &loadError));
    QVERIFY2(loadError.contains(QDir::toNativeSeparators(path)), qPrintable(loadError));

    QString saveError;
    QVERIFY(!Save_ParGen(doc, path, ParGen_Defaults(), &saveError));
    QCOMPARE(saveError, loadError);
    QCOMPARE(dir.Read_File(QStringLiteral("ParGen.xml")), bytes);
}

void TestParGenFile::write_failure_names_file_and_reason()
{
    TTestFolder dir;
    const QString path = dir.Path(QStringLiteral("gone/ParGen.xml"));
    TXMLDocument doc;
    QString error;
    QVERIFY(!Save_ParGen(doc, path, ParGen_Defaults(), &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QVERIFY2(error.size() > QDir::toNativeSeparators(path).size() + 20, qPrintable(error));
    QVERIFY(!dir.Exists(QStringLiteral("gone")));
}

void TestParGenFile::write_failure_keeps_old_file()
{
#ifdef Q_OS_LINUX
    // A file-size limit below the new file's size makes the write itself fail.
    TTestFolder dir;
    const QString path = dir.Path(QStringLiteral("ParGen.xml"));
    const QByteArray old("<Par_Gen><Serial_Baud>3</Serial_Baud></Par_Gen>");
    QVERIFY(dir.Write_File(QStringLiteral("ParGen.xml"), old));
    rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 200;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    TXMLDocument doc;
    QString error;
    const bool written = Save_ParGen(doc, path, ParGen_Defaults(), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(!written);
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(dir.Read_File(QStringLiteral("ParGen.xml")), old);
    QCOMPARE(QDir(dir.Folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"ParGen.xml"});
#else
    QSKIP("needs a per-process file-size limit");
#endif
}

QTEST_GUILESS_MAIN(TestParGenFile)
#include "test_pargen_file.moc"
