// Start-up time of the configurator beside a minimal Qt Widgets program that
// shows one empty dialog: both run as real processes on the offscreen
// platform, in the same run, measured from the start of the process to its
// first window shown (reported by the probe plugin, see bench_shown_probe.cpp).
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {
constexpr int Rounds = 9;
constexpr int Wait_Limit_Ms = 30000;

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

// Milliseconds from starting program to its "shown" line, or -1.
double Time_To_Shown(const QString &program, const QString &folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(PROBE_PLUGIN_PATH));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("velmorashown"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    double elapsed = -1;
    QByteArray output;
    while (clock.elapsed() < Wait_Limit_Ms && process.waitForReadyRead(Wait_Limit_Ms)) {
        output += process.readAllStandardOutput();
        if (output.contains("shown\n")) {
            elapsed = clock.nsecsElapsed() / 1e6;
            break;
        }
    }
    process.kill();
    process.waitForFinished(5000);
    return elapsed;
}

double Median(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid() || !Copy_Folder(QStringLiteral(VELMORA_DIST_DIR), folder.path())) {
        std::printf("cannot copy the program folder %s\n", VELMORA_DIST_DIR);
        return 1;
    }
    const QString configurator = folder.filePath(QStringLiteral("Velmora"));
    const QString minimal = QStringLiteral(MINIMAL_PROGRAM);

    // One start of each first, so both find the libraries in the file cache.
    Time_To_Shown(configurator, folder.path());
    Time_To_Shown(minimal, folder.path());
    QList<double> configuratorTimes;
    QList<double> minimalTimes;
    for (int i = 0; i < Rounds; ++i) {
        const double a = Time_To_Shown(configurator, folder.path());
        const double b = Time_To_Shown(minimal, folder.path());
        if (a < 0 || b < 0) {
            std::printf("a program did not show its window within %d ms\n", Wait_Limit_Ms);
            return 1;
        }
        configuratorTimes.append(a);
        minimalTimes.append(b);
    }
    const double a = Median(configuratorTimes);
    const double b = Median(minimalTimes);
    std::printf("start to first window shown, offscreen, median of %d alternating runs:\n", Rounds);
    std::printf("  configurator          %.1f ms\n", a);
    std::printf("  minimal Qt dialog     %.1f ms\n", b);
    std::printf("  ratio %.2f (goal: at most 1.25: %s)\n", a / b, a <= 1.25 * b ? "met" : "missed");
    return 0;
}
