#include "image/UImage_Record.h"

// The fields lie in the record exactly as in the image (every field on its
// natural boundary), which these checks keep true when the record is edited.
static_assert(sizeof(TImage_Parameters) == Image_Size, "record and image differ in size");
static_assert(offsetof(TImage_Parameters, IP_Address) == 0x028, "address offset");
static_assert(offsetof(TImage_Parameters, RS232_Baud) == 0x03C, "RS232 block offset");
static_assert(offsetof(TImage_Parameters, RS485_Baud) == 0x12C, "RS485 block offset");
static_assert(offsetof(TImage_Parameters, Serial_Mode) == 0x158, "serial mode offset");
static_assert(offsetof(TImage_Parameters, Num_Byte_RX) == 0x174, "byte count offset");
static_assert(offsetof(TImage_Parameters, Byte_Sum) == Image_Sum_Offset, "sum offset");

namespace {

// Integers least significant byte first, byte runs in their own order.
struct TImage_Writer
{
    uint8_t *Pos;
    uint32_t Sum = 0;

    void Byte(uint8_t b)
    {
        *Pos++ = b;
        Sum += b;
    }
    void operator()(uint8_t v) { Byte(v); }
    void operator()(uint16_t v)
    {
        Byte(static_cast<uint8_t>(v));
        Byte(static_cast<uint8_t>(v >> 8));
    }
    void operator()(uint32_t v)
    {
        for (int shift = 0; shift < 32; shift += 8)
            Byte(static_cast<uint8_t>(v >> shift));
    }
    void operator()(int32_t v) { (*this)(static_cast<uint32_t>(v)); }
    template <class T, std::size_t N>
    void operator()(const T (&run)[N])
    {
        for (const T &item : run)
            (*this)(item);
    }
};

struct TImage_Reader
{
    const uint8_t *Pos;
    uint32_t Sum = 0;

    uint8_t Byte()
    {
        Sum += *Pos;
        return *Pos++;
    }
    void operator()(uint8_t &v) { v = Byte(); }
    void operator()(uint16_t &v)
    {
        const uint16_t low = Byte();
        v = static_cast<uint16_t>(low | (Byte() << 8));
    }
    void operator()(uint32_t &v)
    {
        v = 0;
        for (int shift = 0; shift < 32; shift += 8)
            v |= static_cast<uint32_t>(Byte()) << shift;
    }
    void operator()(int32_t &v)
    {
        uint32_t bits = 0;
        (*this)(bits);
        v = static_cast<int32_t>(bits);
    }
    template <class T, std::size_t N>
    void operator()(T (&run)[N])
    {
        for (T &item : run)
            (*this)(item);
    }
};

} // namespace

uint32_t Serialize_Record(TImage_Parameters &record, uint32_t start, uint8_t *buffer,
                          uint32_t capacity)
{
    if (static_cast<uint64_t>(start) + Image_Size > capacity)
        return start;
    TImage_Writer writer{buffer + start};
    Visit_Image_Fields(static_cast<const TImage_Parameters &>(record), writer);
    record.Byte_Sum = writer.Sum;
    const uint32_t sum = writer.Sum;
    writer(sum);
    return start + Image_Size;
}

uint32_t Deserialize_Record(const uint8_t *image, TImage_Parameters &record)
{
    TImage_Reader reader{image};
    Visit_Image_Fields(record, reader);
    const uint32_t sum = reader.Sum;
    reader(record.Byte_Sum);
    return sum;
}
