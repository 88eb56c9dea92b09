#pragma once
// The online version check without its windows: reading a version text, the
// rule that decides whether a reply offers a newer version, and the addresses
// on the maker's web server.

#include <QString>
#include <cstdint>

// Scheme and host of the maker's web server, "http://" + Maker_Host at first.
// Tests point it at a server on 127.0.0.1.
QString &Maker_Web_Base();

// How long the whole version request may take before it counts as failed.
extern int Version_Request_Timeout_Ms;
constexpr int Default_Version_Request_Timeout_Ms = 10000;
// A longer reply counts as failed: the version page answers a few bytes.
constexpr qint64 Version_Reply_Limit = 64 * 1024;

// The headers the version request sends.
extern const QByteArray Version_Request_Accept;
extern const QByteArray Version_Request_User_Agent;

// The version page with the software code, and the download page.
QString Version_Page_Url();
QString Download_Page_Url();
// A link caption: caption as an anchor to the download page.
QString Download_Link_Html(const QString &caption);

// The version number of a version text ("1.102" gives 1102), or -1.
int32_t Conv_Version(const QString &text);

// True when a reply of the version page names a version newer than SW_Version.
bool Reply_Offers_Newer_Version(const QString &reply);
