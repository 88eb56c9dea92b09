#pragma once
// What a device's answer to one read says, judged from the fields the client
// took apart: the registers asked for, a refusal, a wrong answer on a
// connection still in step, or an answer that puts the connection out of
// step. No socket is needed, so any bytes can be judged.

#include "platform/UModbus_Frame.h"
#include "check/UModbus_Map.h"

#include <QString>

// What became of a step that did not pass, by kind, so a window can say it in
// its own words; the step's text says it in English, with the details.
enum class TStep_Cause {
    None,
    Echo_Silent,        // no echo reply in the time; the check goes on
    Refused,            // nothing listens at the port
    Timed_Out,          // no connection within the time limit
    Unreachable,        // no way to the address
    System_Error,       // the system's own words: an echo not sent, a connect or read that failed
    No_Answer,          // no answer to a read within the time limit
    Cut_Short,          // the answer began, its rest did not come
    Closed,             // the device closed the connection instead of answering
    Closed_Mid_Reply,
    Not_Modbus,         // another protocol's answer, or one longer than a Modbus frame
    Other_Unit,         // the read's answer, but from another unit
    Wrong_Answer,       // not this read's answer: another request's or function's, a broken frame
    Exception,          // refused with an exception code
    Not_Checked,        // the request itself cannot be checked
    // Why a step was not asked.
    Echo_Off,
    No_Connection,
    After_Fault,
    Cancelled
};

enum class TAnswer_Kind {
    Answered,     // the registers asked for: their values may be shown
    Refused,      // an exception answer to the read
    Wrong,        // the answer to the read, but not as asked; the connection is still in step
    Out_Of_Step   // not this read's answer: nothing more may be read over the connection
};

struct TAnswer_Finding
{
    TAnswer_Kind Kind = TAnswer_Kind::Out_Of_Step;
    // "answered", "refused: exception 02 ...", or what is wrong, in a
    // technician's words.
    QString Text;
    TStep_Cause Cause = TStep_Cause::None;
};

// The finding on reply (a whole frame) to the read of block from unit. Only
// an answer that carries the request's transaction id, protocol id 0, the
// function asked and exactly the registers asked is the read's answer.
TAnswer_Finding Answer_Finding(const TModbus_Reply &reply, const TRegister_Block &block, int unit);

// "02 illegal data address" and the like; "0C unknown exception" for a code
// Modbus does not name.
QString Exception_Name(int code);
// "03 (holding registers)" or "04 (input registers)".
QString Function_Name(int function);
