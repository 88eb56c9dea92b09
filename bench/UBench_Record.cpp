// The record of checks where its size used to cost: a check's block added to
// a Check.log of 300 MB, its last block read, and the last block of each of
// 1,000 configurations' records. The big files begin with a hole (nothing
// reads it) and end with real blocks, so making them writes little.
#include "bench/UBench_Figures.h"
#include "common/UComon.h"
#include "params/UParGen_File.h"
#include "check/UCheck_Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

// A block as a check of the default map that answered writes it.
QByteArray Answered_Check_Block()
{
    TCheck_Request request;
    QStringList problems;
    request.Map = Modbus_Map_Of(ParGen_Defaults(), Default_Block_Count, problems);
    request.Source = QStringLiteral("ParGen.xml");
    TCheck_Result result = Not_Checked_Result(request, QString());
    for (TCheck_Step &step : result.Steps) {
        step.State = TStep_State::Passed;
        step.Text = step.Kind == TStep_Kind::Verdict ? Verdict_Name(TCheck_Verdict::Answers_With_Map, 0)
                                                     : QStringLiteral("answered");
        for (int i = 0; step.Kind == TStep_Kind::Read && i < step.Block.Count; ++i)
            step.Values.append(uint16_t(0xA000 + i));
    }
    return Check_Log_Block(result);
}

namespace {

constexpr int Rounds = 21;
constexpr qint64 Big_Bytes = 300LL * 1024 * 1024;
constexpr int Records = 1000;
constexpr qint64 Record_Bytes = 200 * 1024;

// A file of size bytes: a hole, then Check_Log_Keep blocks at its end.
bool Make_Record(const QString &path, qint64 size, const QByteArray &block)
{
    QByteArray tail;
    for (int i = 0; i < Check_Log_Keep; ++i)
        tail += block;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(size - tail.size())
        && file.seek(size - tail.size()) && file.write(tail) == tail.size())
        return true;
    std::fprintf(stderr, "cannot make %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
}

} // namespace

bool Bench_Record()
{
    QTemporaryDir folder;
    const QByteArray block = Answered_Check_Block();
    const QString big = Join_Path(folder.path(), QStringLiteral("Check.log"));
    const TCheck_Result result = Not_Checked_Result(TCheck_Request(), QStringLiteral("a benchmark"));
    QList<double> appends;
    QList<double> lasts;
    const double before = Peak_Memory_MiB(QCoreApplication::applicationPid());
    for (int round = 0; round < Rounds; ++round) {
        if (!Make_Record(big, Big_Bytes, block))
            return false;
        QList<QByteArray> last;
        QString error;
        QElapsedTimer clock;
        clock.start();
        const bool read = Read_Last_Blocks(Check_Log_Record(big), 1, last, &error);
        lasts.append(clock.nsecsElapsed() / 1e6);
        clock.restart();
        const bool appended = Append_Check_Log(big, result, &error);
        appends.append(clock.nsecsElapsed() / 1e6);
        if (!read || last.size() != 1 || !appended) {
            std::fprintf(stderr, "the record of 300 MB: %s\n", qPrintable(error));
            return false;
        }
    }
    const double after = Peak_Memory_MiB(QCoreApplication::applicationPid());

    QList<double> manyLasts;
    for (int i = 0; i < Records; ++i) {
        const QString project = Join_Path(folder.path(), QStringLiteral("Line %1").arg(i));
        if (!QDir().mkpath(project) || !Make_Record(Check_Log_Path(project), Record_Bytes, block))
            return false;
    }
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < Records; ++i) {
            QList<QByteArray> last;
            QString error;
            const QString project = Join_Path(folder.path(), QStringLiteral("Line %1").arg(i));
            if (!Read_Last_Blocks(Check_Log_Record(Check_Log_Path(project)), 1, last, &error) || last.size() != 1) {
                std::fprintf(stderr, "the record of %s: %s\n", qPrintable(project), qPrintable(error));
                return false;
            }
        }
        manyLasts.append(clock.nsecsElapsed() / 1e6);
    }

    std::printf("Check.log, read from the end under its lock (blocks of %lld bytes):\n",
                static_cast<long long>(block.size()));
    Print_Figure("last block of a 300 MB record", lasts, "ms");
    Print_Figure("a check's block added to a 300 MB record", appends, "ms");
    std::printf("  peak memory of the benchmark before and after: %.1f MiB, %.1f MiB\n", before, after);
    Print_Figure("last block of each of 1,000 records", manyLasts, "ms");
    return true;
}
