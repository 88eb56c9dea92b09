#include "platform/UPlatform.h"

#include "common/UComon.h"
#include "common/UVersion.h"
#include "platform/UHttp_Get.h"
#include "platform/UMessage_Box.h"
#include "platform/UOpen_Url.h"

#include <QFileDialog>

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
    Show_Message_Box(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void TPlatform::Warning_Box(QWidget *parent, const QString &text)
{
    Show_Message_Box(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool TPlatform::Confirm_Box(QWidget *parent, const QString &text)
{
    return Show_Message_Box(parent, QMessageBox::Question, text,
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

QString TPlatform::Save_File_Name(QWidget *parent, const QString &title, const QString &suggested,
                                  const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

void TPlatform::Open_Url(const QString &url)
{
    Open_Web_Address(url);
}

QString TPlatform::Web_Base() const
{
    return QStringLiteral("http://") + Maker_Host;
}

int TPlatform::Request_Limit_Ms() const
{
    return Version_Request_Limit_Ms;
}

bool TPlatform::Http_Get(const QString &url, int timeoutMs, QString &body)
{
    return Http_Get_Text(url, timeoutMs, body);
}

std::unique_ptr<TRunning_Program> TPlatform::Start_Program(const QString &program,
                                                          const QString &parameters, bool hidden)
{
    return Start_Process(program, parameters, hidden);
}

TEcho_Reply TPlatform::Echo_Request(const QString &host, const QByteArray &data, int timeoutMs)
{
    return ::Echo_Request(host, data, timeoutMs);
}
