// Update.log: the block of each way a run of the update road ends, read back
// as it was written; what the configuration held; the last 200 kept.
#include "TestFolder.h"

#include "common/UComon.h"
#include "update/UUpdate_Log.h"

#include <QDir>
#include <QtTest>

Q_DECLARE_METATYPE(TUpdate_End)
Q_DECLARE_METATYPE(TRun_End)

namespace {

const QDateTime Noon(QDate(2026, 3, 4), QTime(12, 5, 6), Qt::OffsetFromUTC, -(3 * 3600 + 30 * 60));

TUpdate_Run Run(TUpdate_End end, int code, const QString &detail)
{
    TUpdate_Run run;
    run.Started = Noon;
    run.Device_Address = QStringLiteral("127.0.0.1");
    run.Configured_Address = QStringLiteral("192.168.0.21");
    run.Option = 2;
    run.With_Read_Back = true;
    run.Has_Byte_Sum = true;
    run.Byte_Sum = 0x2CBA4;
    run.End = end;
    run.Code = code;
    run.Detail = detail;
    return run;
}

QByteArray Block(const char *result)
{
    return QByteArray("=== Update 2026-03-04 12:05:06 -03:30\n"
                      "Device: 127.0.0.1\n"
                      "Configuration: 192.168.0.21\n"
                      "Asked: configuration, read-back on\n"
                      "Image: bin/bank.bin, byte sum 183204 (0x0002CBA4)\n"
                      "Result: ")
           + result + "\n\n";
}

} // namespace

class TestUpdateLog : public QObject
{
    Q_OBJECT
private slots:
    void each_end_data();
    void each_end();
    void runner_ends_data();
    void runner_ends();
    void configuration_noted_data();
    void configuration_noted();
    void last_200_kept();
    void newest_block_read_data();
    void newest_block_read();
};

void TestUpdateLog::each_end_data()
{
    QTest::addColumn<TUpdate_End>("end");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("succeeded") << TUpdate_End::Exited << 0 << QString() << QByteArray("exit status 0");
    QTest::newRow("failed") << TUpdate_End::Exited << 3 << QString() << QByteArray("exit status 3");
    QTest::newRow("killed") << TUpdate_End::Signalled << 9 << QString() << QByteArray("ended by signal 9");
    QTest::newRow("end not had") << TUpdate_End::Exit_Unknown << 0 << QString()
                                 << QByteArray("ended; its exit status could not be had");
    QTest::newRow("timed out") << TUpdate_End::Timed_Out << 150 << QString()
                               << QByteArray("timed out: still running after 150 s, left running");
    QTest::newRow("no echo answer") << TUpdate_End::No_Echo_Answer << 0 << QString()
                                    << QByteArray("not run: the device did not answer the echo requests");
    QTest::newRow("no echo sent") << TUpdate_End::Echo_Not_Sent << 0 << QString()
                                  << QByteArray("not run: no echo request could be sent to the address");
    QTest::newRow("cancelled") << TUpdate_End::Cancelled << 0 << QString()
                               << QByteArray("not run: the dialog was closed during the echo requests");
    // A reason over two lines stays on the result's line.
    QTest::newRow("job file") << TUpdate_End::Job_Not_Written << 0 << "Cannot write \"/p/Ethernet_Update.xml\":\nfull"
                              << QByteArray("not run: the job file could not be written: Cannot write "
                                            "\"/p/Ethernet_Update.xml\": full");
    QTest::newRow("no updater") << TUpdate_End::Updater_Not_Found << 0 << "/p/Ethernet_Update"
                                << QByteArray("not run: no updater at /p/Ethernet_Update");
    QTest::newRow("not started") << TUpdate_End::Updater_Not_Started << 0 << "/p/Ethernet_Update"
                                 << QByteArray("not run: the updater at /p/Ethernet_Update could not be started");
}

void TestUpdateLog::each_end()
{
    QFETCH(TUpdate_End, end);
    QFETCH(int, code);
    QFETCH(QString, detail);
    QFETCH(QByteArray, result);
    const TUpdate_Run run = Run(end, code, detail);
    const QByteArray block = Update_Log_Block(run);
    QCOMPARE(block, Block(result.constData()));

    TUpdate_Run read;
    QVERIFY(Read_Update_Block(block, read));
    QCOMPARE(read.Started, Noon);
    QCOMPARE(read.Started.offsetFromUtc(), Noon.offsetFromUtc());
    QCOMPARE(read.Device_Address, run.Device_Address);
    QCOMPARE(read.Configured_Address, run.Configured_Address);
    QCOMPARE(read.Option, 2);
    QVERIFY(read.With_Read_Back);
    QVERIFY(read.Writes_Configuration());
    QCOMPARE(read.Byte_Sum, run.Byte_Sum);
    QCOMPARE(read.End, end);
    QCOMPARE(read.Code, code);
    QCOMPARE(read.Detail, detail.replace(QLatin1Char('\n'), QLatin1Char(' ')));
    QCOMPARE(read.Succeeded(), end == TUpdate_End::Exited && code == 0);
}

void TestUpdateLog::runner_ends_data()
{
    QTest::addColumn<TRun_End>("ran");
    QTest::addColumn<int>("runCode");
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("exit status") << TRun_End::Exited << 2 << QByteArray("exit status 2");
    QTest::newRow("signal") << TRun_End::Signalled << 15 << QByteArray("ended by signal 15");
    QTest::newRow("unknown") << TRun_End::Exit_Unknown << 0 << QByteArray("ended; its exit status could not be had");
    QTest::newRow("not found") << TRun_End::Not_Found << 0 << QByteArray("not run: no updater at /p/Ethernet_Update");
    QTest::newRow("not started") << TRun_End::Not_Started << 0
                                 << QByteArray("not run: the updater at /p/Ethernet_Update could not be started");
    QTest::newRow("limit in seconds") << TRun_End::Timed_Out << 0
                                      << QByteArray("timed out: still running after 150 s, left running");
}

void TestUpdateLog::runner_ends()
{
    QFETCH(TRun_End, ran);
    QFETCH(int, runCode);
    QFETCH(QByteArray, result);
    TUpdate_Run run = Run(TUpdate_End::Cancelled, 0, QString());
    Set_Updater_End(run, {ran, runCode, ran == TRun_End::Timed_Out ? 150000 : 0},
                    QStringLiteral("/p/Ethernet_Update"));
    // The path as the system writes paths.
    QCOMPARE(Update_Log_Block(run).replace('\\', '/'), Block(result.constData()));
}

void TestUpdateLog::configuration_noted_data()
{
    QTest::addColumn<QByteArray>("parGen");   // "-": none
    QTest::addColumn<QByteArray>("bank");     // "-": none
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("image");
    const QByteArray address = "<Par_Gen><ModbusTCPSlave_IP1>10</ModbusTCPSlave_IP1><ModbusTCPSlave_IP4>50"
                               "</ModbusTCPSlave_IP4></Par_Gen>";
    QByteArray image(2048, '\x01');
    image.replace(2044, 4, QByteArray("\xFC\x07\x00\x00", 4));   // 2044 ones
    QTest::newRow("both") << address << image << "Configuration: 10.168.0.50"
                          << "Image: bin/bank.bin, byte sum 2044 (0x000007FC)";
    QTest::newRow("neither") << QByteArray("-") << QByteArray("-") << "Configuration: none: there is no ParGen.xml"
                             << "Image: none: there is no bin/bank.bin";
    QTest::newRow("no address, short image")
        << QByteArray("<Par_Gen><ModbusTCPSlave_IP2>300</ModbusTCPSlave_IP2></Par_Gen>") << QByteArray(100, 'x')
        << "Configuration: none: the address fields of ParGen.xml hold no address"
        << "Image: none: \"{bank}\" is no image: it is 100 bytes long, not 2048";
    QTest::newRow("damaged file, wrong sum") << QByteArray("<Par_Gen>") << QByteArray(2048, '\x01')
        << "Configuration: none: \"{parGen}\" is not valid XML: Premature end of document. (line 1, column 9)"
        << "Image: none: \"{bank}\" is no image: its last four bytes are not the byte sum of the others";
}

void TestUpdateLog::configuration_noted()
{
    QFETCH(QByteArray, parGen);
    QFETCH(QByteArray, bank);
    QFETCH(QString, configuration);
    QFETCH(QString, image);
    TTestFolder folder;
    if (parGen != "-")
        QVERIFY(folder.Write_File(QStringLiteral("ParGen.xml"), parGen));
    if (bank != "-")
        QVERIFY(folder.Write_File(QStringLiteral("bin/bank.bin"), bank));
    TUpdate_Run run;
    run.Started = Noon;
    Note_Configuration(run, folder.Folder());
    const QStringList lines = QString::fromUtf8(Update_Log_Block(run)).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(2), configuration.replace(QStringLiteral("{parGen}"),
                                                   QDir::toNativeSeparators(folder.Path(QStringLiteral("ParGen.xml")))));
    QCOMPARE(lines.value(4), image.replace(QStringLiteral("{bank}"),
                                           QDir::toNativeSeparators(folder.Path(QStringLiteral("bin/bank.bin")))));
}

void TestUpdateLog::last_200_kept()
{
    TTestFolder folder;
    const QString path = Update_Log_Path(folder.Folder());
    QByteArray full;
    for (int i = 0; i < 200; ++i)
        full += Block(qPrintable(QStringLiteral("exit status %1").arg(i)));
    QVERIFY(folder.Write_File(QStringLiteral("Update.log"), full));
    QString error;
    for (int i = 200; i < 202; ++i)
        QVERIFY2(Append_Update_Log(path, Run(TUpdate_End::Exited, i, QString()), &error), qPrintable(error));
    const QByteArray text = folder.Read_File(QStringLiteral("Update.log"));
    QCOMPARE(text.count("=== Update "), 200);
    QVERIFY(text.startsWith(Block("exit status 2")));
    QVERIFY(text.endsWith(Block("exit status 200") + Block("exit status 201")));
    bool found = false;
    TUpdate_Run last;
    QVERIFY2(Read_Last_Update(path, found, last, &error), qPrintable(error));
    QVERIFY(found);
    QCOMPARE(last.Code, 201);
}

void TestUpdateLog::newest_block_read_data()
{
    QTest::addColumn<QByteArray>("record");   // "-": no file
    QTest::addColumn<bool>("read");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("code");
    QTest::newRow("no record yet") << QByteArray("-") << true << false << 0;
    QTest::newRow("newest after a damaged one")
        << QByteArray("=== Update garbage\n\n") + Block("exit status 7") << true << true << 7;
    QTest::newRow("newest damaged") << Block("exit status 7") + "=== Update 2026-03-04 12:05:06 +01:00\nResult: ?\n"
                                    << false << true << 0;
    // A line given twice: the first is the block's.
    QTest::newRow("result twice") << QByteArray("=== Update 2026-03-04 12:05:06 +01:00\nResult: exit status 7\n"
                                                "Result: ended by signal 9\n\n")
                                  << true << true << 7;
    QTest::newRow("no time") << QByteArray("=== Update yesterday\nResult: exit status 0\n") << false << true << 0;
}

void TestUpdateLog::newest_block_read()
{
    QFETCH(QByteArray, record);
    QFETCH(bool, read);
    QFETCH(bool, found);
    QFETCH(int, code);
    TTestFolder folder;
    if (record != "-")
        QVERIFY(folder.Write_File(QStringLiteral("Update.log"), record));
    bool had = false;
    TUpdate_Run last;
    QString error;
    QCOMPARE(Read_Last_Update(Update_Log_Path(folder.Folder()), had, last, &error), read);
    QCOMPARE(had, found);
    QCOMPARE(error.isEmpty(), read);
    if (read && found)
        QCOMPARE(last.Code, code);
}

QTEST_GUILESS_MAIN(TestUpdateLog)
#include "test_update_log.moc"
