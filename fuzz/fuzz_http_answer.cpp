// The version request's answer reader: whatever a server sends, in whatever
// pieces it arrives, the reading is the same and the body stays within its limit.
#include "platform/UHttp_Answer.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the piece size and whether the server closes.
    const int piece = 1 + (data[0] & 0x3F);
    const bool closes = (data[0] & 0x40) != 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<int>(size - 1));
    constexpr qint64 limit = 4096;

    THttp_Answer whole(limit);
    whole.Add(bytes);
    THttp_Answer pieces(limit);
    for (int at = 0; at < bytes.size(); at += piece)
        pieces.Add(bytes.mid(at, piece));
    if (closes) {
        whole.Close();
        pieces.Close();
    }
    if (whole.State() != pieces.State() || whole.Status() != pieces.Status()
        || whole.Body() != pieces.Body() || whole.Content_Type() != pieces.Content_Type())
        std::abort();
    if (whole.Body().size() > limit)
        std::abort();
    if (whole.State() == THttp_Answer::Complete)
        Decode_Http_Body(whole.Body(), whole.Content_Type());
    return 0;
}
