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

namespace {

// Messages carry names and paths the user chose: shown literally, never as markup.
int Show_Box(QWidget *parent, QMessageBox::Icon icon, const QString &text,
             QMessageBox::StandardButtons buttons, QMessageBox::StandardButton initial)
{
    QMessageBox box(icon, QString(), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(initial);
    return box.exec();
}

} // namespace

void TPlatform::Error_Box(QWidget *parent, const QString &text)
{
    Show_Box(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void TPlatform::Warning_Box(QWidget *parent, const QString &text)
{
    Show_Box(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool TPlatform::Confirm_Box(QWidget *parent, const QString &text)
{
    return Show_Box(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
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
