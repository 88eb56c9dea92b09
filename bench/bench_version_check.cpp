// How long the version check takes to answer "no update" when the maker's
// server refuses the connection (127.0.0.1, a port nobody listens on).
#include "common/UComon.h"
#include "options/USoftOptions.h"
#include "options/UVersion.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
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
    const double first = times.first();
    std::sort(times.begin(), times.end());
    const double median = times.at(Rounds / 2);
    const double worst = times.last();
    std::printf("version check against a refused port on 127.0.0.1, %d rounds:\n", Rounds);
    std::printf("  first %.2f ms, median %.2f ms, worst %.2f ms (goal: under 50 ms: %s)\n", first,
                median, worst, worst < 50.0 ? "met" : "missed");
    if (anyNewer)
        std::printf("  ERROR: a refused connection was taken for a newer version\n");
    return anyNewer ? 1 : 0;
}
