// The image builder's ParGen.xml reader and the serialiser over any document:
// the image is always 2048 bytes that end in the sum of the others, reads back
// into the same record, and names exactly one way of ending a serial frame.
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"

#include <QByteArray>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TXMLDocument doc;
    if (!doc.Load_Bytes(QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size))))
        return 0;
    TImage_Parameters record;
    Set_Default_Parameters(record);
    Apply_ParGen_Parameters(doc.Root(), record);

    const uint32_t modes = record.Serial_Mode & ~Mode_RS232;
    if (modes != Mode_End_Char && modes != Mode_Control_Word && modes != Mode_Fix_Num_Byte)
        std::abort();

    // Exactly the image's size, so a write past it is caught by the sanitizer.
    std::vector<uint8_t> image(Image_Size);
    if (Serialize_Record(record, 0, image.data(), Image_Size) != Image_Size)
        std::abort();
    uint32_t sum = 0;
    for (uint32_t i = 0; i < Image_Sum_Offset; ++i)
        sum += image[i];
    const uint32_t stored = image[Image_Sum_Offset] | image[Image_Sum_Offset + 1] << 8
                            | image[Image_Sum_Offset + 2] << 16
                            | static_cast<uint32_t>(image[Image_Sum_Offset + 3]) << 24;
    if (stored != sum || record.Byte_Sum != sum)
        std::abort();

    TImage_Parameters back;
    if (Deserialize_Record(image.data(), back) != sum
        || std::memcmp(&back, &record, sizeof back) != 0)
        std::abort();

    // One byte too few: nothing is written and the position stays.
    std::vector<uint8_t> small(Image_Size - 1, 0xA5);
    if (Serialize_Record(record, 0, small.data(), Image_Size - 1) != 0
        || std::count(small.begin(), small.end(), 0xA5) != static_cast<long>(small.size()))
        std::abort();
    return 0;
}
