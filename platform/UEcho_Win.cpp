#include <QtGlobal>

#ifdef Q_OS_WIN

// winsock2 must come before anything that pulls in windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include "platform/UEcho_Ways.h"

#include <vector>

bool Is_Unreachable_Status(unsigned long status)
{
    switch (status) {
    case IP_DEST_NET_UNREACHABLE:
    case IP_DEST_HOST_UNREACHABLE:
    case IP_DEST_PROT_UNREACHABLE:
    case IP_DEST_PORT_UNREACHABLE:
    case IP_BAD_ROUTE:
    case IP_BAD_DESTINATION:
    case IP_DEST_UNREACHABLE:
        return true;
    default:
        return false;
    }
}

// The ICMP helper API sends echo requests without administrator rights.
TEcho_Reply Echo_By_Helper_Api(uint32_t address, const QByteArray &data, int timeoutMs,
                               bool &unavailable)
{
    TEcho_Reply reply;
    const HANDLE icmp = IcmpCreateFile();
    if (icmp == INVALID_HANDLE_VALUE) {
        unavailable = true;
        reply.Error = QStringLiteral("ICMP helper: %1").arg(qt_error_string(int(GetLastError())));
        return reply;
    }
    // Room for one reply with the echoed data, an ICMP error and the status block.
    std::vector<char> answer(sizeof(ICMP_ECHO_REPLY) + size_t(data.size()) + 8 + 64);
    QByteArray request = data;
    const IPAddr target = htonl(address);
    const DWORD replies =
        IcmpSendEcho(icmp, target, request.data(), WORD(request.size()), nullptr, answer.data(),
                     DWORD(answer.size()), DWORD(timeoutMs));
    const DWORD status = replies > 0
                             ? reinterpret_cast<const ICMP_ECHO_REPLY *>(answer.data())->Status
                             : GetLastError();
    if (replies > 0 && status == IP_SUCCESS) {
        reply.Sent = true;
        reply.Bytes_Received =
            int(reinterpret_cast<const ICMP_ECHO_REPLY *>(answer.data())->DataSize) + 8;
    } else if (Is_Unreachable_Status(status)) {
        // No way leads there: told as an address to check, like a send that
        // fails for want of a route elsewhere, not as a device that is silent.
        reply.Error = QStringLiteral("The address cannot be reached (ICMP status %1)").arg(status);
    } else if (status >= IP_STATUS_BASE && status <= IP_GENERAL_FAILURE) {
        // The other IP_* codes report what happened to a request that went out.
        reply.Sent = true;
    } else {
        reply.Error = QStringLiteral("Sending the echo request: %1").arg(qt_error_string(int(status)));
    }
    IcmpCloseHandle(icmp);
    return reply;
}

#endif
