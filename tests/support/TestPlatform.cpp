#include "TestPlatform.h"

TTestPlatform::TTestPlatform()
{
    Set_Platform(this);
}

TTestPlatform::~TTestPlatform()
{
    Set_Platform(nullptr);
}

void TTestPlatform::Error_Box(QWidget *, const QString &text)
{
    Errors.append(text);
}

void TTestPlatform::Warning_Box(QWidget *, const QString &text)
{
    Warnings.append(text);
}

bool TTestPlatform::Confirm_Box(QWidget *, const QString &text)
{
    Questions.append(text);
    return Answers.isEmpty() ? false : Answers.takeFirst();
}

void TTestPlatform::Open_Url(const QString &url)
{
    Opened_Urls.append(url);
}

void TTestPlatform::Clear()
{
    Errors.clear();
    Warnings.clear();
    Questions.clear();
    Opened_Urls.clear();
    Answers.clear();
}
