// How long the version check takes to answer "no update" when the maker's
// server refuses the connection (127.0.0.1, a port nobody listens on).
#include "bench/UBench_Figures.h"
#include "common/UComon.h"
#include "options/USoftOptions.h"
#include "platform/UPlatform.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <algorithm>
#include <cstdio>

namespace {
// The real platform, with the maker's server at a refused port on 127.0.0.1.
class TRefused_Server : public TPlatform
{
public:
    explicit TRefused_Server(quint16 port) : m_port(port) { Set_Platform(this); }
    ~TRefused_Server() override { Set_Platform(nullptr); }
    QString Web_Base() const override { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

private:
    quint16 m_port;
};
} // namespace

bool Bench_Version_Check()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) {
        std::fprintf(stderr, "no free port on 127.0.0.1: %s\n", qPrintable(probe.errorString()));
        return false;
    }
    const quint16 port = probe.serverPort();
    probe.close();
    const TRefused_Server refused(port);

    constexpr int Rounds = 21;
    QList<double> times;
    bool anyNewer = false;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        anyNewer = TFSoftOptions::Check_Version() || anyNewer;
        times.append(clock.nsecsElapsed() / 1e6);
    }
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
