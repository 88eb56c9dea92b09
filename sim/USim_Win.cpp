#include <QtGlobal>

#ifdef Q_OS_WIN

// winsock2 must come before anything that pulls in windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "sim/USim_System.h"

#include <atomic>

namespace {

std::atomic<bool> Stop_Asked{false};
HANDLE Stopped_Event = nullptr;

// Runs on a thread of its own. Ctrl+C and Ctrl+Break ask the server to stop;
// when the console closes (or the user logs off) the system ends the program
// once this returns, so it waits for the server to close its sockets first.
BOOL WINAPI On_Console_Event(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        Stop_Asked = true;
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        Stop_Asked = true;
        // The system allows about five seconds; the server ends its wait
        // within a quarter of one.
        WaitForSingleObject(Stopped_Event, 4000);
        return TRUE;
    default:
        return FALSE;
    }
}

bool Make_Non_Blocking(SOCKET socket)
{
    u_long on = 1;
    return ioctlsocket(socket, FIONBIO, &on) == 0;
}

QString Listen_Failure(int error)
{
    switch (error) {
    case WSAEADDRINUSE:
    case WSAEACCES:
        return QStringLiteral("the port is taken (something else listens there)");
    case WSAEADDRNOTAVAIL:
        return QStringLiteral("the address is not one of this machine's");
    default:
        return QStringLiteral("Windows socket error %1").arg(error);
    }
}

} // namespace

bool Sim_Start_Network(QString &error)
{
    WSADATA data;
    const int failed = WSAStartup(MAKEWORD(2, 2), &data);
    if (failed)
        error = QStringLiteral("Windows sockets cannot start (error %1)").arg(failed);
    return failed == 0;
}

int Sim_Listen(uint32_t address, uint16_t port, QString &error)
{
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) {
        error = Listen_Failure(WSAGetLastError());
        return No_Socket;
    }
    // Without it Windows lets another program bind the same port beside us
    // (SO_REUSEADDR there means taking it over), and a taken port would go
    // unnoticed.
    const BOOL on = TRUE;
    setsockopt(listener, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char *>(&on),
               sizeof on);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(port);
    where.sin_addr.s_addr = htonl(address);
    if (bind(listener, reinterpret_cast<const sockaddr *>(&where), sizeof where) == SOCKET_ERROR
        || listen(listener, SOMAXCONN) == SOCKET_ERROR || !Make_Non_Blocking(listener)) {
        error = Listen_Failure(WSAGetLastError());
        closesocket(listener);
        return No_Socket;
    }
    // Socket handles are small numbers; libmodbus keeps them as int.
    return static_cast<int>(listener);
}

TSim_Accepted Sim_Accept(int listener, int &client)
{
    const SOCKET accepted = accept(static_cast<SOCKET>(listener), nullptr, nullptr);
    if (accepted == INVALID_SOCKET) {
        const int error = WSAGetLastError();
        return error == WSAEMFILE || error == WSAENOBUFS ? TSim_Accepted::Out_Of_Sockets
                                                         : TSim_Accepted::None;
    }
    if (!Make_Non_Blocking(accepted)) {
        closesocket(accepted);
        return TSim_Accepted::None;
    }
    client = static_cast<int>(accepted);
    return TSim_Accepted::Client;
}

void Sim_Close(int socket)
{
    closesocket(static_cast<SOCKET>(socket));
}

int Sim_Receive(int socket, uint8_t *bytes, int size)
{
    const int got = recv(static_cast<SOCKET>(socket), reinterpret_cast<char *>(bytes), size, 0);
    if (got == SOCKET_ERROR)
        return WSAGetLastError() == WSAEWOULDBLOCK ? -1 : 0;
    return got;
}

bool Sim_Send(int socket, const uint8_t *bytes, int length)
{
    return send(static_cast<SOCKET>(socket), reinterpret_cast<const char *>(bytes), length, 0)
           == length;
}

void Sim_Wait(std::vector<TSim_Wait> &sockets, int timeoutMs)
{
    static std::vector<WSAPOLLFD> polled;
    polled.resize(sockets.size());
    for (size_t i = 0; i < sockets.size(); ++i)
        polled[i] = {static_cast<SOCKET>(sockets[i].Socket), POLLRDNORM, 0};
    const int ready = WSAPoll(polled.data(), static_cast<ULONG>(polled.size()), timeoutMs);
    for (size_t i = 0; i < sockets.size(); ++i)
        sockets[i].Ready = ready > 0 && polled[i].revents != 0;
}

void Sim_Catch_Stop()
{
    Stopped_Event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(On_Console_Event, TRUE);
}

bool Sim_Stop_Requested()
{
    return Stop_Asked;
}

void Sim_Stopped()
{
    if (Stopped_Event)
        SetEvent(Stopped_Event);
}

#endif
