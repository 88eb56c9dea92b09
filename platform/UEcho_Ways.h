#pragma once
// The platform's ways of sending one echo request, behind Echo_Request_By.
// address is a parsed dotted quad (first part in the top byte); unavailable
// is set when the way does not exist or is not allowed here.

#include "platform/UEcho.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
TEcho_Reply Echo_By_Helper_Api(uint32_t address, const QByteArray &data, int timeoutMs,
                               bool &unavailable);
// True for the ICMP helper's statuses that say no way leads to the address
// (network, host, protocol or port unreachable, a bad route or destination).
bool Is_Unreachable_Status(unsigned long status);
#else
TEcho_Reply Echo_By_Socket(bool raw, uint32_t address, const QByteArray &data, int timeoutMs,
                           bool &unavailable);
TEcho_Reply Echo_By_Ping_Program(uint32_t address, const QByteArray &data, int timeoutMs,
                                 bool &unavailable);
// The ICMP size of a received datagram (with or without its IPv4 header) when
// it is the echo reply from target to the request (id, sequence), else 0: a
// reply from any other address does not count.
int Echo_Reply_Size(const QByteArray &datagram, uint32_t from, uint32_t target, bool raw,
                    uint16_t id, uint16_t sequence);
#endif
