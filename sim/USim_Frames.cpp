#include "sim/USim_Frames.h"

#include "sim/USim_System.h"

namespace {

// Transaction, protocol, length (of what follows it), unit.
constexpr int Header_Length = 7;

// 0 when libmodbus may answer the request (pdu, length bytes of it) whole
// and without discarding what follows: a function the converter has, with
// counts within Modbus's limits and a length that agrees with them. Else the
// exception that answers it.
int Refusal(const uint8_t *pdu, int length)
{
    const auto word = [pdu](int at) { return (pdu[at] << 8) | pdu[at + 1]; };
    const auto within = [](int count, int most) { return count >= 1 && count <= most; };
    bool fits = false;
    switch (pdu[0]) {
    case MODBUS_FC_READ_COILS:
    case MODBUS_FC_READ_DISCRETE_INPUTS:
        fits = length == 5 && within(word(3), MODBUS_MAX_READ_BITS);
        break;
    case MODBUS_FC_READ_HOLDING_REGISTERS:
    case MODBUS_FC_READ_INPUT_REGISTERS:
        fits = length == 5 && within(word(3), MODBUS_MAX_READ_REGISTERS);
        break;
    case MODBUS_FC_WRITE_SINGLE_COIL:
    case MODBUS_FC_WRITE_SINGLE_REGISTER:
        fits = length == 5;
        break;
    case MODBUS_FC_MASK_WRITE_REGISTER:
        fits = length == 7;
        break;
    case MODBUS_FC_WRITE_MULTIPLE_COILS:
        fits = length >= 6 && length == 6 + pdu[5] && within(word(3), MODBUS_MAX_WRITE_BITS)
               && pdu[5] == (word(3) + 7) / 8;
        break;
    case MODBUS_FC_WRITE_MULTIPLE_REGISTERS:
        fits = length >= 6 && length == 6 + pdu[5] && within(word(3), MODBUS_MAX_WRITE_REGISTERS)
               && pdu[5] == 2 * word(3);
        break;
    case MODBUS_FC_WRITE_AND_READ_REGISTERS:
        fits = length >= 10 && length == 10 + pdu[9] && within(word(3), MODBUS_MAX_WR_READ_REGISTERS)
               && within(word(7), MODBUS_MAX_WR_WRITE_REGISTERS) && pdu[9] == 2 * word(7);
        break;
    default:
        return MODBUS_EXCEPTION_ILLEGAL_FUNCTION;
    }
    return fits ? 0 : MODBUS_EXCEPTION_ILLEGAL_DATA_VALUE;
}

bool Send_Exception(int socket, const uint8_t *frame, int code)
{
    const uint8_t answer[] = {frame[0], frame[1], 0, 0, 0, 3, frame[6],
                              static_cast<uint8_t>(frame[7] | 0x80), static_cast<uint8_t>(code)};
    return Sim_Send(socket, answer, sizeof answer);
}

} // namespace

TSim_Taken Sim_Take_Requests(const uint8_t *bytes, int length, modbus_t *context,
                             const TSim_Registers &registers, bool silent)
{
    TSim_Taken taken;
    while (length - taken.Bytes >= Header_Length) {
        const uint8_t *frame = bytes + taken.Bytes;
        const int size = 6 + ((frame[4] << 8) | frame[5]);
        // A request holds a function after its unit.
        if (size < Header_Length + 1 || size > Sim_Max_Request) {
            taken.Drop = true;
            return taken;
        }
        if (length - taken.Bytes < size)
            break;
        taken.Bytes += size;
        ++taken.Requests;
        if (silent || frame[2] != 0 || frame[3] != 0)
            continue;
        const uint8_t *pdu = frame + Header_Length;
        const int refusal = Refusal(pdu, size - Header_Length);
        const bool sent =
            refusal ? Send_Exception(modbus_get_socket(context), frame, refusal)
                    : modbus_reply(context, frame, size,
                                   registers.Mapping_For(pdu[0], (pdu[1] << 8) | pdu[2]))
                          != -1;
        if (!sent) {
            taken.Drop = true;
            return taken;
        }
    }
    return taken;
}
