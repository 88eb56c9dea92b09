#pragma once
// One ICMP echo request over IPv4 to a device given by its dotted-quad
// address, with a bounded wait for the reply.

#include <QByteArray>
#include <QString>
#include <cstdint>

// The outcome of one echo request.
struct TEcho_Reply
{
    // False when nothing was sent: the address is no dotted quad, or no way
    // of sending ICMP works here; Error then says why.
    bool Sent = false;
    // Size of the ICMP reply (header and data); 0 when none came in time.
    int Bytes_Received = 0;
    QString Error;
};

// The ways of sending an echo, tried in this order where the system has them.
enum class TEcho_Way
{
    Helper_Api,      // the system's ICMP helper (Windows), no special rights
    Datagram_Socket, // unprivileged ICMP socket (allowed ping group)
    Raw_Socket,      // raw ICMP socket (administrator rights)
    System_Ping      // the system's ping program, one echo
};

// Reads a numeric dotted quad: four decimal parts 0..255 without leading zeros
// (blanks around parts ignored, as Check_IP_Address reads them). No name
// lookup ever. address holds the first part in its top byte.
bool Parse_Dotted_Quad(const QString &text, uint32_t &address);

// Sends one echo request carrying data to host and waits at most timeoutMs
// for the reply, by the first way that is available here.
TEcho_Reply Echo_Request(const QString &host, const QByteArray &data, int timeoutMs);

// The same by one given way; Unavailable tells that the way does not exist
// or is not allowed here, so the next one may be tried.
TEcho_Reply Echo_Request_By(TEcho_Way way, const QString &host, const QByteArray &data,
                            int timeoutMs, bool *unavailable = nullptr);
