#include <QtGlobal>

#ifdef Q_OS_WIN

// winsock2 must come before anything that pulls in windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include "update/UEcho_Ways.h"

#include <vector>

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
    if (replies > 0) {
        const auto *echo = reinterpret_cast<const ICMP_ECHO_REPLY *>(answer.data());
        reply.Sent = true;
        if (echo->Status == IP_SUCCESS)
            reply.Bytes_Received = int(echo->DataSize) + 8;
    } else {
        const DWORD error = GetLastError();
        // IP_* codes report what happened to a request that went out.
        if (error >= IP_STATUS_BASE && error <= IP_GENERAL_FAILURE)
            reply.Sent = true;
        else
            reply.Error = QStringLiteral("Sending the echo request: %1")
                              .arg(qt_error_string(int(error)));
    }
    IcmpCloseHandle(icmp);
    return reply;
}

#endif
