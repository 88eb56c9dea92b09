// The console program on a plant's worth of configurations: velmora-cli
// import of a 1,000-row table into an empty PROJECTS, then bank --all over
// the result, each timed as the user waits for it (the process from start to
// exit) in a temporary program folder.
#include "bench/UBench_Figures.h"
#include "common/UComon.h"
#include "common/UXmlDoc.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int Rounds = 5;
constexpr int Rows = 1000;

// The run's time in ms, or -1 after saying why it failed.
double Timed_Run(const QString &folder, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(VELMORA_DIST_DIR "/velmora-cli"),
                  QStringList{"--folder", folder} + arguments);
    const bool done = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit
                      && process.exitCode() == 0;
    const double ms = clock.nsecsElapsed() / 1e6;
    if (!done) {
        std::fprintf(stderr, "velmora-cli %s failed: %s\n", qPrintable(arguments.join(QLatin1Char(' '))),
                     process.readAllStandardError().constData());
        return -1;
    }
    return ms;
}

} // namespace

bool Bench_Cli()
{
    QTemporaryDir dir;
    QByteArray table("Name,Serial_Baud,Serial_Send_Type,ModbusTCPSlave_IP3,ModbusTCPSlave_IP4,"
                     "ModbusTCPSlave_Port\n");
    for (int i = 0; i < Rows; ++i)
        table += QStringLiteral("Line %1,%2,%3,%4,%5,%6\n")
                     .arg(i, 4, 10, QLatin1Char('0'))
                     .arg(i % 8)
                     .arg(i % 3)
                     .arg(i / 250)
                     .arg(i % 250 + 1)
                     .arg(502 + i % 2)
                     .toUtf8();
    QString error;
    if (!Save_Whole_File(dir.filePath(QStringLiteral("plant.csv")), table, &error)) {
        std::fprintf(stderr, "cannot write the table: %s\n", qPrintable(error));
        return false;
    }
    QList<double> imports;
    QList<double> banks;
    for (int round = 0; round < Rounds; ++round) {
        QDir(dir.filePath(QStringLiteral("PROJECTS"))).removeRecursively();
        const double import = Timed_Run(dir.path(), {"import", "plant.csv"});
        const double bank = import < 0 ? -1 : Timed_Run(dir.path(), {"bank", "--all"});
        if (bank < 0)
            return false;
        imports.append(import);
        banks.append(bank);
    }
    std::printf("Console program, %d configurations in a temporary program folder:\n", Rows);
    Print_Figure("velmora-cli import (1,000 rows)", imports, "ms");
    Print_Figure("velmora-cli bank --all (1,000 images)", banks, "ms");
    return true;
}
