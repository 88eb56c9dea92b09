#include "platform/UHttp_Get.h"

#include "common/UVersion.h"
#include "platform/UHttp_Answer.h"
#include "ui/UInput_Blocker.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

// A plain HTTP/1.0 exchange on this thread over a socket of its own: nothing
// (cookies, connections) is carried from one check to the next, and when the
// limit runs out the socket is dropped at once, whatever the server still
// sends.
bool Http_Get_Text(const QString &url, int timeoutMs, QString &body)
{
    body.clear();
    const QUrl address(url);
    if (!address.isValid() || address.scheme() != QLatin1String("http") || address.host().isEmpty())
        return false;

    THttp_Answer answer(Version_Reply_Limit);
    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    // What waits unread stays small even when the server sends without end.
    socket.setReadBufferSize(Http_Header_Limit + Version_Reply_Limit);
    QEventLoop loop;
    // A refused connection may be reported before the loop runs.
    bool done = false;
    const auto Finish = [&done, &loop] {
        done = true;
        loop.quit();
    };
    const auto Take = [&answer, &socket, Finish] {
        if (answer.Add(socket.readAll()) != THttp_Answer::Incomplete)
            Finish();
    };
    const auto Closed = [&answer, &socket, Finish] {
        if (answer.Add(socket.readAll()) == THttp_Answer::Incomplete)
            answer.Close();
        Finish();
    };
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&socket, &address] {
        socket.write(Http_Get_Request(address, Version_Request_Accept, Version_Request_User_Agent));
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, Take);
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, Closed);
    QObject::connect(&socket, &QAbstractSocket::errorOccurred, &loop,
                     [Finish, Closed](QAbstractSocket::SocketError error) {
                         // HTTP/1.0 ends a body without a length by closing.
                         if (error == QAbstractSocket::RemoteHostClosedError)
                             Closed();
                         else
                             Finish();
                     });
    QTimer deadline;
    deadline.setSingleShot(true);
    // A coarse timer may fire 5 % early: the limit is the limit.
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);

    socket.connectToHost(address.host(), quint16(address.port(80)));
    deadline.start(timeoutMs);
    if (!done) {
        const TInput_Blocker blocker;
        loop.exec();
    }
    // Dropping the socket reports a close, which would end a body without a
    // length: a request that ran out of time is a failure, whatever came.
    QObject::disconnect(&socket, nullptr, &loop, nullptr);
    socket.abort();

    if (answer.State() != THttp_Answer::Complete || answer.Status() < 200 || answer.Status() > 299)
        return false;
    body = Decode_Http_Body(answer.Body(), answer.Content_Type());
    return true;
}
