#include "TestHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>

TTestHttpServer::TTestHttpServer()
{
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            socket->setParent(this);
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
    socket->write(Reply);
    socket->disconnectFromHost();
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
