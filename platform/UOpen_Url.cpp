#include "platform/UOpen_Url.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#else
#include <QDesktopServices>
#include <QUrl>
#endif

void Open_Web_Address(const QString &url)
{
#ifdef Q_OS_WIN
    ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t *>(url.utf16()), nullptr,
                  nullptr, SW_SHOW);
#else
    QDesktopServices::openUrl(QUrl(url));
#endif
}
