// The language-file reader over raw bytes in every encoding: the table keeps
// its 800 entries whatever the file holds.
#include "lang/ULang.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Load_Default_Strings();
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    Apply_Lang_Text(Decode_Lang_Bytes(bytes));
    if (Lang_Count != 800 || Lang_Strings.size() != 800)
        std::abort();
    return 0;
}
