#pragma once
// The virtual converters of one run, all served by one thread: a listening
// socket per converter, and every client of every converter waited on at
// once. Each client's bytes gather in a buffer of its own as they come, and
// each request is answered once it is whole, so a slow client delays no one
// but itself. A client that closes, fails, sends what is no Modbus TCP
// request or reads no replies is dropped without disturbing the others, and
// so is one that has been idle too long or that the limit of clients
// pushes out. Status words count up once a second.

#include "sim/USim_Registers.h"

#include <QString>
#include <chrono>
#include <vector>

// A client that has sent no whole request for this long is dropped: a master
// that vanished without closing (a pulled cable) frees its place.
constexpr int Sim_Idle_Seconds = 60;
// A configuration's clients at most: a new one past this drops the one idle
// longest, as a master that reconnects after a fault must get in while its
// dead connection gives way. More than a plant's masters and tools hold at
// once; a client that leaks connections takes no more than these.
constexpr int Sim_Clients_Per_Configuration = 16;
// How long no connection is accepted after the system had no socket for one.
constexpr int Sim_Accept_Pause_Ms = 1000;

class TSim_Server
{
public:
    // silent: accept connections and never answer.
    explicit TSim_Server(bool silent);
    ~TSim_Server();
    TSim_Server(const TSim_Server &) = delete;
    TSim_Server &operator=(const TSim_Server &) = delete;

    // Listens at address:port (a dotted quad, already checked) for the
    // registers; false with error saying why not.
    bool Add(const QString &address, uint16_t port, TSim_Registers registers, QString &error);
    int Count() const { return static_cast<int>(m_devices.size()); }

    // Serves until Sim_Stop_Requested(), then closes every socket.
    void Run();

private:
    using TClock = std::chrono::steady_clock;

    struct TDevice
    {
        TSim_Registers Registers;
        int Listener;
    };
    struct TClient
    {
        int Socket;
        size_t Device;
        TClock::time_point Active;   // accepted, or its last whole request
        std::vector<uint8_t> Begun;  // a request not yet whole
    };

    void Accept(size_t device, TClock::time_point now);
    // Closes the device's client idle longest when it has as many as it may.
    void Make_Room(size_t device);
    // False when the client is to be dropped.
    bool Serve(TClient &client, TClock::time_point now);
    void Close_All();

    bool m_silent;
    // libmodbus's answers for every client in turn: it holds no more than
    // the socket of the client it answers.
    modbus_t *m_context;
    std::vector<TDevice> m_devices;
    std::vector<TClient> m_clients;
    TClock::time_point m_accept_again;
};
