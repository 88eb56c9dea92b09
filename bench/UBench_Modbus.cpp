// The Modbus TCP check against velmora-sim on the loopback, as the user waits
// for it: one check of the default map without echo (three single registers
// and two blocks of eight), and velmora-cli probe --all --no-echo over 200
// configurations that one velmora-sim serves at 200 ports of 127.0.0.1.
#include "bench/UBench_Figures.h"
#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "params/UParGen_File.h"
#include "check/UModbus_Check.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int Rounds = 51;
constexpr int Probe_Rounds = 5;
constexpr int Configurations = 200;

// The configurations, each with Set Communication's values but at
// 127.0.0.1 and a port of its own from base on; false after saying why.
bool Make_Configurations(const QString &folder, int base)
{
    TParGen_Values values = ParGen_Defaults();
    values[PG_ModbusTCPSlave_IP1].Text = QStringLiteral("127");
    values[PG_ModbusTCPSlave_IP2].Text = QStringLiteral("0");
    values[PG_ModbusTCPSlave_IP3].Text = QStringLiteral("0");
    values[PG_ModbusTCPSlave_IP4].Text = QStringLiteral("1");
    TXMLDocument doc;
    QString error;
    for (int i = 0; i < Configurations; ++i) {
        const QString project =
            Join_Path(folder, QStringLiteral("PROJECTS/Line %1").arg(i, 3, 10, QLatin1Char('0')));
        values[PG_ModbusTCPSlave_Port].Text = QString::number(base + i);
        if (!QDir().mkpath(project) || !Save_ParGen(doc, ParGen_File_Path(project), values, &error)) {
            std::fprintf(stderr, "cannot make the configurations: %s\n", qPrintable(error));
            return false;
        }
    }
    return true;
}

bool Bench_Check(uint16_t port)
{
    TCheck_Request request;
    QStringList problems;
    request.Map = Modbus_Map_Of(ParGen_Defaults(), Default_Block_Count, problems);
    request.Map.Address = QStringLiteral("127.0.0.1");
    request.Map.Port = port;
    request.Echo = false;
    QList<double> checks;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        const TCheck_Result result = Run_Modbus_Check(request);
        checks.append(clock.nsecsElapsed() / 1e6);
        if (result.Verdict != TCheck_Verdict::Answers_With_Map) {
            std::fprintf(stderr, "check round %d: %s\n", round + 1, qPrintable(result.Verdict_Text));
            return false;
        }
    }
    Print_Figure("one check, default map (3 x 1 + 2 x 8)", checks, "ms");
    return true;
}

bool Bench_Probe(const QString &folder)
{
    QList<double> runs;
    for (int round = 0; round < Probe_Rounds; ++round) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(QStringLiteral(VELMORA_DIST_DIR "/velmora-cli"),
                      {"--folder", folder, "probe", "--all", "--no-echo"});
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0) {
            std::fprintf(stderr, "velmora-cli probe --all failed: %s\n",
                         process.readAllStandardError().constData());
            return false;
        }
        runs.append(clock.nsecsElapsed() / 1e6);
    }
    Print_Figure("probe --all --no-echo, 200 at 200 ports", runs, "ms");
    return true;
}

} // namespace

bool Bench_Modbus()
{
    QTemporaryDir folder;
    const int base = Free_Ports(Configurations);
    if (base == 0 || !Make_Configurations(folder.path(), base)) {
        std::fprintf(stderr, "no %d free ports in a row on 127.0.0.1\n", Configurations);
        return false;
    }
    // Each configuration is at 127.0.0.1, so the simulator serves it there.
    QProcess sim;
    QString error;
    if (!Start_Sim(sim, {"--folder", folder.path(), "--all"}, Configurations, error)) {
        std::fprintf(stderr, "velmora-sim did not serve: %s\n", qPrintable(error));
        return false;
    }
    std::printf("Modbus TCP check against velmora-sim on 127.0.0.1 (no echo):\n");
    const bool done = Bench_Check(static_cast<uint16_t>(base)) && Bench_Probe(folder.path());
    return Stop_Sim(sim) && done;
}
