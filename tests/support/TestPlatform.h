#pragma once
// The test double of the platform seam: message boxes are recorded instead of
// shown, confirmations take queued answers, and web addresses are recorded
// instead of handed to the shell. Everything else stays real.

#include "app/UPlatform.h"

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
    void Open_Url(const QString &url) override;

    void Clear();

    QStringList Errors;
    QStringList Warnings;
    QStringList Questions;
    QStringList Opened_Urls;
    // Answers to the next confirmations, first first; No when empty.
    QList<bool> Answers;
};
