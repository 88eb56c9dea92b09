#pragma once
// The one seam to the platform's services. The program calls them only
// through Platform(); tests install a double that records what would have
// been shown, answers the questions a user would answer and points the
// version request at a server of their own.

#include "platform/UEcho.h"
#include "platform/UProcess.h"

#include <QString>
#include <memory>

class QWidget;

class TPlatform
{
public:
    virtual ~TPlatform() = default;

    // Message boxes: error and warning with one OK button; a confirmation
    // with Yes and No that returns true for Yes. (platform/UMessage_Box)
    virtual void Error_Box(QWidget *parent, const QString &text);
    virtual void Warning_Box(QWidget *parent, const QString &text);
    virtual bool Confirm_Box(QWidget *parent, const QString &text);

    // Asks for the name of a file to save under title, suggested (a path)
    // first, filter naming the kinds of file; "" when the user declined.
    // (QFileDialog::getSaveFileName, modal)
    virtual QString Save_File_Name(QWidget *parent, const QString &title, const QString &suggested,
                                   const QString &filter);

    // Hands a web address, or a file's URL ("file:///..."), to the shell's
    // "open" (the default browser, or the file's viewer); a failure is not
    // reported. (platform/UOpen_Url)
    virtual void Open_Url(const QString &url);

    // Scheme and host of the maker's web server, "http://" + Maker_Host.
    virtual QString Web_Base() const;
    // How long the whole version request may take before it counts as failed.
    virtual int Request_Limit_Ms() const;

    // The version request: one plain HTTP GET with the fixed Accept and
    // User-Agent headers, no cookies, no proxy, redirects not followed. True
    // with the body of a 2xx answer as text; false on any failure, when the
    // whole request takes more than timeoutMs, or for a body over the reply
    // limit. Blocks; the windows repaint meanwhile but take no input.
    // (platform/UHttp_Get)
    virtual bool Http_Get(const QString &url, int timeoutMs, QString &body);

    // Starts a program without a shell, its window shown or hidden; nullptr
    // when it could not be started. (platform/UProcess)
    virtual std::unique_ptr<TRunning_Program> Start_Program(const QString &program,
                                                           const QString &parameters, bool hidden);

    // One ICMP echo request to a numeric dotted-quad address, waiting at most
    // timeoutMs for the reply. (platform/UEcho)
    virtual TEcho_Reply Echo_Request(const QString &host, const QByteArray &data, int timeoutMs);
};

TPlatform &Platform();
// Installs another implementation (tests); nullptr restores the real one.
void Set_Platform(TPlatform *platform);
