// Check.log on a full disk: the reason told, the earlier blocks kept, no save file left behind.
#include "TestFolder.h"
#include "TestMounts.h"

#include "check/UCheck_Log.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestCheckLogFaults : public TMounts_Test
{
    Q_OBJECT
private slots:
    void full_disk()
    {
        QTemporaryDir folder;
        TTestMounts mounts;
        QVERIFY2(mounts.Tmpfs(folder.path(), 64), qPrintable(mounts.Error));
        const QString log = Check_Log_Path(folder.path());
        const QByteArray older = "=== Check older\nVerdict: no answer, 3 ms\n\n";
        QFile file(log);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(older) == older.size());
        file.close();
        QVERIFY2(mounts.Fill(folder.path()), qPrintable(mounts.Error));
        const QStringList before = Folder_Entries(folder.path());

        // A request that cannot be checked still gets its block.
        QString error;
        const TCheck_Result result = Run_Recorded_Check(TCheck_Request(), log, &error);

        QCOMPARE(result.Verdict, TCheck_Verdict::Not_Checked);
        QVERIFY2(error.contains(QDir::toNativeSeparators(log)) && error.contains(QStringLiteral("No space left")),
                 qPrintable(error));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), older);
        QCOMPARE(Folder_Entries(folder.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestCheckLogFaults)
#include "test_check_log_faults.moc"
