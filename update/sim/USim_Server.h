#pragma once
// The virtual converters of one run, all served by one thread: a libmodbus
// TCP context and a listening socket per converter, and every client of
// every converter waited on at once. Each request is read and answered
// whole before the next; a client that closes, fails, sends what is no
// Modbus request or reads no replies is dropped without disturbing the
// others. Status words count up once a second.

#include "update/sim/USim_Registers.h"

#include <QString>
#include <memory>
#include <vector>

class TSim_Server
{
public:
    // silent: accept every connection and never answer.
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
    struct TDevice
    {
        TSim_Registers Registers;
        modbus_t *Context = nullptr;
        int Listener = -1;
    };
    struct TClient
    {
        int Socket;
        size_t Device;
    };

    void Accept(size_t device);
    // False when the client is to be dropped.
    bool Answer(const TClient &client);
    void Close_All();

    bool m_silent;
    std::vector<std::unique_ptr<TDevice>> m_devices;
    std::vector<TClient> m_clients;
};
