#include "platform/UModbus_Socket.h"

#ifndef Q_OS_WIN

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

bool Sockets_Start(QString &)
{
    return true;
}

void Sockets_Stop() {}

int Socket_Connect_Begin(uint32_t address, uint16_t port, bool &pending, int &code)
{
    pending = false;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        code = errno;
        return No_Socket;
    }
    // Requests are a dozen bytes each: send each at once.
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
    sockaddr_in target = {};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = htonl(address);
    code = 0;
    if (connect(fd, reinterpret_cast<const sockaddr *>(&target), sizeof(target)) != 0) {
        code = errno;
        pending = code == EINPROGRESS || code == EINTR;
    }
    return fd;
}

int Socket_Wait(int socket, bool writable, int ms, int &code)
{
    pollfd watch = {socket, short(writable ? POLLOUT : POLLIN), 0};
    const int ready = poll(&watch, 1, ms);
    if (ready < 0) {
        code = errno;
        return code == EINTR ? 0 : -1;
    }
    return ready > 0 ? 1 : 0;
}

int Socket_Connect_Error(int socket)
{
    int error = 0;
    socklen_t size = sizeof(error);
    if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        return errno;
    return error;
}

int Socket_Send(int socket, const uint8_t *data, int size, int &code)
{
    const ssize_t sent = send(socket, data, size_t(size), MSG_NOSIGNAL);
    if (sent < 0)
        code = errno;
    return int(sent);
}

int Socket_Peek(int socket, int &code)
{
    char byte = 0;
    const ssize_t got = recv(socket, &byte, 1, MSG_PEEK);
    if (got < 0)
        code = errno;
    return int(got);
}

void Socket_Shutdown(int socket)
{
    shutdown(socket, SHUT_RDWR);
}

void Socket_Close(int socket)
{
    close(socket);
}

int Socket_Last_Error()
{
    return errno;
}

bool Is_Connection_Reset(int code)
{
    return code == ECONNRESET || code == ECONNABORTED || code == EPIPE;
}

TConnect_Outcome Connect_Outcome_Of(int code)
{
    switch (code) {
    case 0:
        return TConnect_Outcome::Connected;
    case ECONNREFUSED:
        return TConnect_Outcome::Refused;
    case ETIMEDOUT:
        return TConnect_Outcome::Timed_Out;
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ENETDOWN:
    case EHOSTDOWN:
    // A route or a rule of this computer's that forbids the way.
    case EACCES:
    case EPERM:
        return TConnect_Outcome::Unreachable;
    default:
        return TConnect_Outcome::Failed;
    }
}

#endif
