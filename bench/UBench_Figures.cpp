#include "bench/UBench_Figures.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <cstdio>

void Print_Figure(const char *what, QList<double> values, const char *unit)
{
    std::sort(values.begin(), values.end());
    std::printf("  %-44s minimum %9.2f %-3s median %9.2f %-3s (%lld runs)\n", what, values.first(),
                unit, values.at(values.size() / 2), unit, static_cast<long long>(values.size()));
}

double Peak_Memory_MiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            bool ok = false;
            const double kib = line.mid(6).trimmed().split(' ').value(0).toDouble(&ok);
            return ok ? kib / 1024.0 : -1;
        }
    }
    return -1;
}
