#include "platform/UEcho_Ways.h"

#ifndef Q_OS_WIN

#include <QProcess>
#include <QRegularExpression>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const uint8_t Icmp_Echo_Reply = 0;
const uint8_t Icmp_Echo_Request = 8;
const int Icmp_Header_Size = 8;

uint16_t Internet_Checksum(const QByteArray &bytes)
{
    uint32_t sum = 0;
    for (int i = 0; i + 1 < bytes.size(); i += 2)
        sum += (uint32_t(uint8_t(bytes[i])) << 8) | uint8_t(bytes[i + 1]);
    if (bytes.size() % 2)
        sum += uint32_t(uint8_t(bytes[bytes.size() - 1])) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return uint16_t(~sum);
}

void Put_Word(QByteArray &bytes, int offset, uint16_t value)
{
    bytes[offset] = char(value >> 8);
    bytes[offset + 1] = char(value & 0xFF);
}

uint16_t Get_Word(const char *bytes)
{
    return uint16_t((uint8_t(bytes[0]) << 8) | uint8_t(bytes[1]));
}

QByteArray Echo_Packet(uint16_t id, uint16_t sequence, const QByteArray &data)
{
    QByteArray packet(Icmp_Header_Size, '\0');
    packet[0] = char(Icmp_Echo_Request);
    Put_Word(packet, 4, id);
    Put_Word(packet, 6, sequence);
    packet.append(data);
    Put_Word(packet, 2, Internet_Checksum(packet));
    return packet;
}

QString Errno_Text(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), qt_error_string(errno));
}

// The address as a plain dotted quad, without leading zeros that another
// reader could take for octal.
QString Dotted_Quad_Text(uint32_t address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

// The ICMP part of a received datagram: raw sockets (and datagram sockets on
// some systems) deliver the IPv4 header in front, which starts with version 4.
bool Icmp_Part(const char *buffer, int size, const char *&icmp, int &icmpSize)
{
    int offset = 0;
    if (size > 0 && (uint8_t(buffer[0]) >> 4) == 4)
        offset = (uint8_t(buffer[0]) & 0x0F) * 4;
    if (size - offset < Icmp_Header_Size)
        return false;
    icmp = buffer + offset;
    icmpSize = size - offset;
    return true;
}

// Waits until deadline for the echo reply that answers (id, sequence) from
// the address; its ICMP size, or 0 when none came.
int Wait_For_Reply(int fd, bool raw, const sockaddr_in &target, uint16_t id, uint16_t sequence,
                   std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    char buffer[65536];
    for (;;) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0)
            return 0;
        pollfd watch = {fd, POLLIN, 0};
        const int ready = poll(&watch, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return 0;
        sockaddr_in from = {};
        socklen_t fromSize = sizeof(from);
        const ssize_t got = recvfrom(fd, buffer, sizeof(buffer), 0,
                                     reinterpret_cast<sockaddr *>(&from), &fromSize);
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return 0;
        }
        const int size = Echo_Reply_Size(QByteArray::fromRawData(buffer, int(got)),
                                         ntohl(from.sin_addr.s_addr), ntohl(target.sin_addr.s_addr),
                                         raw, id, sequence);
        if (size > 0)
            return size;
    }
}

} // namespace

int Echo_Reply_Size(const QByteArray &datagram, uint32_t from, uint32_t target, bool raw,
                    uint16_t id, uint16_t sequence)
{
    const char *icmp = nullptr;
    int icmpSize = 0;
    if (from != target || !Icmp_Part(datagram.constData(), int(datagram.size()), icmp, icmpSize)
        || uint8_t(icmp[0]) != Icmp_Echo_Reply || Get_Word(icmp + 6) != sequence)
        return 0;
    // A datagram socket puts its own identifier in; the kernel matches it.
    if (raw && Get_Word(icmp + 4) != id)
        return 0;
    return icmpSize;
}

TEcho_Reply Echo_By_Socket(bool raw, uint32_t address, const QByteArray &data, int timeoutMs,
                           bool &unavailable)
{
    // Echoes go out from several threads at once (checks side by side): each
    // takes its own sequence number.
    static std::atomic<uint16_t> next_sequence{0};
    TEcho_Reply reply;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const int fd = socket(AF_INET, raw ? SOCK_RAW : SOCK_DGRAM, IPPROTO_ICMP);
    if (fd < 0) {
        unavailable = true;
        reply.Error = Errno_Text(raw ? "Raw ICMP socket" : "ICMP datagram socket");
        return reply;
    }
    fcntl(fd, F_SETFD, FD_CLOEXEC);

    const uint16_t sequence = ++next_sequence;
    const uint16_t id = uint16_t(getpid());
    sockaddr_in target = {};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = htonl(address);
    const QByteArray packet = Echo_Packet(id, sequence, data);
    if (sendto(fd, packet.constData(), size_t(packet.size()), 0,
               reinterpret_cast<const sockaddr *>(&target), sizeof(target))
        < 0) {
        reply.Error = Errno_Text("Sending the echo request");
    } else {
        reply.Sent = true;
        reply.Bytes_Received = Wait_For_Reply(fd, raw, target, id, sequence, deadline);
    }
    close(fd);
    return reply;
}

// The last resort: the system's ping for one echo of the same data size (it
// cannot carry the data itself), stopped when the wait is over.
TEcho_Reply Echo_By_Ping_Program(uint32_t address, const QByteArray &data, int timeoutMs,
                                 bool &unavailable)
{
    TEcho_Reply reply;
    QProcess ping;
    ping.start(QStringLiteral("ping"),
               {QStringLiteral("-n"), QStringLiteral("-c"), QStringLiteral("1"),
                QStringLiteral("-s"), QString::number(data.size()), Dotted_Quad_Text(address)});
    if (!ping.waitForStarted()) {
        unavailable = true;
        reply.Error = QStringLiteral("The ping program: %1").arg(ping.errorString());
        return reply;
    }
    if (!ping.waitForFinished(timeoutMs)) {
        ping.kill();
        ping.waitForFinished();
        reply.Sent = true;
        return reply;
    }
    static const QRegularExpression answered(QStringLiteral("(\\d+) bytes from"));
    const QRegularExpressionMatch match =
        answered.match(QString::fromLocal8Bit(ping.readAllStandardOutput()));
    if (match.hasMatch()) {
        reply.Sent = true;
        reply.Bytes_Received = match.captured(1).toInt();
    } else if (ping.exitStatus() == QProcess::NormalExit && ping.exitCode() == 1) {
        // ping's own verdict for an echo that went out and was not answered.
        reply.Sent = true;
    } else {
        reply.Error = QStringLiteral("The ping program: %1")
                          .arg(QString::fromLocal8Bit(ping.readAllStandardError()).trimmed());
    }
    return reply;
}

#endif
