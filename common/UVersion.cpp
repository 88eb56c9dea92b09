#include "common/UVersion.h"

#include "common/UComon.h"

const QByteArray Version_Request_Accept =
    QByteArrayLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
const QByteArray Version_Request_User_Agent =
    QByteArrayLiteral("Mozilla/3.0 (compatible; Indy Library)");

QString Version_Page_Url(const QString &base)
{
    return base + QStringLiteral("/home/download/GetversionSW.asp?nomesw=") + SW_Code_Check;
}

QString Download_Page_Url(const QString &base)
{
    return base + QStringLiteral("/Home/download/download.asp#QH40318");
}

QString Link_Html(const QString &url, const QString &caption)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toHtmlEscaped(), caption.toHtmlEscaped());
}

int32_t Conv_Version(const QString &text)
{
    const int blank = text.indexOf(QLatin1Char(' '));
    const QString version = Trim_Text(blank < 0 ? text : text.mid(blank + 1));
    if (version.size() < 5)
        return -1;
    // Digit, point, three digits: the point is left out.
    const QString digits = version.left(1) + version.mid(2, 3);
    return Read_Integer(digits, -1);
}

// Equality after upper-casing the letters a to z only.
static bool Equals_Upper_Ascii(const QString &text, const QString &upper)
{
    if (text.size() != upper.size())
        return false;
    for (int i = 0; i < text.size(); ++i) {
        char16_t c = text.at(i).unicode();
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        if (c != upper.at(i).unicode())
            return false;
    }
    return true;
}

bool Reply_Offers_Newer_Version(const QString &reply)
{
    const QString trimmed = Trim_Text(reply);
    if (trimmed.isEmpty() || Equals_Upper_Ascii(trimmed, QStringLiteral("VER. 0.000")))
        return false;
    const int32_t own = Conv_Version(SW_Version);
    const int32_t offered = Conv_Version(trimmed);
    return own != -1 && offered != -1 && offered > own;
}
