#include "common/UBlock_Record.h"

#include "common/UXmlDoc.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace {

// Reading from the end starts small (a block is a few hundred bytes) and
// doubles, so a few reads reach back as far as the blocks wanted go.
constexpr qint64 First_Chunk = 4096;
constexpr qint64 Largest_Chunk = 1024 * 1024;

QString Failure(const char *verb, const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot %1 \"%2\": %3").arg(QLatin1String(verb), QDir::toNativeSeparators(path), reason);
}

bool Fail(QString *error, const char *verb, const QString &path, const QString &reason)
{
    if (error)
        *error = Failure(verb, path, reason);
    return false;
}

// Windows cannot replace a file that is open, so there a reader keeps the
// writers off while it reads; elsewhere a writer's save file replaces the
// file whole, and a reader's open one reads on as it was.
#ifdef Q_OS_WIN
constexpr bool Readers_Lock = true;
#else
constexpr bool Readers_Lock = false;
#endif

enum class TLock_Outcome { Taken, Busy, Refused };

// Takes the record's lock, waiting for another holder up to the record's
// wait. Busy: another holds it still; Refused: none can be made here. why
// says which, in the user's words.
TLock_Outcome Take_Lock(QLockFile &lock, const TBlock_Record &record, QString &why)
{
    if (lock.tryLock(record.Lock_Wait_Ms))
        return TLock_Outcome::Taken;
    const QString system = qt_error_string();
    const QString lockPath = QDir::toNativeSeparators(lock.fileName());
    if (lock.error() != QLockFile::LockFailedError) {
        why = QStringLiteral("no lock \"%1\" can be made beside it: %2").arg(lockPath, system);
        return TLock_Outcome::Refused;
    }
    qint64 pid = 0;
    QString host;
    QString program;
    const QString holder = lock.getLockInfo(&pid, &host, &program)
                               ? QStringLiteral("%1 (process %2 on %3)")
                                     .arg(program.isEmpty() ? QStringLiteral("another program") : program)
                                     .arg(pid)
                                     .arg(host)
                               : QStringLiteral("another program");
    why = QStringLiteral("%1 holds its lock \"%2\" and did not let go within %3 ms")
              .arg(holder, lockPath)
              .arg(record.Lock_Wait_Ms);
    return TLock_Outcome::Busy;
}

// What path is when it is neither a file (or a link to one) nor missing; ""
// otherwise. A pipe would hold a reader for ever, a device feed it without end.
QString Not_A_File(const QString &path)
{
    const QFileInfo info(path);
    if (info.isFile() || (!info.exists() && !info.isSymLink()))
        return QString();
    if (info.isDir())
        return QStringLiteral("it is a folder, not a file");
    if (!info.exists())
        return QStringLiteral("it is a link to nothing, not a file");
    return QStringLiteral("it is a pipe, a device or a socket, not a file");
}

struct TTail
{
    QByteArray Bytes;         // the file from Start to its end
    qint64 Start = 0;
    QList<qsizetype> Marks;   // where blocks open in Bytes, oldest first
};

// Reads file from its end until count blocks open in what was read, or its
// start or the record's Max_Read_Bytes is reached.
bool Read_Tail(QFile &file, const TBlock_Record &record, int count, TTail &tail, QString &why)
{
    const qint64 size = file.size();
    const qint64 floor = qMax<qint64>(0, size - record.Max_Read_Bytes);
    tail.Start = size;
    qint64 chunk = First_Chunk;
    while (tail.Marks.size() < count && tail.Start > floor) {
        const qint64 from = qMax(floor, tail.Start - chunk);
        const QByteArray part = file.seek(from) ? file.read(tail.Start - from) : QByteArray();
        if (part.size() != tail.Start - from) {
            why = file.error() != QFileDevice::NoError ? file.errorString()
                                                       : QStringLiteral("it grew shorter while it was read");
            return false;
        }
        tail.Bytes.prepend(part);
        tail.Start = from;
        // The new part's marks, and the old part's first one now that the
        // byte before it is known; those after it were counted already.
        const QByteArrayView scanned =
            QByteArrayView(tail.Bytes).first(qMin(tail.Bytes.size(), part.size() + record.Mark.size()));
        QList<qsizetype> marks;
        for (qsizetype at = scanned.indexOf(record.Mark); at >= 0; at = scanned.indexOf(record.Mark, at + 1)) {
            if (at > 0 ? tail.Bytes.at(at - 1) == '\n' : from == 0)
                marks.append(at);
        }
        for (const qsizetype at : std::as_const(tail.Marks))
            marks.append(at + part.size());
        tail.Marks = marks;
        chunk = qMin(chunk * 2, Largest_Chunk);
    }
    return true;
}

// Takes the record's lock where it is needed and checks that its path is a
// file or nothing yet; false, with error, when the lock is not had or the
// path is something else. A reader goes without a lock where none can be
// made: no writer can replace the file there either.
bool Prepare(QLockFile &lock, const TBlock_Record &record, bool reading, QString *error)
{
    const char *verb = reading ? "read" : "write";
    QString why;
    const TLock_Outcome outcome = reading && !Readers_Lock ? TLock_Outcome::Refused : Take_Lock(lock, record, why);
    if (outcome == TLock_Outcome::Busy || (outcome == TLock_Outcome::Refused && !reading))
        return Fail(error, verb, record.Path, why);
    why = Not_A_File(record.Path);
    return why.isEmpty() || Fail(error, verb, record.Path, why);
}

// The end of the record that holds its last count blocks, as Read_Tail
// reads it; nothing when there is no file yet. False, with error, when it
// cannot be read or no block starts in the bytes read.
bool Tail_Of(const TBlock_Record &record, int count, bool reading, TTail &tail, QString *error)
{
    QFile file(record.Path);
    if (!file.exists())
        return true;
    QString why;
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, "read", record.Path, file.errorString());
    if (!Read_Tail(file, record, count, tail, why))
        return Fail(error, "read", record.Path, why);
    if (count > 0 && tail.Marks.isEmpty() && tail.Start > 0)
        return Fail(error, reading ? "read" : "write", record.Path,
                    QStringLiteral("no block starts in its last %1 bytes").arg(record.Max_Read_Bytes));
    return true;
}

} // namespace

bool Append_Block(const TBlock_Record &record, const QByteArray &block, QString *error)
{
    QLockFile lock(record.Path + QStringLiteral(".lock"));
    const int wanted = qMax(0, record.Keep - 1);
    TTail tail;
    if (!Prepare(lock, record, false, error) || !Tail_Of(record, wanted, false, tail, error))
        return false;
    // Text before the first block goes only with the blocks after it.
    QByteArray kept;
    if (tail.Start == 0 && tail.Marks.size() < wanted)
        kept = tail.Bytes;
    else if (wanted > 0)
        kept = tail.Bytes.mid(tail.Marks.at(qMax<qsizetype>(0, tail.Marks.size() - wanted)));
    if (!kept.isEmpty() && !kept.endsWith('\n'))
        kept += '\n';
    return Save_Whole_File(record.Path, kept + block, error);
}

bool Read_Last_Blocks(const TBlock_Record &record, int count, QList<QByteArray> &blocks, QString *error)
{
    blocks.clear();
    QLockFile lock(record.Path + QStringLiteral(".lock"));
    TTail tail;
    if (!Prepare(lock, record, true, error) || !Tail_Of(record, count, true, tail, error))
        return false;
    for (qsizetype i = qMax<qsizetype>(0, tail.Marks.size() - count); i < tail.Marks.size(); ++i) {
        const qsizetype end = i + 1 < tail.Marks.size() ? tail.Marks.at(i + 1) : tail.Bytes.size();
        blocks.append(tail.Bytes.mid(tail.Marks.at(i), end - tail.Marks.at(i)));
    }
    return true;
}

bool Read_Newest_Block(const TBlock_Record &record, bool &found,
                       const std::function<bool(const QByteArray &block)> &read, QString *error)
{
    QList<QByteArray> blocks;
    found = false;
    if (!Read_Last_Blocks(record, 1, blocks, error))
        return false;
    found = !blocks.isEmpty();
    if (!found || read(blocks.first()))
        return true;
    return Fail(error, "read", record.Path, QStringLiteral("its newest block is not understood"));
}
