#include <QtGlobal>

#ifdef Q_OS_WIN

#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/UModbus_Socket.h"

bool Sockets_Start(QString &error)
{
    WSADATA data;
    const int code = WSAStartup(MAKEWORD(2, 2), &data);
    if (code != 0)
        error = QStringLiteral("Windows Sockets cannot be used: %1").arg(qt_error_string(code));
    return code == 0;
}

void Sockets_Stop()
{
    WSACleanup();
}

int Socket_Connect_Begin(uint32_t address, uint16_t port, bool &pending, int &code)
{
    pending = false;
    // Not inherited by programs started later, as on the other systems.
    const SOCKET s = WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (s == INVALID_SOCKET) {
        code = WSAGetLastError();
        return No_Socket;
    }
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    // Requests are a dozen bytes each: send each at once.
    const BOOL on = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char *>(&on), sizeof(on));
    sockaddr_in target = {};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = htonl(address);
    code = 0;
    if (connect(s, reinterpret_cast<const sockaddr *>(&target), sizeof(target)) != 0) {
        code = WSAGetLastError();
        pending = code == WSAEWOULDBLOCK || code == WSAEINPROGRESS;
    }
    // libmodbus keeps sockets as int; Windows gives small handle values.
    return int(s);
}

int Socket_Wait(int socket, bool writable, int ms, int &code)
{
    const SOCKET s = SOCKET(socket);
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    // A connect that fails shows in the exception set, not as writable.
    FD_SET(s, &failed);
    timeval wait = {ms / 1000, (ms % 1000) * 1000};
    const int count = select(0, writable ? nullptr : &ready, writable ? &ready : nullptr,
                             writable ? &failed : nullptr, &wait);
    if (count == SOCKET_ERROR) {
        code = WSAGetLastError();
        return -1;
    }
    return count > 0 ? 1 : 0;
}

int Socket_Connect_Error(int socket)
{
    int error = 0;
    int size = sizeof(error);
    if (getsockopt(SOCKET(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char *>(&error), &size) != 0)
        return WSAGetLastError();
    return error;
}

int Socket_Send(int socket, const uint8_t *data, int size, int &code)
{
    // Winsock raises no signal for a closed connection: the error comes back.
    const int sent = send(SOCKET(socket), reinterpret_cast<const char *>(data), size, 0);
    if (sent == SOCKET_ERROR) {
        code = WSAGetLastError();
        return -1;
    }
    return sent;
}

int Socket_Peek(int socket, int &code)
{
    char byte = 0;
    const int got = recv(SOCKET(socket), &byte, 1, MSG_PEEK);
    if (got == SOCKET_ERROR) {
        code = WSAGetLastError();
        return -1;
    }
    return got;
}

void Socket_Shutdown(int socket)
{
    shutdown(SOCKET(socket), SD_BOTH);
}

void Socket_Close(int socket)
{
    closesocket(SOCKET(socket));
}

int Socket_Last_Error()
{
    return WSAGetLastError();
}

bool Is_Connection_Reset(int code)
{
    return code == WSAECONNRESET || code == WSAECONNABORTED || code == WSAESHUTDOWN;
}

TConnect_Outcome Connect_Outcome_Of(int code)
{
    switch (code) {
    case 0:
        return TConnect_Outcome::Connected;
    case WSAECONNREFUSED:
        return TConnect_Outcome::Refused;
    case WSAETIMEDOUT:
        return TConnect_Outcome::Timed_Out;
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
    case WSAENETDOWN:
    case WSAEHOSTDOWN:
    case WSAEACCES:
        return TConnect_Outcome::Unreachable;
    default:
        return TConnect_Outcome::Failed;
    }
}

#endif
