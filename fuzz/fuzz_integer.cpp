// The integer reading rule against an independent reading of the same text.
#include "common/UComon.h"

#include <QString>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const QString text = QString::fromLatin1(bytes.data(), static_cast<int>(bytes.size()));
    int32_t value = 0;
    const bool number = Try_Read_Integer(text, value);
    // A plain decimal text, with no prefix, must agree with strtoll.
    size_t i = 0;
    while (i < bytes.size() && bytes[i] == ' ')
        ++i;
    size_t j = i;
    if (j < bytes.size() && (bytes[j] == '+' || bytes[j] == '-'))
        ++j;
    const bool digitsOnly = j < bytes.size() && bytes.size() - j < 30
                            && bytes.find_first_not_of("0123456789", j) == std::string::npos
                            && !(bytes.size() - j > 1 && bytes[j] == '0' && (bytes[j + 1] == 'x' || bytes[j + 1] == 'X'));
    if (digitsOnly) {
        const long long expected = std::strtoll(bytes.c_str() + i, nullptr, 10);
        const bool fits = expected >= INT32_MIN && expected <= INT32_MAX;
        if (number != fits || (fits && value != expected))
            std::abort();
    }
    if (number && Read_Integer(text, value == 0 ? 1 : 0) != value)
        std::abort();
    return 0;
}
