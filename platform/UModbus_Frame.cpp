#include "platform/UModbus_Frame.h"

namespace {

uint16_t Word_At(const uint8_t *bytes, int at)
{
    return uint16_t((bytes[at] << 8) | bytes[at + 1]);
}

void Put_Word(TRead_Request &bytes, int at, uint16_t value)
{
    bytes[size_t(at)] = uint8_t(value >> 8);
    bytes[size_t(at) + 1] = uint8_t(value & 0xFF);
}

} // namespace

TRead_Request Read_Request(uint16_t transaction, uint8_t unit, uint8_t function, uint16_t start,
                           uint16_t count)
{
    TRead_Request request{};
    Put_Word(request, 0, transaction);
    Put_Word(request, 2, 0);
    Put_Word(request, 4, 6);
    request[6] = unit;
    request[7] = function;
    Put_Word(request, 8, start);
    Put_Word(request, 10, count);
    return request;
}

TModbus_Reply Reply_Of_Frame(const uint8_t *frame, int size)
{
    TModbus_Reply reply;
    reply.Outcome = TReply_Outcome::Frame;
    reply.Frame_Bytes = size;
    if (size >= 2)
        reply.Transaction = Word_At(frame, 0);
    if (size >= 4)
        reply.Protocol = Word_At(frame, 2);
    if (size >= 6)
        reply.Length = Word_At(frame, 4);
    if (size >= 7)
        reply.Unit = frame[6];
    if (size >= 8)
        reply.Function = frame[7];
    if (size < 9)
        return reply;
    if (reply.Function & 0x80) {
        reply.Exception = frame[8];
    } else if (reply.Function == 3 || reply.Function == 4) {
        reply.Byte_Count = frame[8];
        for (int at = 9; at + 1 < size && at + 1 < 9 + reply.Byte_Count; at += 2)
            reply.Registers.append(Word_At(frame, at));
    }
    return reply;
}
