#pragma once
// A real HTTP server on 127.0.0.1 for the version check: it answers every
// request with one canned reply, or misbehaves as a broken server would
// (never answers, closes at once, sends without end or a byte at a time),
// and keeps the requests.

#include <QByteArray>
#include <QList>
#include <QTcpServer>

class QTcpSocket;

class TTestHttpServer : public QTcpServer
{
public:
    TTestHttpServer();

    // "http://127.0.0.1:<port>", the base the check is pointed at.
    QString Base_Url() const;

    // The raw answer sent to every request; Silent keeps the connection open
    // without answering.
    QByteArray Reply;
    bool Silent = false;
    // Sends Reply at once but keeps the connection open without end.
    bool Hold_Open = false;
    // Closes each connection as soon as it is accepted, before reading it.
    bool Close_At_Once = false;
    // After Reply, goes on sending blanks and never ends the answer.
    bool Endless = false;
    // Sends the headers at once, then one byte every Trickle_Ms milliseconds
    // (0: everything as fast as it can).
    int Trickle_Ms = 0;
    // Each request as received, up to the end of its headers.
    QList<QByteArray> Requests;

private:
    void Read_Request(QTcpSocket *socket);
    void Send_Next(QTcpSocket *socket);
};

// A whole HTTP answer: status line, the given extra headers, the body.
QByteArray Http_Answer(const QByteArray &status, const QByteArray &body,
                       const QByteArray &headers = QByteArray());

// A port on 127.0.0.1 on which nothing listens.
quint16 Refused_Port();
// "http://127.0.0.1:<port>" with nothing listening there.
QString Refused_Url();

// Has server answer every request with answer: the base to point the check
// at, or one where nothing listens when answer is empty.
QString Serve(TTestHttpServer &server, const QByteArray &answer);
