// Prints every figure of the configurator in one run: the configuration
// image, the reachability test against 127.0.0.1, the version check against a
// refused port, start-up time and peak memory beside a minimal Qt dialog, and
// the console program's import and bank over 1,000 configurations, and the
// virtual converter serving 200, and the Modbus TCP check against a slave on
// the loopback, and Check.log read from the end, and the plant's overview and
// report over 1,000 configurations. Names on the command line (image, echo,
// version, startup, cli, sim, modbus, record, plant) run only those.
#include "bench/UBench_Figures.h"

#include <QApplication>
#include <QStringList>
#include <algorithm>
#include <iterator>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    const struct
    {
        const char *Name;
        bool (*Run)();
    } benches[] = {
        {"image", Bench_Image},
        {"echo", Bench_Echo},
        {"version", Bench_Version_Check},
        {"startup", Bench_Startup},
        {"cli", Bench_Cli},
        {"sim", Bench_Sim},
        {"modbus", Bench_Modbus},
        {"record", Bench_Record},
        {"plant", Bench_Plant},
    };
    const QStringList chosen = application.arguments().mid(1);
    for (const QString &name : chosen) {
        if (std::none_of(std::begin(benches), std::end(benches),
                         [&name](const auto &b) { return name == QLatin1String(b.Name); })) {
            std::fprintf(stderr, "unknown benchmark \"%s\"; known: image echo version startup cli sim modbus record plant\n",
                         qPrintable(name));
            return 2;
        }
    }
    bool all = true;
    for (const auto &bench : benches) {
        if (!chosen.isEmpty() && !chosen.contains(QLatin1String(bench.Name)))
            continue;
        std::fflush(stdout);
        all = bench.Run() && all;
        std::printf("\n");
    }
    return all ? 0 : 1;
}
