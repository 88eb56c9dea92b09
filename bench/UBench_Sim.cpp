// velmora-sim serving a plant's worth of virtual converters in one process:
// 200 configurations with Set Communication's values at 200 ports of
// 127.0.0.1. Measured: start until it says it serves them all, one read of
// each one's read data (8 input registers) over 200 connections held open at
// once, and the process's peak memory (VmHWM) after that.
#include "bench/UBench_Figures.h"
#include "common/UComon.h"
#include "params/UParGen_File.h"

#include <modbus.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rounds = 5;
constexpr int Configurations = 200;

struct TSim_Run
{
    double Serving_Ms = -1;
    double Reads_Ms = -1;
    double Peak_MiB = -1;
};

// One read of every configuration over connections all held open; the time
// in ms, or -1 when one failed.
double Read_All(int base)
{
    std::vector<modbus_t *> clients;
    bool all = true;
    for (int i = 0; i < Configurations; ++i) {
        modbus_t *client = modbus_new_tcp("127.0.0.1", base + i);
        all = client && modbus_connect(client) == 0 && all;
        clients.push_back(client);
    }
    QElapsedTimer clock;
    clock.start();
    for (modbus_t *client : clients) {
        uint16_t registers[8];
        all = all && modbus_read_input_registers(client, 1, 8, registers) == 8;
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    for (modbus_t *client : clients) {
        if (client) {
            modbus_close(client);
            modbus_free(client);
        }
    }
    return all ? ms : -1;
}

TSim_Run Run_Once(const QString &folder, int base)
{
    TSim_Run run;
    QProcess sim;
    QElapsedTimer clock;
    clock.start();
    QString error;
    if (!Start_Sim(sim, {"--folder", folder, "--all", "--port", QString::number(base)}, Configurations,
                   error)) {
        std::fprintf(stderr, "velmora-sim did not serve: %s\n", qPrintable(error));
        return run;
    }
    run.Serving_Ms = clock.nsecsElapsed() / 1e6;
    run.Reads_Ms = Read_All(base);
    run.Peak_MiB = Peak_Memory_MiB(sim.processId());
    if (!Stop_Sim(sim) || run.Reads_Ms < 0) {
        std::fprintf(stderr, "velmora-sim did not answer and stop as it should\n");
        return TSim_Run();
    }
    return run;
}

} // namespace

int Free_Ports(int count)
{
    for (int base = 20000; base + count <= 60000; base += count) {
        bool free = true;
        for (int port = base; free && port < base + count; ++port) {
            QTcpServer probe;
            free = probe.listen(QHostAddress::LocalHost, static_cast<quint16>(port));
        }
        if (free)
            return base;
    }
    return 0;
}

bool Start_Sim(QProcess &sim, const QStringList &arguments, int expected, QString &error)
{
    constexpr int Wait_Limit_Ms = 30000;
    QElapsedTimer clock;
    clock.start();
    sim.start(QStringLiteral(VELMORA_DIST_DIR "/velmora-sim"), arguments);
    const QByteArray serving = "velmora-sim: serving " + QByteArray::number(expected) + ' ';
    QByteArray output;
    while (!output.contains(serving) && clock.elapsed() < Wait_Limit_Ms
           && sim.waitForReadyRead(Wait_Limit_Ms))
        output += sim.readAllStandardOutput();
    if (output.contains(serving))
        return true;
    sim.kill();
    sim.waitForFinished(5000);
    error = QString::fromUtf8(sim.readAllStandardError());
    return false;
}

bool Stop_Sim(QProcess &sim)
{
    sim.terminate();
    if (sim.waitForFinished(5000) && sim.exitStatus() == QProcess::NormalExit && sim.exitCode() == 0)
        return true;
    sim.kill();
    sim.waitForFinished(5000);
    return false;
}

bool Bench_Sim()
{
    QTemporaryDir dir;
    TXMLDocument doc;
    QString error;
    for (int i = 0; i < Configurations; ++i) {
        const QString project =
            dir.filePath(QStringLiteral("PROJECTS/Converter %1").arg(i, 3, 10, QLatin1Char('0')));
        if (!QDir().mkpath(project)
            || !Save_ParGen(doc, ParGen_File_Path(project), ParGen_Defaults(), &error)) {
            std::fprintf(stderr, "cannot make the configurations: %s\n", qPrintable(error));
            return false;
        }
    }
    const int base = Free_Ports(Configurations);
    if (base == 0) {
        std::fprintf(stderr, "no %d free ports in a row on 127.0.0.1\n", Configurations);
        return false;
    }
    QList<double> serving, reads, peaks;
    for (int round = 0; round < Rounds; ++round) {
        const TSim_Run run = Run_Once(dir.path(), base);
        if (run.Serving_Ms < 0)
            return false;
        serving.append(run.Serving_Ms);
        reads.append(run.Reads_Ms);
        peaks.append(run.Peak_MiB);
    }
    std::printf("Virtual converter, velmora-sim --all over %d configurations on 127.0.0.1:\n",
                Configurations);
    Print_Figure("start until it serves all 200", serving, "ms");
    Print_Figure("one read of each, 200 connections open", reads, "ms");
    if (peaks.contains(-1))
        std::printf("  peak memory: not available on this system\n");
    else
        Print_Figure("peak memory (VmHWM; goal: under 20 MiB)", peaks, "MiB");
    return true;
}
