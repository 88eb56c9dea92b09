#include "common/URecord_Time.h"

#include <QRegularExpression>

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

QDateTime Read_Record_Time(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}) (\\d{2}:\\d{2}:\\d{2}) ([+-])(\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return QDateTime();
    // Date and time on their own: the writer's local time need not exist here.
    const QDate date = QDate::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(match.captured(2), QStringLiteral("HH:mm:ss"));
    const int offset = (match.captured(4).toInt() * 60 + match.captured(5).toInt()) * 60;
    if (!date.isValid() || !time.isValid() || offset > 14 * 3600)
        return QDateTime();
    return QDateTime(date, time, Qt::OffsetFromUTC, match.captured(3) == QLatin1String("-") ? -offset : offset);
}
