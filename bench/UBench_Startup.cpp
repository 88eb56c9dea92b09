// Start-up of the configurator beside a minimal Qt Widgets program that shows
// one empty dialog: both run as real processes on the offscreen platform, in
// the same run, alternately. Measured from the start of the process to its
// first window shown (reported by the probe plugin, see bench_shown_probe.cpp),
// and the process's peak memory (VmHWM) once its window has settled.
#include "bench/UBench_Figures.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {
constexpr int Rounds = 9;
constexpr int Wait_Limit_Ms = 30000;
// Time after the window showed before the peak memory is read, so work that
// the first shown window starts is counted too.
constexpr int Settle_Ms = 300;

// Copies the program folder, so the configurator starts as it would at a
// user's site without touching the build's own folder.
bool Copy_Folder(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(source, target))
            return false;
        QFile::setPermissions(target, QFileInfo(source).permissions());
    }
    return true;
}

struct TStart
{
    double Shown_Ms = -1;
    double Peak_MiB = -1;
};

TStart Start_Until_Shown(const QString &program, const QString &folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(PROBE_PLUGIN_PATH));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("velmorashown"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    TStart result;
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    QByteArray output;
    while (clock.elapsed() < Wait_Limit_Ms && process.waitForReadyRead(Wait_Limit_Ms)) {
        output += process.readAllStandardOutput();
        if (output.contains("shown\n")) {
            result.Shown_Ms = clock.nsecsElapsed() / 1e6;
            QThread::msleep(Settle_Ms);
            result.Peak_MiB = Peak_Memory_MiB(process.processId());
            break;
        }
    }
    process.kill();
    process.waitForFinished(5000);
    return result;
}
} // namespace

bool Bench_Startup()
{
    // VELMORA_BENCH_PROGRAM_FOLDER measures another build's program folder
    // (an earlier version, say) against the same minimal dialog.
    const QString source = qEnvironmentVariableIsSet("VELMORA_BENCH_PROGRAM_FOLDER")
                               ? qEnvironmentVariable("VELMORA_BENCH_PROGRAM_FOLDER")
                               : QStringLiteral(VELMORA_DIST_DIR);
    QTemporaryDir folder;
    if (!folder.isValid() || !Copy_Folder(source, folder.path())) {
        std::fprintf(stderr, "cannot copy the program folder %s\n", qPrintable(source));
        return false;
    }
    const QString configurator = folder.filePath(QStringLiteral("Velmora"));
    const QString minimal = QStringLiteral(MINIMAL_PROGRAM);

    // One start of each first, so both find the libraries in the file cache.
    Start_Until_Shown(configurator, folder.path());
    Start_Until_Shown(minimal, folder.path());
    QList<double> configuratorTimes, minimalTimes, configuratorPeaks, minimalPeaks;
    for (int i = 0; i < Rounds; ++i) {
        const TStart a = Start_Until_Shown(configurator, folder.path());
        const TStart b = Start_Until_Shown(minimal, folder.path());
        if (a.Shown_Ms < 0 || b.Shown_Ms < 0) {
            std::fprintf(stderr, "a program did not show its window within %d ms\n", Wait_Limit_Ms);
            return false;
        }
        configuratorTimes.append(a.Shown_Ms);
        minimalTimes.append(b.Shown_Ms);
        configuratorPeaks.append(a.Peak_MiB);
        minimalPeaks.append(b.Peak_MiB);
    }
    std::printf("Start to first window shown, offscreen, alternating runs:\n");
    Print_Figure("configurator", configuratorTimes, "ms");
    Print_Figure("minimal Qt dialog", minimalTimes, "ms");
    std::sort(configuratorTimes.begin(), configuratorTimes.end());
    std::sort(minimalTimes.begin(), minimalTimes.end());
    const double ratio = configuratorTimes.at(Rounds / 2) / minimalTimes.at(Rounds / 2);
    std::printf("  ratio of the medians %.2f (goal: at most 1.25: %s)\n", ratio,
                ratio <= 1.25 ? "met" : "missed");
    std::printf("Peak memory (VmHWM) %d ms after the first window showed:\n", Settle_Ms);
    if (configuratorPeaks.contains(-1) || minimalPeaks.contains(-1)) {
        std::printf("  not available on this system\n");
        return true;
    }
    Print_Figure("configurator", configuratorPeaks, "MiB");
    Print_Figure("minimal Qt dialog", minimalPeaks, "MiB");
    return true;
}
