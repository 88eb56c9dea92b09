#pragma once
// One Modbus TCP connection for one check, on libmodbus: connect to a device,
// read registers with function 03 or 04 and close. It can do nothing else:
// no function that writes is offered, so a check never changes a device.
//
// Every call runs on the thread that owns the client; Cancel may come from
// any other thread. The client waits in slices of Wait_Slice_Ms for the
// connect and for the first byte of each answer and looks at the cancel
// between two slices. libmodbus reads an answer once it has begun; a cancel
// then shuts the socket down from the cancelling thread, which wakes
// libmodbus's select() at once. The socket lives and dies under one lock,
// taken by Cancel and by Close, so a cancel never touches a socket that was
// closed (or a number the system has handed out again).

#include "platform/UModbus_Socket.h"

#include <QList>
#include <QString>
#include <atomic>
#include <cstdint>
#include <mutex>

typedef struct _modbus modbus_t;

struct TConnect_Result
{
    TConnect_Outcome Outcome = TConnect_Outcome::Failed;
    QString Error;   // the system's words, for Unreachable and Failed
};

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

// An answer as libmodbus read it, its header fields taken apart.
struct TModbus_Reply
{
    TReply_Outcome Outcome = TReply_Outcome::Failed;
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

class TModbus_Client
{
public:
    // The longest a wait runs before the client looks at a cancel again.
    static constexpr int Wait_Slice_Ms = 50;
    // Every request carries this transaction identifier (libmodbus gives it
    // to the requests the client composes); an answer must carry it back.
    static constexpr uint16_t Request_Transaction = 0;

    TModbus_Client();
    ~TModbus_Client();
    TModbus_Client(const TModbus_Client &) = delete;
    TModbus_Client &operator=(const TModbus_Client &) = delete;

    // Connects to address (first part in the top byte) within timeoutMs.
    TConnect_Result Connect(uint32_t address, uint16_t port, int timeoutMs);
    // Reads count registers from start (protocol address) with function 3
    // (holding registers) or 4 (input registers) and waits at most timeoutMs
    // for the whole answer.
    TModbus_Reply Read_Registers(uint8_t unit, int function, uint16_t start, uint16_t count,
                                 int timeoutMs);
    // Ends the connection; the destructor does it too.
    void Close();

    // From any thread: the call under way returns Cancelled soon, and every
    // later one at once.
    void Cancel();
    bool Cancelled() const { return m_cancelled; }

private:
    // Waits in slices until the socket is ready, the time is over (0) or a
    // cancel came (-1, also for a failed wait).
    int Wait_Ready(bool writable, int timeoutMs, int &code);
    void Close_Socket();

    modbus_t *m_modbus = nullptr;
    bool m_sockets_started = false;
    QString m_start_error;
    std::mutex m_lock;   // guards m_socket against Cancel while it is opened or closed
    int m_socket = No_Socket;
    std::atomic<bool> m_cancelled{false};
};
