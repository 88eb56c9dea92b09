// The record of blocks (UBlock_Record): what an append keeps, the last blocks
// read from the end, things that are no file, and a lock held by another.
#include "TestFolder.h"

#include "common/UBlock_Record.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray New_Block = "=== B new\n";
const QByteArray No_File = "(no file)";

// Blocks "=== B 1" to "=== B count" of varying length, so that their marks
// fall at every distance from the edges of the chunks read from the end.
QByteArrayList Numbered(int count)
{
    QByteArrayList blocks;
    for (int i = 1; i <= count; ++i)
        blocks << "=== B " + QByteArray::number(i) + "\n" + QByteArray(i % 37, 'v') + "\n";
    return blocks;
}

// Lines of x, n bytes in all, the last ending the line.
QByteArray Lines_Of(int n)
{
    QByteArray bytes(n, 'x');
    for (int at = 79; at < n; at += 80)
        bytes[at] = '\n';
    bytes[n - 1] = '\n';
    return bytes;
}

// The record Some.log in a folder of its own, holding bytes (or no file).
class TRecord_Folder
{
public:
    TBlock_Record Record;
    explicit TRecord_Folder(const QByteArray &bytes)
    {
        Record.Path = m_dir.filePath(QStringLiteral("Some.log"));
        Record.Mark = "=== B ";
        QFile file(Record.Path);
        if (bytes != No_File && (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()))
            qFatal("cannot write %s", qPrintable(Record.Path));
    }
    QByteArray Bytes() const
    {
        QFile file(Record.Path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : No_File;
    }
    QStringList Entries() const { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden); }
    // text with {path} and {lock} as messages name them.
    QString Named(QString text) const
    {
        return text.replace(QStringLiteral("{path}"), QDir::toNativeSeparators(Record.Path))
            .replace(QStringLiteral("{lock}"), QDir::toNativeSeparators(Record.Path + QStringLiteral(".lock")));
    }

private:
    QTemporaryDir m_dir;
};

// An append is refused for reason, and so is a read when reading says so.
void Verify_Refused(const TRecord_Folder &folder, const QString &reason, bool reading)
{
    QString error;
    QVERIFY(!Append_Block(folder.Record, New_Block, &error));
    QCOMPARE(error, folder.Named(QStringLiteral("Cannot write \"{path}\": ") + reason));
    QByteArrayList blocks;
    QCOMPARE(Read_Last_Blocks(folder.Record, 1, blocks, &error), !reading);
    if (reading)
        QCOMPARE(error, folder.Named(QStringLiteral("Cannot read \"{path}\": ") + reason));
    else
        QCOMPARE(blocks, QByteArrayList{folder.Bytes()});
}

} // namespace

class TestBlockRecord : public QObject
{
    Q_OBJECT
private slots:
    void append_data();
    void append();
    void read_last_data();
    void read_last();
    void not_a_file_data();
    void not_a_file();
    void lock_held();
};

void TestBlockRecord::append_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("keep");
    QTest::addColumn<qint64>("maxRead");
    QTest::addColumn<QByteArray>("after");   // the file, or as it was when error
    QTest::addColumn<QString>("error");
    const qint64 big = 16 * 1024 * 1024;
    QTest::newRow("no file yet") << No_File << 3 << big << New_Block << QString();
    QTest::newRow("fewer than kept") << QByteArray("=== B 1\nx\n\n=== B 2\n") << 3 << big
                                     << "=== B 1\nx\n\n=== B 2\n" + New_Block << QString();
    QTest::newRow("the oldest dropped") << QByteArray("=== B 1\n=== B 2\n=== B 3\n") << 3 << big
                                        << "=== B 2\n=== B 3\n" + New_Block << QString();
    QTest::newRow("keep one") << QByteArray("=== B 1\n") << 1 << big << New_Block << QString();
    QTest::newRow("text before the blocks stays while there is room")
        << QByteArray("note\n=== B 1\n") << 3 << big << "note\n=== B 1\n" + New_Block << QString();
    QTest::newRow("text before the blocks goes with the oldest")
        << QByteArray("note\n=== B 1\n") << 2 << big << "=== B 1\n" + New_Block << QString();
    QTest::newRow("a mark inside a line opens no block")
        << QByteArray("=== B 1\nsee === B 2\n=== B 3\n") << 3 << big
        << "=== B 1\nsee === B 2\n=== B 3\n" + New_Block << QString();
    QTest::newRow("no line end at the end") << QByteArray("=== B 1\nhalf") << 3 << big
                                            << "=== B 1\nhalf\n" + New_Block << QString();
    const QByteArrayList many = Numbered(3000);
    QTest::newRow("many chunks back") << many.join() << 200 << big << many.mid(2801).join() + New_Block
                                      << QString();
    // The first read takes the last 4096 bytes.
    QTest::newRow("a block opening right at the first chunk's edge")
        << "=== B 1\n=== B 2\n" + Lines_Of(4088) << 2 << big << "=== B 2\n" + Lines_Of(4088) + New_Block
        << QString();
    QTest::newRow("a mark inside a line right at the first chunk's edge")
        << "=== B 1\nxx=== B 2\n" + Lines_Of(4088) << 2 << big
        << "=== B 1\nxx=== B 2\n" + Lines_Of(4088) + New_Block << QString();
    QTest::newRow("a mark across the first chunk's edge")
        << "=== B 1\n=== B 2\n" + Lines_Of(4091) << 2 << big << "=== B 2\n" + Lines_Of(4091) + New_Block
        << QString();
    QTest::newRow("blocks beyond the bytes read are dropped")
        << "=== B 1\n" + Lines_Of(100) + "=== B 2\nshort\n" << 10 << qint64(64) << "=== B 2\nshort\n" + New_Block
        << QString();
    QTest::newRow("no block in the bytes read") << Lines_Of(100) << 10 << qint64(64) << Lines_Of(100)
                                                << "Cannot write \"{path}\": no block starts in its last 64 bytes";
}

void TestBlockRecord::append()
{
    QFETCH(QByteArray, before);
    QFETCH(int, keep);
    QFETCH(qint64, maxRead);
    QFETCH(QByteArray, after);
    QFETCH(QString, error);
    TRecord_Folder folder(before);
    folder.Record.Keep = keep;
    folder.Record.Max_Read_Bytes = maxRead;
    const QStringList entries = folder.Entries();

    QString said;
    QCOMPARE(Append_Block(folder.Record, New_Block, &said), error.isEmpty());

    QCOMPARE(said, folder.Named(error));
    QCOMPARE(folder.Bytes(), after);
    // No lock file stays behind.
    if (before != No_File)
        QCOMPARE(folder.Entries(), entries);
}

void TestBlockRecord::read_last_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::addColumn<qint64>("maxRead");
    QTest::addColumn<QByteArrayList>("blocks");
    QTest::addColumn<QString>("error");
    const qint64 big = 16 * 1024 * 1024;
    QTest::newRow("no file yet") << No_File << 1 << big << QByteArrayList() << QString();
    QTest::newRow("the last") << QByteArray("=== B 1\n=== B 2\nx\n") << 1 << big << QByteArrayList{"=== B 2\nx\n"}
                              << QString();
    QTest::newRow("more than there are; text before the blocks is none")
        << QByteArray("note\n=== B 1\n\n=== B 2") << 5 << big << QByteArrayList{"=== B 1\n\n", "=== B 2"} << QString();
    const QByteArrayList many = Numbered(3000);
    QTest::newRow("many chunks back") << many.join() << 250 << big << many.mid(2750) << QString();
    QTest::newRow("no block in the bytes read") << "=== B 1\n" + Lines_Of(100) << 1 << qint64(64)
        << QByteArrayList() << "Cannot read \"{path}\": no block starts in its last 64 bytes";
}

void TestBlockRecord::read_last()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    QFETCH(qint64, maxRead);
    QFETCH(QByteArrayList, blocks);
    QFETCH(QString, error);
    TRecord_Folder folder(bytes);
    folder.Record.Max_Read_Bytes = maxRead;

    QByteArrayList read{"stale"};
    QString said;
    QCOMPARE(Read_Last_Blocks(folder.Record, count, read, &said), error.isEmpty());

    QCOMPARE(said, folder.Named(error));
    QCOMPARE(read, blocks);
}

// A pipe held the reader for ever and a device fed it without end: neither
// is read nor replaced, and each stays what it was.
void TestBlockRecord::not_a_file_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    const QString other = QStringLiteral("it is a pipe, a device or a socket, not a file");
    QTest::newRow("folder") << "folder" << "it is a folder, not a file";
    QTest::newRow("pipe") << "pipe" << other;
    QTest::newRow("device") << "device" << other;
    QTest::newRow("link to a device") << "link to a device" << other;
    QTest::newRow("link to nothing") << "link to nothing" << "it is a link to nothing, not a file";
}

void TestBlockRecord::not_a_file()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    if (!Non_File_Problem(kind).isEmpty())
        QSKIP(qPrintable(Non_File_Problem(kind)));
    TRecord_Folder folder(No_File);
    const QString path = folder.Record.Path;
    QVERIFY(Make_Non_File(path, kind));
    const QStringList entries = folder.Entries();
    const QFileInfo before(path);

    Verify_Refused(folder, reason, true);

    const QFileInfo after(path);
    QCOMPARE(folder.Entries(), entries);
    QCOMPARE(after.isDir(), before.isDir());
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.symLinkTarget(), before.symLinkTarget());
}

// Another holder of the lock is waited for only so long; then the file stays
// as it was and the message names the holder. Once it lets go, blocks land.
void TestBlockRecord::lock_held()
{
    TRecord_Folder folder("=== B 1\n");
    folder.Record.Lock_Wait_Ms = 300;
    QLockFile other(folder.Record.Path + QStringLiteral(".lock"));
    QVERIFY(other.tryLock());
    qint64 pid = 0;
    QString host;
    QString program;
    QVERIFY(other.getLockInfo(&pid, &host, &program));
    const QString holder = QStringLiteral("%1 (process %2 on %3) holds its lock \"{lock}\" and did not let go "
                                          "within 300 ms")
                               .arg(program)
                               .arg(pid)
                               .arg(host);

    // Only Windows, which cannot replace an open file, keeps readers out.
#ifdef Q_OS_WIN
    Verify_Refused(folder, holder, true);
#else
    Verify_Refused(folder, holder, false);
#endif
    QCOMPARE(folder.Bytes(), QByteArray("=== B 1\n"));

    other.unlock();
    QString error;
    QVERIFY(Append_Block(folder.Record, New_Block, &error));
    QCOMPARE(folder.Bytes(), "=== B 1\n" + New_Block);
}

QTEST_GUILESS_MAIN(TestBlockRecord)
#include "test_block_record.moc"
