#pragma once
// The online version check without its windows: reading a version text, the
// rule that decides whether a reply offers a newer version, and the addresses
// on the maker's web server.

#include <QString>
#include <cstdint>

// How long the whole version request may take before it counts as failed.
constexpr int Version_Request_Limit_Ms = 10000;
// A longer reply counts as failed: the version page answers a few bytes.
constexpr qint64 Version_Reply_Limit = 64 * 1024;

// The headers the version request sends.
extern const QByteArray Version_Request_Accept;
extern const QByteArray Version_Request_User_Agent;

// The version page with the software code, and the download page, on the web
// server at base (scheme and host).
QString Version_Page_Url(const QString &base);
QString Download_Page_Url(const QString &base);
// A link caption: caption as an anchor to url.
QString Link_Html(const QString &url, const QString &caption);

// The version number of a version text ("1.102" gives 1102), or -1.
int32_t Conv_Version(const QString &text);

// True when a reply of the version page names a version newer than SW_Version.
bool Reply_Offers_Newer_Version(const QString &reply);
