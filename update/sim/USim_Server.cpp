#include "update/sim/USim_Server.h"

#include "platform/UEcho.h"
#include "update/sim/USim_System.h"

#include <algorithm>
#include <chrono>

namespace {

// How long a wait may last before the stop flag is looked at again (a stop
// by signal ends the wait at once where the system allows it).
constexpr int Stop_Check_Ms = 250;

// How long a request that has begun may take to arrive whole, between two
// of its bytes; a client that stops in mid-request is dropped after it.
constexpr uint32_t Byte_Limit_Us = 200000;

} // namespace

TSim_Server::TSim_Server(bool silent) : m_silent(silent)
{
}

TSim_Server::~TSim_Server()
{
    Close_All();
}

bool TSim_Server::Add(const QString &address, uint16_t port, TSim_Registers registers, QString &error)
{
    uint32_t where = 0;
    if (!Parse_Dotted_Quad(address, where)) {
        error = QStringLiteral("\"%1\" is no IPv4 address").arg(address);
        return false;
    }
    auto device = std::make_unique<TDevice>();
    device->Context = modbus_new_tcp(address.toLatin1().constData(), port);
    if (!device->Context) {
        error = QStringLiteral("libmodbus cannot make a server context");
        return false;
    }
    // A request arrives whole or is given up quickly, and an answer that
    // libmodbus flushes after (a wrong register count) does not wait for the
    // client's own time limit first.
    modbus_set_indication_timeout(device->Context, 0, Byte_Limit_Us);
    modbus_set_byte_timeout(device->Context, 0, Byte_Limit_Us);
    modbus_set_response_timeout(device->Context, 0, 1);
    device->Listener = Sim_Listen(where, port, error);
    if (device->Listener == No_Socket) {
        modbus_free(device->Context);
        return false;
    }
    device->Registers = std::move(registers);
    m_devices.push_back(std::move(device));
    return true;
}

void TSim_Server::Run()
{
    using TClock = std::chrono::steady_clock;
    auto tick = TClock::now() + std::chrono::seconds(1);
    std::vector<TSim_Wait> waits;
    while (!Sim_Stop_Requested()) {
        waits.clear();
        for (const auto &device : m_devices)
            waits.push_back({device->Listener, false});
        for (const TClient &client : m_clients)
            waits.push_back({client.Socket, false});
        const auto untilTick =
            std::chrono::duration_cast<std::chrono::milliseconds>(tick - TClock::now()).count() + 1;
        Sim_Wait(waits, static_cast<int>(std::clamp<long long>(untilTick, 0, Stop_Check_Ms)));

        // Clients first: those accepted now were not waited on.
        const size_t listeners = m_devices.size();
        std::vector<TClient> kept;
        kept.reserve(m_clients.size());
        for (size_t i = 0; i < m_clients.size(); ++i) {
            if (!waits[listeners + i].Ready || Answer(m_clients[i]))
                kept.push_back(m_clients[i]);
            else
                Sim_Close(m_clients[i].Socket);
        }
        m_clients.swap(kept);
        for (size_t i = 0; i < listeners; ++i) {
            if (waits[i].Ready)
                Accept(i);
        }

        for (; TClock::now() >= tick; tick += std::chrono::seconds(1)) {
            for (const auto &device : m_devices)
                device->Registers.Count_Status();
        }
    }
    Close_All();
}

void TSim_Server::Accept(size_t device)
{
    TDevice &served = *m_devices[device];
    for (;;) {
        int listener = served.Listener;
        const int client = modbus_tcp_accept(served.Context, &listener);
        if (client == -1)
            return;
        if (Sim_Prepare_Client(client))
            m_clients.push_back({client, device});
        else
            Sim_Close(client);
    }
}

bool TSim_Server::Answer(const TClient &client)
{
    if (m_silent)
        return Sim_Discard(client.Socket) != 0;
    modbus_t *context = m_devices[client.Device]->Context;
    modbus_set_socket(context, client.Socket);
    uint8_t request[MODBUS_TCP_MAX_ADU_LENGTH];
    const int length = modbus_receive(context, request);
    if (length <= 0)
        return length == 0;
    modbus_mapping_t *mapping = m_devices[client.Device]->Registers.Mapping_For(
        request, length, modbus_get_header_length(context));
    return modbus_reply(context, request, length, mapping) != -1;
}

void TSim_Server::Close_All()
{
    for (const TClient &client : m_clients)
        Sim_Close(client.Socket);
    m_clients.clear();
    for (const auto &device : m_devices) {
        Sim_Close(device->Listener);
        modbus_free(device->Context);
    }
    m_devices.clear();
}
