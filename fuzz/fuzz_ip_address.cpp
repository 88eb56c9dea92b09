// The dotted-quad check: a true result always names four numbers in 0..255
// that read back to the same address.
#include "common/UComon.h"

#include <QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<int>(size));
    QString p1, p2, p3, p4;
    if (!Check_IP_Address(text, p1, p2, p3, p4))
        return 0;
    QString q1, q2, q3, q4;
    for (const QString *part : {&p1, &p2, &p3, &p4}) {
        const int32_t v = Read_Integer(*part, -1);
        if (v < 0 || v > 255)
            std::abort();
    }
    const QString joined = p1 + QLatin1Char('.') + p2 + QLatin1Char('.') + p3 + QLatin1Char('.') + p4;
    if (!Check_IP_Address(joined, q1, q2, q3, q4) || q1 != p1 || q2 != p2 || q3 != p3 || q4 != p4)
        std::abort();
    return 0;
}
