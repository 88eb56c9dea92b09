#include "check/UCheck_Log.h"

#include "common/UComon.h"
#include "common/URecord_Time.h"

#include <QDir>

const QByteArray Check_Log_Mark("=== Check ");

namespace {

QString Capitalized(QString text)
{
    text[0] = text[0].toUpper();
    return text;
}

// "Echo", or "Read data, function 04 (input registers), addresses 1-8".
QString Step_Title(const TCheck_Step &step)
{
    const QString name = Capitalized(Step_Name(step));
    return step.Kind == TStep_Kind::Read ? name + QStringLiteral(", ") + Block_Place(step.Block) : name;
}

QString Step_Line(const TCheck_Step &step)
{
    QString line = Step_Title(step) + QStringLiteral(": ") + step.Text;
    if (step.State != TStep_State::Not_Run && step.State != TStep_State::Pending)
        line += QStringLiteral(", %1 ms").arg(step.Ms);
    return line;
}

// The value the block of role read, from the first register line after its
// step line ("  0 = 17 (0x0011)"); false when it was not read.
bool Read_Value(const QStringList &lines, TRegister_Role role, uint16_t &value)
{
    const QString title = Capitalized(Role_Name(role)) + QStringLiteral(", ");
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (!lines.at(i).startsWith(title))
            continue;
        const QString &line = lines.at(i + 1);
        const qsizetype equals = line.indexOf(QLatin1String(" = "));
        const qsizetype hex = line.indexOf(QLatin1String(" (0x"), equals);
        int number = 0;
        if (!line.startsWith(QLatin1String("  ")) || equals < 0 || hex < 0
            || !Read_Whole_Number(line.mid(equals + 3, hex - equals - 3), number) || number < 0 || number > 0xFFFF)
            return false;
        value = uint16_t(number);
        return true;
    }
    return false;
}

// "answers, but 8 registers refused", with or without a reason after ": ".
bool Read_Refused(const QString &text, int &count)
{
    const QString start = QStringLiteral("answers, but ");
    if (!text.startsWith(start))
        return false;
    const QString rest = text.mid(start.size());
    const qsizetype blank = rest.indexOf(QLatin1Char(' '));
    if (blank < 0 || !Read_Whole_Number(rest.left(blank), count))
        return false;
    for (const QString &end : {QStringLiteral(" registers refused"), QStringLiteral(" register refused")}) {
        const QString tail = rest.mid(blank);
        if (tail == end || tail.startsWith(end + QStringLiteral(": ")))
            return true;
    }
    return false;
}

// The verdict of a verdict line's text; false for a text no check writes.
bool Read_Verdict(const QString &text, TRecorded_Check &check)
{
    if (Read_Refused(text, check.Refused_Registers)) {
        check.Verdict = TCheck_Verdict::Registers_Refused;
        return true;
    }
    for (const TCheck_Verdict verdict : {TCheck_Verdict::Answers_With_Map, TCheck_Verdict::Faulty_Answers,
                                         TCheck_Verdict::Port_Closed, TCheck_Verdict::No_Answer,
                                         TCheck_Verdict::Cancelled, TCheck_Verdict::Not_Checked}) {
        const QString name = Verdict_Name(verdict, 0);
        if (text == name || text.startsWith(name + QStringLiteral(": "))) {
            check.Verdict = verdict;
            return true;
        }
    }
    return false;
}

// A step line's text without the time at its end (", 3 ms").
QString Without_Time(const QString &text)
{
    const qsizetype comma = text.lastIndexOf(QLatin1String(", "));
    int ms = 0;
    return comma >= 0 && text.endsWith(QLatin1String(" ms"))
                   && Read_Whole_Number(text.mid(comma + 2, text.size() - comma - 5), ms)
               ? text.left(comma)
               : text;
}

} // namespace

QString Check_Log_Path(const QString &project)
{
    return Join_Path(project, QStringLiteral("Check.log"));
}

QByteArray Check_Log_Block(const TCheck_Result &result)
{
    const TCheck_Request &request = result.Request;
    QStringList lines{QString::fromLatin1(Check_Log_Mark) + Record_Time_Text(result.Started)};
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
    return {path, Check_Log_Mark, Check_Log_Keep};
}

bool Append_Check_Log(const QString &path, const TCheck_Result &result, QString *error)
{
    return Append_Block(Check_Log_Record(path), Check_Log_Block(result), error);
}

bool Read_Check_Block(const QByteArray &block, TRecorded_Check &check)
{
    check = TRecorded_Check();
    const QStringList lines = QString::fromUtf8(block).split(QLatin1Char('\n'));
    const QString mark = QString::fromLatin1(Check_Log_Mark);
    if (!lines.first().startsWith(mark))
        return false;
    check.Started = Read_Record_Time(lines.first().mid(mark.size()));
    bool verdict = false;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("Device: "))) {
            check.Device = line.mid(8).section(QStringLiteral(", unit "), 0, 0);
        } else if (line.startsWith(QLatin1String("Verdict: "))) {
            check.Verdict_Text = Without_Time(line.mid(9));
            verdict = Read_Verdict(check.Verdict_Text, check);
        }
    }
    check.Has_Status_Word = Read_Value(lines, TRegister_Role::Status_Word, check.Status_Word);
    check.Has_Byte_Count = Read_Value(lines, TRegister_Role::Byte_Count, check.Byte_Count);
    return check.Started.isValid() && verdict;
}

bool Read_Last_Check(const QString &path, bool &found, TRecorded_Check &check, QString *error)
{
    return Read_Newest_Block(
        Check_Log_Record(path), found, [&check](const QByteArray &block) { return Read_Check_Block(block, check); },
        error);
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
