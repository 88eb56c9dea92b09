#include "app/UPlatform.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#endif

namespace {
TPlatform real_platform;
TPlatform *current_platform = &real_platform;
} // namespace

TPlatform &Platform()
{
    return *current_platform;
}

void Set_Platform(TPlatform *platform)
{
    current_platform = platform ? platform : &real_platform;
}

void TPlatform::Error_Box(QWidget *parent, const QString &text)
{
    QMessageBox::critical(parent, QString(), text, QMessageBox::Ok);
}

void TPlatform::Warning_Box(QWidget *parent, const QString &text)
{
    QMessageBox::warning(parent, QString(), text, QMessageBox::Ok);
}

bool TPlatform::Confirm_Box(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, QString(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
           == QMessageBox::Yes;
}

void TPlatform::Open_Url(const QString &url)
{
#ifdef Q_OS_WIN
    ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t *>(url.utf16()), nullptr,
                  nullptr, SW_SHOW);
#else
    QDesktopServices::openUrl(QUrl(url));
#endif
}
