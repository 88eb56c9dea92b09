// The platform seam's test double: what would have been shown, and the answers given (TestPlatform.h).
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

QString TTestPlatform::Save_File_Name(QWidget *, const QString &title, const QString &suggested,
                                      const QString &filter)
{
    Save_Questions.append(title + QLatin1Char('|') + suggested + QLatin1Char('|') + filter);
    return Save_Answers.isEmpty() ? QString() : Save_Answers.takeFirst();
}

void TTestPlatform::Open_Url(const QString &url)
{
    Opened_Urls.append(url);
}

QString TTestPlatform::Web_Base() const
{
    return Web_Base_Url.isEmpty() ? TPlatform::Web_Base() : Web_Base_Url;
}

int TTestPlatform::Request_Limit_Ms() const
{
    return Limit_Ms > 0 ? Limit_Ms : TPlatform::Request_Limit_Ms();
}

void TTestPlatform::Clear()
{
    Errors.clear();
    Warnings.clear();
    Questions.clear();
    Opened_Urls.clear();
    Answers.clear();
    Save_Questions.clear();
    Save_Answers.clear();
}
