// A real HTTP server on 127.0.0.1 with canned or broken replies (TestHttpServer.h).
#include "TestHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

namespace {
// What is sent in one go, and how much may wait in the socket at a time.
constexpr int Chunk_Size = 64 * 1024;
} // namespace

TTestHttpServer::TTestHttpServer()
{
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            socket->setParent(this);
            if (Close_At_Once) {
                socket->close();
                continue;
            }
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read_Request(socket); });
        }
    });
}

QString TTestHttpServer::Base_Url() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(serverPort());
}

void TTestHttpServer::Read_Request(QTcpSocket *socket)
{
    QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    const int end = pending.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("pending", pending);
        return;
    }
    socket->setProperty("pending", QByteArray());
    Requests.append(pending.left(end + 4));
    if (Silent)
        return;
    if (Trickle_Ms == 0 && !Endless) {
        socket->write(Reply);
        if (!Hold_Open)
            socket->disconnectFromHost();
        return;
    }
    socket->setProperty("sent", 0);
    if (Trickle_Ms > 0) {
        const int headers = Reply.indexOf("\r\n\r\n") + 4;
        socket->write(Reply.left(headers));
        socket->setProperty("sent", headers);
        auto *timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [this, socket] { Send_Next(socket); });
        timer->start(Trickle_Ms);
    } else {
        connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket] { Send_Next(socket); });
        Send_Next(socket);
    }
}

void TTestHttpServer::Send_Next(QTcpSocket *socket)
{
    if (socket->state() != QAbstractSocket::ConnectedState || socket->bytesToWrite() > Chunk_Size)
        return;
    const int sent = socket->property("sent").toInt();
    const int size = Trickle_Ms > 0 ? 1 : Chunk_Size;
    QByteArray next = Reply.mid(sent, size);
    if (next.isEmpty() && !Endless) {
        socket->disconnectFromHost();
        return;
    }
    if (next.size() < size && Endless)
        next.append(QByteArray(size - next.size(), ' '));
    socket->setProperty("sent", int(qMin<qint64>(sent + next.size(), Reply.size())));
    socket->write(next);
}

QByteArray Http_Answer(const QByteArray &status, const QByteArray &body, const QByteArray &headers)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/html\r\nContent-Length: "
           + QByteArray::number(body.size()) + "\r\nConnection: close\r\n" + headers + "\r\n"
           + body;
}

quint16 Refused_Port()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

QString Refused_Url()
{
    return QStringLiteral("http://127.0.0.1:%1").arg(Refused_Port());
}

QString Serve(TTestHttpServer &server, const QByteArray &answer)
{
    server.Reply = answer;
    return answer.isEmpty() ? Refused_Url() : server.Base_Url();
}
