#include "app/UPlatform.h"

#include "options/UVersion.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QUrl>

// The body in the charset the answer names; HTTP's own default otherwise.
static QString Decode_Body(const QByteArray &bytes, const QByteArray &contentType)
{
    const int at = contentType.toLower().indexOf("charset=");
    if (at >= 0) {
        QByteArray charset = contentType.mid(at + 8);
        const int end = charset.indexOf(';');
        if (end >= 0)
            charset.truncate(end);
        charset = charset.trimmed();
        if (charset.startsWith('"') && charset.endsWith('"') && charset.size() >= 2)
            charset = charset.mid(1, charset.size() - 2);
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return QString::fromLatin1(bytes);
}

bool TPlatform::Http_Get(const QString &url, int timeoutMs, QString &body)
{
    body.clear();
    // A manager of its own per request: nothing (cookies, connections) is
    // carried from one check to the next.
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    manager.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);

    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("Accept", Version_Request_Accept);
    request.setRawHeader("User-Agent", Version_Request_User_Agent);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setTransferTimeout(timeoutMs);

    QNetworkReply *reply = manager.get(request);
    bool tooLong = false;
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, &tooLong](qint64 received, qint64 total) {
                         if (received > Version_Reply_Limit || total > Version_Reply_Limit) {
                             tooLong = true;
                             reply->abort();
                         }
                     });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLong || reply->error() != QNetworkReply::NoError || status < 200 || status > 299)
        return false;
    const QByteArray bytes = reply->readAll();
    if (bytes.size() > Version_Reply_Limit)
        return false;
    body = Decode_Body(bytes, reply->rawHeader("Content-Type"));
    return true;
}
