// The language-file reader over raw bytes in every encoding: the table keeps
// its 800 entries whatever the file holds.
#include "lang/ULang.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TLang_Table table = Default_Strings();
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    Apply_Lang_Text(table, Decode_Lang_Bytes(bytes));
    if (table.size() != 800)
        std::abort();
    return 0;
}
