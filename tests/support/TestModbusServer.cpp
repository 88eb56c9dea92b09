// A scripted Modbus TCP server on 127.0.0.1 for the faults no real slave makes (TestModbusServer.h).
#include "TestModbusServer.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace {

// The header's 7 bytes, then function, start and count of a read.
constexpr int Read_Request_Size = 12;

int Word(const QByteArray &bytes, int at)
{
    return (uint8_t(bytes.at(at)) << 8) | uint8_t(bytes.at(at + 1));
}

void Put_Word(QByteArray &bytes, int value)
{
    bytes.append(char(value >> 8)).append(char(value & 0xFF));
}

} // namespace

uint16_t Peer_Value(int function, int address)
{
    return uint16_t((function == 4 ? 0xA000 : 0x5000) + address);
}

uint16_t Served_Value(TServer_Behaviour behaviour, int function, int address)
{
    return behaviour == TServer_Behaviour::Repeat_First ? uint16_t(1000 + address) : Peer_Value(function, address);
}

TTestModbusServer::TTestModbusServer(TServer_Behaviour behaviour, int exceptionCode)
    : Behaviour(behaviour), Exception_Code(exceptionCode)
{
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            socket->setParent(this);
            ++Open_Connections;
            // A client that closes with an answer still unread resets the
            // connection; on Windows the socket then reports the reset alone.
            const auto closed = [this, socket] {
                if (!socket->property("closed").toBool()) {
                    socket->setProperty("closed", true);
                    --Open_Connections;
                }
            };
            connect(socket, &QTcpSocket::disconnected, this, closed);
            connect(socket, &QTcpSocket::errorOccurred, this, closed);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read_Requests(socket); });
            if (Behaviour == TServer_Behaviour::Close_At_Once)
                socket->disconnectFromHost();
        }
    });
}

void TTestModbusServer::Read_Requests(QTcpSocket *socket)
{
    QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    while (pending.size() >= 6 && pending.size() >= 6 + Word(pending, 4)) {
        const QByteArray request = pending.left(6 + Word(pending, 4));
        pending.remove(0, request.size());
        if (request.size() >= 8)
            Functions.append(uint8_t(request.at(7)));
        if (request.size() >= Read_Request_Size)
            Answer(socket, request);
    }
    socket->setProperty("pending", pending);
}

void TTestModbusServer::Answer(QTcpSocket *socket, const QByteArray &request)
{
    const int transaction = Word(request, 0);
    const int unit = uint8_t(request.at(6));
    const int function = uint8_t(request.at(7));
    const int start = Word(request, 8);
    int count = Word(request, 10);
    QByteArray pdu;
    if (Behaviour == TServer_Behaviour::Exception || start >= Exception_From) {
        pdu.append(char(function | 0x80)).append(char(Exception_Code));
    } else {
        if (Behaviour == TServer_Behaviour::Short_Frame)
            --count;
        else if (Behaviour == TServer_Behaviour::Long_Frame)
            ++count;
        const int answered = Behaviour == TServer_Behaviour::Other_Function ? function ^ 7 : function;
        pdu.append(char(answered)).append(char(2 * count));
        for (int i = 0; i < count; ++i)
            Put_Word(pdu, answered == 4 && Input_Values.contains(start + i) ? Input_Values.value(start + i)
                                                                           : Served_Value(Behaviour, answered, start + i));
    }
    QByteArray frame;
    Put_Word(frame, Behaviour == TServer_Behaviour::Other_Transaction ? transaction + 1 : transaction);
    Put_Word(frame, 0);
    Put_Word(frame, 1 + int(pdu.size()));
    frame.append(char(Behaviour == TServer_Behaviour::Other_Unit ? unit + 1 : unit)).append(pdu);
    switch (Behaviour) {
    case TServer_Behaviour::Silent:
    case TServer_Behaviour::Close_At_Once:
        return;
    case TServer_Behaviour::Close_After_Request:
        socket->disconnectFromHost();
        return;
    case TServer_Behaviour::Http_Answer:
        socket->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n");
        return;
    case TServer_Behaviour::Repeat_First:
        if (Functions.size() == 1)
            socket->write(frame);
        socket->write(frame);
        return;
    case TServer_Behaviour::Half_Then_Close:
        socket->write(frame.left(9));
        socket->disconnectFromHost();
        return;
    case TServer_Behaviour::Half_Then_Silent:
        socket->write(frame.left(9));
        return;
    default:
        socket->write(frame);
        return;
    }
}
