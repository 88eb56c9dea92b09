#pragma once
// Modbus TCP requests as a client's bytes bring them, in whatever pieces:
// each framed by the length in its header, checked so that libmodbus reads
// nothing past it and has no cause to discard what follows it, and answered
// in order. A frame of another protocol is passed over; a function the
// converter lacks is answered with exception 01 (illegal function), counts or
// a length that disagree with exception 03 (illegal data value).

#include "sim/USim_Registers.h"

#include <modbus.h>

// The longest request there can be: its header, then function 23's nine bytes
// of addresses and counts, a byte count and up to 255 bytes.
constexpr int Sim_Max_Request = 7 + 10 + 255;

struct TSim_Taken
{
    int Bytes = 0;       // whole requests from the front
    int Requests = 0;    // how many, answered or not
    bool Drop = false;   // a length no request can have, or an answer the client did not take
};

// Takes the whole requests at the front of bytes (length of them) and, unless
// silent, answers each through context to the client whose socket it holds,
// from registers. What it leaves is a request begun.
TSim_Taken Sim_Take_Requests(const uint8_t *bytes, int length, modbus_t *context,
                             const TSim_Registers &registers, bool silent);
