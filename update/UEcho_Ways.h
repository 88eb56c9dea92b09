#pragma once
// The platform's ways of sending one echo request, behind Echo_Request_By.
// address is a parsed dotted quad (first part in the top byte); unavailable
// is set when the way does not exist or is not allowed here.

#include "update/UEcho.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
TEcho_Reply Echo_By_Helper_Api(uint32_t address, const QByteArray &data, int timeoutMs,
                               bool &unavailable);
#else
TEcho_Reply Echo_By_Socket(bool raw, uint32_t address, const QByteArray &data, int timeoutMs,
                           bool &unavailable);
TEcho_Reply Echo_By_Ping_Program(uint32_t address, const QByteArray &data, int timeoutMs,
                                 bool &unavailable);
#endif

// The address as a plain dotted quad, without leading zeros that another
// reader could take for octal.
QString Dotted_Quad_Text(uint32_t address);
