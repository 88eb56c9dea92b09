#include "sim/USim_Server.h"

#include "platform/UEcho.h"
#include "sim/USim_Frames.h"
#include "sim/USim_System.h"

#include <algorithm>

namespace {

// How long a wait may last before the stop flag is looked at again (a stop
// by signal ends the wait at once where the system allows it).
constexpr int Stop_Check_Ms = 250;

// What one client's turn reads at most, so every client gets its turn soon.
constexpr int Read_Size = 4096;

} // namespace

TSim_Server::TSim_Server(bool silent) : m_silent(silent), m_context(modbus_new_tcp(nullptr, 0))
{
}

TSim_Server::~TSim_Server()
{
    Close_All();
    if (m_context)
        modbus_free(m_context);
}

bool TSim_Server::Add(const QString &address, uint16_t port, TSim_Registers registers, QString &error)
{
    uint32_t where = 0;
    if (!Parse_Dotted_Quad(address, where)) {
        error = QStringLiteral("\"%1\" is no IPv4 address").arg(address);
        return false;
    }
    if (!m_context) {
        error = QStringLiteral("libmodbus cannot make a server context");
        return false;
    }
    const int listener = Sim_Listen(where, port, error);
    if (listener == No_Socket)
        return false;
    m_devices.push_back({std::move(registers), listener});
    return true;
}

void TSim_Server::Run()
{
    auto tick = TClock::now() + std::chrono::seconds(1);
    std::vector<TSim_Wait> waits;
    while (!Sim_Stop_Requested()) {
        // Out of sockets, a listener stays ready; it is left alone a while.
        const bool accepting = TClock::now() >= m_accept_again;
        waits.clear();
        for (const TClient &client : m_clients)
            waits.push_back({client.Socket, false});
        if (accepting) {
            for (const TDevice &device : m_devices)
                waits.push_back({device.Listener, false});
        }
        const auto untilTick =
            std::chrono::duration_cast<std::chrono::milliseconds>(tick - TClock::now()).count() + 1;
        Sim_Wait(waits, static_cast<int>(std::clamp<long long>(untilTick, 0, Stop_Check_Ms)));
        const auto now = TClock::now();

        // Clients first: those accepted now were not waited on.
        const size_t waited = m_clients.size();
        std::vector<TClient> kept;
        kept.reserve(waited);
        for (size_t i = 0; i < waited; ++i) {
            TClient &client = m_clients[i];
            if ((waits[i].Ready && !Serve(client, now))
                || now - client.Active > std::chrono::seconds(Sim_Idle_Seconds))
                Sim_Close(client.Socket);
            else
                kept.push_back(std::move(client));
        }
        m_clients.swap(kept);
        for (size_t i = 0; accepting && i < m_devices.size(); ++i) {
            if (waits[waited + i].Ready)
                Accept(i, now);
        }

        for (; TClock::now() >= tick; tick += std::chrono::seconds(1)) {
            for (TDevice &device : m_devices)
                device.Registers.Count_Status();
        }
    }
    Close_All();
}

void TSim_Server::Accept(size_t device, TClock::time_point now)
{
    for (;;) {
        int client = No_Socket;
        switch (Sim_Accept(m_devices[device].Listener, client)) {
        case TSim_Accepted::Client:
            Make_Room(device);
            m_clients.push_back({client, device, now, {}});
            break;
        case TSim_Accepted::Out_Of_Sockets:
            m_accept_again = now + std::chrono::milliseconds(Sim_Accept_Pause_Ms);
            return;
        case TSim_Accepted::None:
            return;
        }
    }
}

void TSim_Server::Make_Room(size_t device)
{
    auto idlest = m_clients.end();
    int count = 0;
    for (auto client = m_clients.begin(); client != m_clients.end(); ++client) {
        if (client->Device != device)
            continue;
        ++count;
        if (idlest == m_clients.end() || client->Active < idlest->Active)
            idlest = client;
    }
    if (count >= Sim_Clients_Per_Configuration) {
        Sim_Close(idlest->Socket);
        m_clients.erase(idlest);
    }
}

bool TSim_Server::Serve(TClient &client, TClock::time_point now)
{
    uint8_t bytes[Read_Size];
    const int got = Sim_Receive(client.Socket, bytes, Read_Size);
    if (got <= 0)
        return got == -1;
    client.Begun.insert(client.Begun.end(), bytes, bytes + got);
    modbus_set_socket(m_context, client.Socket);
    const TSim_Taken taken =
        Sim_Take_Requests(client.Begun.data(), static_cast<int>(client.Begun.size()), m_context,
                          m_devices[client.Device].Registers, m_silent);
    client.Begun.erase(client.Begun.begin(), client.Begun.begin() + taken.Bytes);
    if (taken.Requests > 0)
        client.Active = now;
    return !taken.Drop;
}

void TSim_Server::Close_All()
{
    for (const TClient &client : m_clients)
        Sim_Close(client.Socket);
    m_clients.clear();
    for (const TDevice &device : m_devices)
        Sim_Close(device.Listener);
    m_devices.clear();
}
