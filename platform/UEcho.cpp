#include "platform/UEcho.h"

#include "common/UComon.h"
#include "platform/UEcho_Ways.h"

#include <QStringList>

namespace {

// Decimal digits without a leading zero ("0" itself aside): the updater reads
// the address text as typed, and a reader that takes a leading zero for octal
// would address another device than the one tested.
bool Is_Decimal_Part(const QString &part)
{
    if (part.isEmpty() || (part.size() > 1 && part.at(0) == QLatin1Char('0')))
        return false;
    for (const QChar c : part)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

bool Parse_Dotted_Quad(const QString &text, uint32_t &address)
{
    QString parts[4];
    if (!Check_IP_Address(text, parts[0], parts[1], parts[2], parts[3]))
        return false;
    uint32_t value = 0;
    for (const QString &part : parts) {
        if (!Is_Decimal_Part(part))
            return false;
        value = (value << 8) | uint32_t(Read_Integer(part, 0));
    }
    address = value;
    return true;
}

TEcho_Reply Echo_Request_By(TEcho_Way way, const QString &host, const QByteArray &data,
                            int timeoutMs, bool *unavailable)
{
    bool missing = false;
    TEcho_Reply reply;
    uint32_t address = 0;
    if (!Parse_Dotted_Quad(host, address)) {
        reply.Error = QStringLiteral("\"%1\" is not a numeric IPv4 address").arg(host);
    } else {
        switch (way) {
#ifdef Q_OS_WIN
        case TEcho_Way::Helper_Api:
            reply = Echo_By_Helper_Api(address, data, timeoutMs, missing);
            break;
#else
        case TEcho_Way::Datagram_Socket:
            reply = Echo_By_Socket(false, address, data, timeoutMs, missing);
            break;
        case TEcho_Way::Raw_Socket:
            reply = Echo_By_Socket(true, address, data, timeoutMs, missing);
            break;
        case TEcho_Way::System_Ping:
            reply = Echo_By_Ping_Program(address, data, timeoutMs, missing);
            break;
#endif
        default:
            missing = true;
            reply.Error = QStringLiteral("This way of sending echo requests does not exist here");
            break;
        }
    }
    if (unavailable)
        *unavailable = missing;
    return reply;
}

TEcho_Reply Echo_Request(const QString &host, const QByteArray &data, int timeoutMs)
{
    static const TEcho_Way ways[] = {TEcho_Way::Helper_Api, TEcho_Way::Datagram_Socket,
                                     TEcho_Way::Raw_Socket, TEcho_Way::System_Ping};
    TEcho_Reply reply;
    QStringList reasons;
    for (const TEcho_Way way : ways) {
        bool unavailable = false;
        reply = Echo_Request_By(way, host, data, timeoutMs, &unavailable);
        if (!unavailable)
            return reply;
        reasons.append(reply.Error);
    }
    reasons.removeDuplicates();
    reply.Error = QStringLiteral("No way of sending ICMP echo requests works here: %1")
                      .arg(reasons.join(QStringLiteral("; ")));
    return reply;
}
