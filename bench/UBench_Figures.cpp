#include "bench/UBench_Figures.h"

#include <algorithm>
#include <cstdio>

void Print_Figure(const char *what, QList<double> values, const char *unit)
{
    std::sort(values.begin(), values.end());
    std::printf("  %-44s minimum %9.2f %-3s median %9.2f %-3s (%lld runs)\n", what, values.first(),
                unit, values.at(values.size() / 2), unit, static_cast<long long>(values.size()));
}
