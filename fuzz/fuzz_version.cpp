// Conv_Version and the reply rule of the version check over any text: a
// version is four characters read as one number, a "d.ddd" version reads as
// its digits, and only a version above the program's own offers an update.
#include "common/UComon.h"
#include "common/UVersion.h"

#include <QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const int32_t version = Conv_Version(text);
    // Four characters hold at most "9999" and at least "-999".
    if (version < -999 || version > 9999)
        std::abort();

    const int blank = text.indexOf(QLatin1Char(' '));
    const QString after = Trim_Text(blank < 0 ? text : text.mid(blank + 1));
    if (after.size() >= 5 && after.at(1) == QLatin1Char('.')) {
        bool digits = true;
        int expected = 0;
        for (int i : {0, 2, 3, 4}) {
            const QChar c = after.at(i);
            digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
            expected = expected * 10 + (c.unicode() - '0');
        }
        if (digits && version != expected)
            std::abort();
    }

    const bool newer = Reply_Offers_Newer_Version(text);
    if (newer && Conv_Version(Trim_Text(text)) <= Conv_Version(SW_Version))
        std::abort();
    return 0;
}
