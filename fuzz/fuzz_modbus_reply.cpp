// The Modbus check's reading of a device's answer: whatever bytes come as the
// answer to a read, they make a finding, and a value is kept only from the
// registers the frame itself holds, exactly as many as the read asked.
#include "check/UModbus_Answer.h"

#include <cstdlib>

namespace {

uint16_t Word_At(const uint8_t *bytes, int at)
{
    return uint16_t((bytes[at] << 8) | bytes[at + 1]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The read comes first: its transaction id, unit, function and register
    // count; every byte after them is the answer.
    constexpr size_t Read_Bytes = 5;
    if (size < Read_Bytes)
        return 0;
    const uint16_t transaction = Word_At(data, 0);
    const int unit = data[2];
    TRegister_Block block;
    block.Function = (data[3] & 1) != 0 ? Function_Holding_Registers : Function_Input_Registers;
    block.Count = uint16_t(data[4] >= 1 && data[4] <= Max_Block_Count ? data[4] : 1 + data[4] % Max_Block_Count);
    const uint8_t *frame = data + Read_Bytes;
    const int bytes = int(size - Read_Bytes);

    TModbus_Reply reply = Reply_Of_Frame(frame, bytes);
    reply.Request_Transaction = transaction;
    const TAnswer_Finding finding = Answer_Finding(reply, block, unit);

    // Every register taken apart lies inside the frame, at its place.
    if (!reply.Registers.isEmpty() && 9 + 2 * int(reply.Registers.size()) > bytes)
        std::abort();
    for (int i = 0; i < reply.Registers.size(); ++i) {
        if (reply.Registers.at(i) != Word_At(frame, 9 + 2 * i))
            std::abort();
    }
    if (finding.Text.isEmpty())
        std::abort();
    // Values are kept from the read's own answer only, whole.
    if (finding.Kind == TAnswer_Kind::Answered
        && (reply.Registers.size() != block.Count || bytes != 9 + 2 * block.Count || reply.Protocol != 0
            || reply.Transaction != transaction || reply.Unit != unit || reply.Function != block.Function))
        std::abort();
    // An exception code is kept only from a whole exception answer to the read.
    if (finding.Kind == TAnswer_Kind::Refused && (bytes != 9 || reply.Function != (block.Function | 0x80)))
        std::abort();
    return 0;
}
