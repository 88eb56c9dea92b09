#include "check/UCheck_Log.h"

#include "common/UComon.h"

const QByteArray Check_Log_Mark("=== Check ");

namespace {

// "2025-03-04 14:05:06 +01:00": local time with its distance from UTC.
QString Time_Text(const QDateTime &time)
{
    const int offset = time.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss "))
           + QStringLiteral("%1%2:%3")
                 .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                 .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// "Echo", or "Read data, function 04 (input registers), addresses 1-8".
QString Step_Title(const TCheck_Step &step)
{
    QString name = Step_Name(step);
    name[0] = name[0].toUpper();
    return step.Kind == TStep_Kind::Read ? name + QStringLiteral(", ") + Block_Place(step.Block) : name;
}

QString Step_Line(const TCheck_Step &step)
{
    QString line = Step_Title(step) + QStringLiteral(": ") + step.Text;
    if (step.State != TStep_State::Not_Run && step.State != TStep_State::Pending)
        line += QStringLiteral(", %1 ms").arg(step.Ms);
    return line;
}

} // namespace

QString Check_Log_Path(const QString &project)
{
    return Join_Path(project, QStringLiteral("Check.log"));
}

QByteArray Check_Log_Block(const TCheck_Result &result)
{
    const TCheck_Request &request = result.Request;
    QStringList lines{QString::fromLatin1(Check_Log_Mark) + Time_Text(result.Started)};
    if (!request.Source.isEmpty())
        lines << QStringLiteral("Values: ") + request.Source;
    lines << QStringLiteral("Device: %1:%2, unit %3, time limit %4 ms")
                 .arg(request.Map.Address)
                 .arg(request.Map.Port)
                 .arg(request.Unit)
                 .arg(request.Time_Limit_Ms);
    if (result.Watch_Rounds > 0)
        lines << QStringLiteral("Watch: %1 %2 of the registers, one every %3 ms; %4 %5 changed; the values "
                                "below are the last round's")
                     .arg(result.Watch_Rounds)
                     .arg(result.Watch_Rounds == 1 ? QStringLiteral("round") : QStringLiteral("rounds"))
                     .arg(request.Watch_Every_Ms)
                     .arg(result.Watch_Changes)
                     .arg(result.Watch_Changes == 1 ? QStringLiteral("value") : QStringLiteral("values"));
    for (const TCheck_Step &step : result.Steps) {
        lines << Step_Line(step);
        if (step.Kind != TStep_Kind::Read)
            continue;
        for (int i = 0; i < step.Values.size(); ++i)
            lines << QStringLiteral("  %1 = %2 (0x%3)")
                         .arg(step.Block.Start + i)
                         .arg(step.Values.at(i))
                         .arg(QString::number(step.Values.at(i), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        if (step.Refused()) {
            for (int i = 0; i < step.Block.Count; ++i)
                lines << QStringLiteral("  %1 = exception %2")
                             .arg(step.Block.Start + i)
                             .arg(Exception_Name(step.Exception));
        }
    }
    return (lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n")).toUtf8();
}

TBlock_Record Check_Log_Record(const QString &path)
{
    TBlock_Record record;
    record.Path = path;
    record.Mark = Check_Log_Mark;
    record.Keep = Check_Log_Keep;
    return record;
}

bool Append_Check_Log(const QString &path, const TCheck_Result &result, QString *error)
{
    return Append_Block(Check_Log_Record(path), Check_Log_Block(result), error);
}

TCheck_Result Not_Checked_Result(const TCheck_Request &request, const QString &reason)
{
    TCheck_Result result;
    result.Request = request;
    result.Started = QDateTime::currentDateTime();
    result.Steps = Planned_Steps(request);
    for (TCheck_Step &step : result.Steps) {
        step.State = TStep_State::Not_Run;
        step.Text = QStringLiteral("not asked");
        step.Cause = TStep_Cause::Not_Checked;
    }
    result.Verdict_Text = Verdict_Name(TCheck_Verdict::Not_Checked, 0);
    TCheck_Step &verdict = result.Steps.last();
    verdict.State = TStep_State::Failed;
    verdict.Text = result.Verdict_Text + QStringLiteral(": ") + reason;
    return result;
}

TCheck_Result Run_Recorded_Check(const TCheck_Request &request, const QString &logFile,
                                 QString *logError, TCheck_Cancel *cancel,
                                 const TCheck_Progress &progress, const TCheck_Round &round)
{
    const TCheck_Result result = Run_Modbus_Check(request, cancel, progress, round);
    QString error;
    if (!logFile.isEmpty())
        Append_Check_Log(logFile, result, &error);
    if (logError)
        *logError = error;
    return result;
}
