#include "platform/UHttp_Answer.h"

#include <QList>
#include <QStringDecoder>
#include <QUrl>

namespace {

bool Is_Digits(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// "HTTP/" then the version, a blank, three digits, and a reason or nothing.
bool Read_Status_Line(const QByteArray &line, int &status)
{
    const int blank = line.indexOf(' ');
    if (!line.startsWith("HTTP/") || blank < 0)
        return false;
    const QByteArray code = line.mid(blank + 1, 3);
    if (code.size() != 3 || !Is_Digits(code)
        || (line.size() > blank + 4 && line.at(blank + 4) != ' '))
        return false;
    status = code.toInt();
    return true;
}

} // namespace

QByteArray Http_Get_Request(const QUrl &url, const QByteArray &accept, const QByteArray &userAgent)
{
    QByteArray target =
        url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (!target.startsWith('/'))
        target.prepend('/');
    const QByteArray host = url.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toLatin1();
    return "GET " + target + " HTTP/1.0\r\nHost: " + host + "\r\nAccept: " + accept
           + "\r\nUser-Agent: " + userAgent + "\r\n\r\n";
}

THttp_Answer::THttp_Answer(qint64 bodyLimit) : m_bodyLimit(bodyLimit) {}

THttp_Answer::TState THttp_Answer::Add(const QByteArray &bytes)
{
    if (m_state != Incomplete)
        return m_state;
    if (m_headRead)
        return Take_Body(bytes);
    m_head += bytes;
    // Headers end with an empty line; servers that end lines with LF alone are taken too.
    int end = m_head.indexOf("\r\n\r\n");
    int separator = 4;
    const int bareEnd = m_head.indexOf("\n\n");
    if (bareEnd >= 0 && (end < 0 || bareEnd < end)) {
        end = bareEnd;
        separator = 2;
    }
    if (end < 0 || end > Http_Header_Limit)
        return m_state = m_head.size() > Http_Header_Limit ? Failed : Incomplete;
    const QByteArray rest = m_head.mid(end + separator);
    m_head.truncate(end);
    m_headRead = true;
    if (Read_Head(m_head) == Failed)
        return m_state = Failed;
    return Take_Body(rest);
}

THttp_Answer::TState THttp_Answer::Read_Head(const QByteArray &head)
{
    const QList<QByteArray> lines = head.split('\n');
    if (!Read_Status_Line(lines.first().trimmed(), m_status))
        return Failed;
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon <= 0)
            return Failed;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            // Two different lengths leave no way to tell where the body ends.
            if (!Is_Digits(value) || value.size() > 18
                || (m_length >= 0 && m_length != value.toLongLong()))
                return Failed;
            m_length = value.toLongLong();
        } else if (name == "content-type") {
            m_contentType += (m_contentType.isEmpty() ? QByteArray() : QByteArray(", ")) + value;
        } else if (name == "transfer-encoding" && value.toLower() != "identity") {
            // Chunks belong to HTTP/1.1: an answer to an HTTP/1.0 request has none.
            return Failed;
        }
    }
    return m_length > m_bodyLimit ? Failed : Incomplete;
}

THttp_Answer::TState THttp_Answer::Take_Body(const QByteArray &bytes)
{
    m_body += bytes;
    if (m_length >= 0 && m_body.size() >= m_length) {
        m_body.truncate(m_length);
        return m_state = Complete;
    }
    return m_state = m_body.size() > m_bodyLimit ? Failed : Incomplete;
}

THttp_Answer::TState THttp_Answer::Close()
{
    if (m_state == Incomplete)
        m_state = !m_headRead || (m_length >= 0 && m_body.size() < m_length) ? Failed : Complete;
    return m_state;
}

QString Decode_Http_Body(const QByteArray &bytes, const QByteArray &contentType)
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
