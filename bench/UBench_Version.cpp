// How long the version check takes to answer "no update" when the maker's
// server refuses the connection (127.0.0.1, a port nobody listens on).
#include "bench/UBench_Figures.h"
#include "common/UComon.h"
#include "options/USoftOptions.h"
#include "options/UVersion.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <algorithm>
#include <cstdio>

bool Bench_Version_Check()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) {
        std::fprintf(stderr, "no free port on 127.0.0.1: %s\n", qPrintable(probe.errorString()));
        return false;
    }
    const quint16 port = probe.serverPort();
    probe.close();
    const QString base = Maker_Web_Base();
    Maker_Web_Base() = QStringLiteral("http://127.0.0.1:%1").arg(port);

    constexpr int Rounds = 21;
    QList<double> times;
    bool anyNewer = false;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        anyNewer = TFSoftOptions::Check_Version() || anyNewer;
        times.append(clock.nsecsElapsed() / 1e6);
    }
    Maker_Web_Base() = base;
    std::printf("Version check against a refused port on 127.0.0.1:\n");
    Print_Figure("\"no update\" answered", times, "ms");
    const double worst = *std::max_element(times.begin(), times.end());
    std::printf("  goal: every run under 50 ms: %s (worst %.2f ms)\n", worst < 50.0 ? "met" : "missed",
                worst);
    if (anyNewer) {
        std::fprintf(stderr, "a refused connection was taken for a newer version\n");
        return false;
    }
    return true;
}
