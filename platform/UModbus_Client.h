#pragma once
// One Modbus TCP connection for one check: connect to a device, read
// registers with function 03 or 04 and close. It can do nothing else: no
// function that writes is offered, so a check never changes a device. Each
// request carries a transaction id of its own (libmodbus would give every
// request 0, so an answer sent twice could pass for the next one's); the
// client writes it and libmodbus reads the answer.
//
// Every call runs on the thread that owns the client; Cancel may come from
// any other thread. The client waits in slices of Wait_Slice_Ms for the
// connect and for the first byte of each answer and looks at the cancel
// between two slices. libmodbus reads an answer once it has begun; a cancel
// then shuts the socket down from the cancelling thread, which wakes
// libmodbus's select() at once. The socket lives and dies under one lock,
// taken by Cancel and by Close, so a cancel never touches a socket that was
// closed (or a number the system has handed out again).

#include "platform/UModbus_Frame.h"
#include "platform/UModbus_Socket.h"

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

class TModbus_Client
{
public:
    // The longest a wait runs before the client looks at a cancel again.
    static constexpr int Wait_Slice_Ms = 50;

    TModbus_Client();
    ~TModbus_Client();
    TModbus_Client(const TModbus_Client &) = delete;
    TModbus_Client &operator=(const TModbus_Client &) = delete;

    // Connects to address (first part in the top byte) within timeoutMs.
    TConnect_Result Connect(uint32_t address, uint16_t port, int timeoutMs);
    // Reads count registers from start (protocol address) with function 3
    // (holding registers) or 4 (input registers) and waits at most timeoutMs
    // for the whole answer. The reply holds the request's transaction id
    // beside the answer's; the caller judges whether they match.
    TModbus_Reply Read_Registers(uint8_t unit, int function, uint16_t start, uint16_t count,
                                 int timeoutMs);
    // Ends the connection; the destructor does it too.
    void Close();

    // From any thread: the call under way returns Cancelled soon, and every
    // later one at once.
    void Cancel();
    bool Cancelled() const { return m_cancelled; }

private:
    // Waits in slices until the socket is ready (1), the time is over (0), a
    // cancel came between two slices or the wait failed (-1). A cancel's
    // shutdown makes the socket ready too: the caller looks at the cancel
    // before it believes a 1.
    int Wait_Ready(bool writable, int timeoutMs, int &code);
    void Close_Socket();

    modbus_t *m_modbus = nullptr;
    bool m_sockets_started = false;
    QString m_start_error;
    std::mutex m_lock;   // guards m_socket against Cancel while it is opened or closed
    int m_socket = No_Socket;
    std::atomic<bool> m_cancelled{false};
    // The last request's transaction id on this connection (1 for the first).
    uint16_t m_transaction = 0;
};
