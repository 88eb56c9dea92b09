#pragma once
// Modbus TCP frames as the check's client writes and reads them: a read
// request with a transaction id of its own, and an answer's bytes taken
// apart. No socket here, so any bytes can be read as an answer.

#include <QList>
#include <QString>
#include <array>
#include <cstdint>

enum class TReply_Outcome
{
    Frame,              // a whole frame came: its fields are in the reply
    No_Answer,          // nothing came within the time
    Cut_Short,          // the answer began but did not end within the time
    Closed,             // the device closed the connection instead of answering
    Closed_Mid_Reply,   // the device closed the connection after part of an answer
    Too_Long,           // the answer announced more than a Modbus frame holds
    Cancelled,
    Failed              // the system would not send or receive: Error says why
};

// An answer as it came, its header fields taken apart.
struct TModbus_Reply
{
    TReply_Outcome Outcome = TReply_Outcome::Failed;
    // The id the request went out with: a true answer carries it back.
    uint16_t Request_Transaction = 0;
    uint16_t Transaction = 0;
    uint16_t Protocol = 0;
    uint16_t Length = 0;   // the header's count of the bytes after it
    int Frame_Bytes = 0;   // the whole frame as read
    uint8_t Unit = 0;
    uint8_t Function = 0;
    uint8_t Exception = 0;   // the code of an exception answer (Function has bit 7)
    int Byte_Count = 0;      // of a read answer
    QList<uint16_t> Registers;
    QString Error;
};

// Header (transaction, protocol 0, length 6, unit), function, start, count.
using TRead_Request = std::array<uint8_t, 12>;

TRead_Request Read_Request(uint16_t transaction, uint8_t unit, uint8_t function, uint16_t start,
                           uint16_t count);

// The fields of the size bytes of an answer, each as far as the bytes go:
// the header, the function, and after it the exception code of an exception
// answer, or the byte count and the registers of an answer to function 03
// or 04.
TModbus_Reply Reply_Of_Frame(const uint8_t *frame, int size);
