#pragma once
// A scripted Modbus TCP server on 127.0.0.1 for the faults no real slave
// makes on purpose: it answers each read request properly, or with another
// transaction id, unit or function, with a register too few or too many,
// with an exception, with half a frame and then a close or silence, twice,
// with a web server's answer, closes at once or after the request, or never
// answers. It serves the values the independent peer serves (Peer_Value) but
// where a behaviour says otherwise (Served_Value), and keeps what it was
// asked. It runs in the thread that made it, so the check under
// test runs on a thread of its own.

#include <QHash>
#include <QList>
#include <QTcpServer>
#include <cstdint>

class QTcpSocket;

enum class TServer_Behaviour {
    Answer,
    Silent,
    Close_At_Once,
    Other_Transaction,
    Other_Unit,
    Short_Frame,   // one register fewer than asked, in a frame that is whole
    Half_Then_Close,
    Half_Then_Silent,
    Exception,     // every read refused with Exception_Code
    Repeat_First,  // the first answer sent twice, every read answered with 1000 + address
    Other_Function,   // an answer to the other read function, 03 for 04 and 04 for 03
    Long_Frame,    // one register more than asked, in a frame that is whole
    Http_Answer,   // a web server's answer to what it takes for a request
    Close_After_Request   // reads the request, then ends the connection cleanly
};

// What the peers hold: input registers 0xA000 + address, holding registers
// 0x5000 + address (modbus_peer.py serves addresses 0..99).
uint16_t Peer_Value(int function, int address);
// What the scripted server answers a read of address with, behaving so.
uint16_t Served_Value(TServer_Behaviour behaviour, int function, int address);

class TTestModbusServer : public QTcpServer
{
public:
    explicit TTestModbusServer(TServer_Behaviour behaviour = TServer_Behaviour::Answer,
                               int exceptionCode = 0);

    TServer_Behaviour Behaviour;
    int Exception_Code;
    // Answering, reads that start at this address or above get Exception_Code.
    int Exception_From = 65536;
    // Answering, input registers served with these values instead, by address.
    QHash<int, uint16_t> Input_Values;
    // The function code of every request received.
    QList<int> Functions;
    // Connections accepted and not yet closed by the client.
    int Open_Connections = 0;

private:
    void Read_Requests(QTcpSocket *socket);
    void Answer(QTcpSocket *socket, const QByteArray &request);
};
