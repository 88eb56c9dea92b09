#include "common/URecord_Time.h"

QString Record_Time_Text(const QDateTime &time)
{
    const int offset = time.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss "))
           + QStringLiteral("%1%2:%3")
                 .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                 .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

namespace {

bool Is_Digit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// The count digits at position at of text as a number (checked before).
int Digits(const QString &text, int at, int count)
{
    int number = 0;
    for (int i = at; i < at + count; ++i)
        number = number * 10 + (text.at(i).unicode() - '0');
    return number;
}

} // namespace

QDateTime Read_Record_Time(const QString &text)
{
    // d: a digit, s: the offset's sign.
    static const QString shape = QStringLiteral("dddd-dd-dd dd:dd:dd sdd:dd");
    if (text.size() != shape.size())
        return QDateTime();
    for (int i = 0; i < shape.size(); ++i) {
        const QChar wanted = shape.at(i);
        const QChar found = text.at(i);
        const bool fits = wanted == QLatin1Char('d')   ? Is_Digit(found)
                          : wanted == QLatin1Char('s') ? found == QLatin1Char('+') || found == QLatin1Char('-')
                                                       : found == wanted;
        if (!fits)
            return QDateTime();
    }
    const QDate date(Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2));
    const QTime time(Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2));
    const int offset = (Digits(text, 21, 2) * 60 + Digits(text, 24, 2)) * 60;
    if (!date.isValid() || !time.isValid() || Digits(text, 24, 2) > 59 || offset > 14 * 3600)
        return QDateTime();
    return QDateTime(date, time, Qt::OffsetFromUTC, text.at(20) == QLatin1Char('-') ? -offset : offset);
}

bool Read_Whole_Number(const QString &text, int &number)
{
    const int digits = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (text.size() <= digits)
        return false;
    for (int i = digits; i < text.size(); ++i) {
        if (!Is_Digit(text.at(i)))
            return false;
    }
    bool ok = false;
    number = text.toInt(&ok);
    return ok;
}
