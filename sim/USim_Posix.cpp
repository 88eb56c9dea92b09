#include <QtGlobal>

#ifndef Q_OS_WIN

#include "sim/USim_System.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::atomic<bool> Stop_Asked{false};

void On_Stop_Signal(int)
{
    Stop_Asked = true;
}

bool Make_Non_Blocking(int socket)
{
    const int flags = fcntl(socket, F_GETFL);
    return flags != -1 && fcntl(socket, F_SETFL, flags | O_NONBLOCK) != -1;
}

QString Listen_Failure(int error)
{
    switch (error) {
    case EADDRINUSE:
        return QStringLiteral("the port is taken (something else listens there)");
    case EACCES:
        return QStringLiteral("ports below 1024 need root's rights here (choose one with --port)");
    case EADDRNOTAVAIL:
        return QStringLiteral("the address is not one of this machine's");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

} // namespace

bool Sim_Start_Network(QString &)
{
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

int Sim_Listen(uint32_t address, uint16_t port, QString &error)
{
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener == -1) {
        error = Listen_Failure(errno);
        return No_Socket;
    }
    // A restart may bind while the last run's connections linger in TIME_WAIT;
    // a port another socket listens on is still refused here.
    const int on = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(port);
    where.sin_addr.s_addr = htonl(address);
    if (bind(listener, reinterpret_cast<const sockaddr *>(&where), sizeof where) == -1
        || listen(listener, SOMAXCONN) == -1 || !Make_Non_Blocking(listener)) {
        error = Listen_Failure(errno);
        close(listener);
        return No_Socket;
    }
    return listener;
}

TSim_Accepted Sim_Accept(int listener, int &client)
{
    client = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (client != -1)
        return TSim_Accepted::Client;
    switch (errno) {
    case EMFILE:
    case ENFILE:
    case ENOBUFS:
    case ENOMEM:
        return TSim_Accepted::Out_Of_Sockets;
    default:
        return TSim_Accepted::None;
    }
}

void Sim_Close(int socket)
{
    close(socket);
}

int Sim_Receive(int socket, uint8_t *bytes, int size)
{
    const ssize_t got = recv(socket, bytes, static_cast<size_t>(size), 0);
    if (got < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? -1 : 0;
    return static_cast<int>(got);
}

bool Sim_Send(int socket, const uint8_t *bytes, int length)
{
    return send(socket, bytes, static_cast<size_t>(length), MSG_NOSIGNAL) == length;
}

void Sim_Wait(std::vector<TSim_Wait> &sockets, int timeoutMs)
{
    static std::vector<pollfd> polled;
    polled.resize(sockets.size());
    for (size_t i = 0; i < sockets.size(); ++i)
        polled[i] = {sockets[i].Socket, POLLIN, 0};
    const int ready = poll(polled.data(), polled.size(), timeoutMs);
    for (size_t i = 0; i < sockets.size(); ++i)
        sockets[i].Ready = ready > 0 && polled[i].revents != 0;
}

void Sim_Catch_Stop()
{
    // No SA_RESTART: the signal ends the wait in poll() at once.
    struct sigaction action{};
    action.sa_handler = On_Stop_Signal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool Sim_Stop_Requested()
{
    return Stop_Asked;
}

void Sim_Stopped()
{
}

#endif
