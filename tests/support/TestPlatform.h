#pragma once
// The test double of the platform seam: message boxes are recorded instead of
// shown, confirmations and file names to save take queued answers, and web addresses are recorded
// instead of handed to the shell; the version request may be pointed at a
// server on 127.0.0.1 with a shorter limit. Everything else stays real.

#include "platform/UPlatform.h"

#include <QList>
#include <QStringList>

class TTestPlatform : public TPlatform
{
public:
    TTestPlatform();
    ~TTestPlatform() override;

    void Error_Box(QWidget *parent, const QString &text) override;
    void Warning_Box(QWidget *parent, const QString &text) override;
    bool Confirm_Box(QWidget *parent, const QString &text) override;
    QString Save_File_Name(QWidget *parent, const QString &title, const QString &suggested,
                           const QString &filter) override;
    void Open_Url(const QString &url) override;
    QString Web_Base() const override;
    int Request_Limit_Ms() const override;

    // Forgets what was shown and asked; the server and limit stay.
    void Clear();

    QStringList Errors;
    QStringList Warnings;
    QStringList Questions;
    QStringList Opened_Urls;
    // The file names asked for, each as "title|suggested|filter", and the
    // answers to the next ones, first first; "" (declined) when empty.
    QStringList Save_Questions;
    QStringList Save_Answers;
    // Answers to the next confirmations, first first; No when empty.
    QList<bool> Answers;
    // The maker's web server and the request's limit; the real ones when
    // empty or 0.
    QString Web_Base_Url;
    int Limit_Ms = 0;
};
