#pragma once
// The version request's HTTP/1.0 exchange without the network: the request's
// bytes, and the answer read piece by piece as it arrives, with limits on its
// headers and its body so that a broken or hostile server cannot make the
// program hold more than a few kilobytes.

#include <QByteArray>
#include <QString>

class QUrl;

// Headers longer than this are no answer of the version page.
constexpr int Http_Header_Limit = 16 * 1024;

// "GET <path and query> HTTP/1.0" with the Host, Accept and User-Agent
// headers and nothing else: no cookies, no keep-alive.
QByteArray Http_Get_Request(const QUrl &url, const QByteArray &accept,
                            const QByteArray &userAgent);

class THttp_Answer
{
public:
    enum TState { Incomplete, Complete, Failed };

    // bodyLimit: the longest body taken; a longer one fails the answer.
    explicit THttp_Answer(qint64 bodyLimit);

    // Takes the next received bytes; the answer's state after them. Once
    // complete or failed, further bytes change nothing.
    TState Add(const QByteArray &bytes);
    // The server closed the connection: without an announced length that
    // ends the body; before the headers ended, or short of the announced
    // length, the answer failed.
    TState Close();

    TState State() const { return m_state; }
    int Status() const { return m_status; }
    // The Content-Type values, joined by ", " when there were several.
    QByteArray Content_Type() const { return m_contentType; }
    QByteArray Body() const { return m_body; }

private:
    TState Read_Head(const QByteArray &head);
    TState Take_Body(const QByteArray &bytes);

    qint64 m_bodyLimit;
    TState m_state = Incomplete;
    bool m_headRead = false;
    QByteArray m_head;
    int m_status = 0;
    qint64 m_length = -1; // announced by Content-Length; -1 when not
    QByteArray m_contentType;
    QByteArray m_body;
};

// The body as text in the charset its Content-Type names; Latin-1 (HTTP's
// own default) when it names none or one this system does not know.
QString Decode_Http_Body(const QByteArray &bytes, const QByteArray &contentType);
