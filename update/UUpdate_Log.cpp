#include "update/UUpdate_Log.h"

#include "common/UBlock_Record.h"
#include "common/UComon.h"
#include "common/URecord_Time.h"
#include "image/USaveBincc.h"
#include "params/UParGen_Address.h"
#include "update/UJob_File.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

const QByteArray Update_Log_Mark("=== Update ");

namespace {

// The result line of each end, "%1" standing for its number or its detail:
// one table writes the line and reads it back.
struct TEnd_Text
{
    TUpdate_End End;
    const char *Text;
    bool Number;
};

constexpr TEnd_Text End_Texts[] = {
    {TUpdate_End::Exited, "exit status %1", true},
    {TUpdate_End::Signalled, "ended by signal %1", true},
    {TUpdate_End::Exit_Unknown, "ended; its exit status could not be had", false},
    {TUpdate_End::Timed_Out, "timed out: still running after %1 s, left running", true},
    {TUpdate_End::No_Echo_Answer, "not run: the device did not answer the echo requests", false},
    {TUpdate_End::Echo_Not_Sent, "not run: no echo request could be sent to the address", false},
    {TUpdate_End::Cancelled, "not run: the dialog was closed during the echo requests", false},
    {TUpdate_End::Job_Not_Written, "not run: the job file could not be written: %1", false},
    {TUpdate_End::Updater_Not_Found, "not run: no updater at %1", false},
    {TUpdate_End::Updater_Not_Started, "not run: the updater at %1 could not be started", false},
};

const char *const Option_Texts[] = {"firmware and configuration", "firmware", "configuration"};

const QString Device_Label = QStringLiteral("Device: ");
const QString Configuration_Label = QStringLiteral("Configuration: ");
const QString Asked_Label = QStringLiteral("Asked: ");
const QString Image_Label = QStringLiteral("Image: ");
const QString Result_Label = QStringLiteral("Result: ");
const QString None_Prefix = QStringLiteral("none: ");

// A record line holds one line of text whatever a path or a reason held.
QString One_Line(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String(" "))
        .replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString Result_Text(const TUpdate_Run &run)
{
    for (const TEnd_Text &end : End_Texts) {
        if (end.End == run.End) {
            const QString text = QString::fromLatin1(end.Text);
            if (!text.contains(QLatin1String("%1")))
                return text;
            return text.arg(end.Number ? QString::number(run.Code) : One_Line(run.Detail));
        }
    }
    return QString();
}

bool Read_Result(const QString &text, TUpdate_Run &run)
{
    for (const TEnd_Text &end : End_Texts) {
        const QString format = QString::fromLatin1(end.Text);
        const qsizetype place = format.indexOf(QLatin1String("%1"));
        if (place < 0) {
            if (text != format)
                continue;
            run.End = end.End;
            run.Code = 0;
            run.Detail.clear();
            return true;
        }
        const QString before = format.left(place);
        const QString after = format.mid(place + 2);
        if (text.size() < before.size() + after.size() || !text.startsWith(before) || !text.endsWith(after))
            continue;
        const QString middle = text.mid(before.size(), text.size() - before.size() - after.size());
        int code = 0;
        if (end.Number && !Read_Whole_Number(middle, code))
            continue;
        run.End = end.End;
        run.Code = code;
        run.Detail = end.Number ? QString() : middle;
        return true;
    }
    return false;
}

QString Asked_Text(const TUpdate_Run &run)
{
    const int option = run.Option >= 0 && run.Option < 3 ? run.Option : Update_Firmware_And_Configuration;
    return QString::fromLatin1(Option_Texts[option])
           + (run.With_Read_Back ? QStringLiteral(", read-back on") : QStringLiteral(", read-back off"));
}

void Read_Asked(const QString &text, TUpdate_Run &run)
{
    for (int option = 0; option < 3; ++option) {
        if (text.section(QStringLiteral(", "), 0, 0) == QLatin1String(Option_Texts[option]))
            run.Option = option;
    }
    run.With_Read_Back = text.endsWith(QLatin1String(", read-back on"));
}

QString Image_Text(const TUpdate_Run &run)
{
    if (!run.Has_Byte_Sum)
        return None_Prefix + One_Line(run.Image_Problem);
    return QStringLiteral("bin/bank.bin, byte sum %1 (0x%2)")
        .arg(run.Byte_Sum)
        .arg(QString::number(run.Byte_Sum, 16).toUpper().rightJustified(8, QLatin1Char('0')));
}

void Read_Image(const QString &text, TUpdate_Run &run)
{
    const QString sum = QStringLiteral("bin/bank.bin, byte sum ");
    if (text.startsWith(sum)) {
        const QString number = text.mid(sum.size()).section(QLatin1Char(' '), 0, 0);
        bool ok = !number.startsWith(QLatin1Char('+'));
        run.Byte_Sum = ok ? number.toUInt(&ok) : 0;
        run.Has_Byte_Sum = ok;
    }
    if (text.startsWith(None_Prefix))
        run.Image_Problem = text.mid(None_Prefix.size());
}

} // namespace

bool TUpdate_Run::Writes_Configuration() const
{
    return Option != Update_Firmware;
}

QString Update_Log_Path(const QString &project)
{
    return Join_Path(project, QStringLiteral("Update.log"));
}

void Note_Configuration(TUpdate_Run &run, const QString &project)
{
    TParGen_Values values;
    TXMLDocument doc;
    QString error;
    const QString parGen = ParGen_File_Path(project);
    // Without the file Set Communication would offer defaults, but the image
    // holds defaults of its own: the configuration gives no address.
    if (!QFileInfo::exists(parGen)) {
        run.Configuration_Problem = QStringLiteral("there is no ParGen.xml");
    } else if (!Load_ParGen(doc, parGen, values, &error)) {
        run.Configuration_Problem = error;
    } else {
        run.Configured_Address = ParGen_Address(values);
        if (run.Configured_Address.isEmpty())
            run.Configuration_Problem = QStringLiteral("the address fields of ParGen.xml hold no address");
    }
    TImage image;
    switch (Read_Bank_File(project, image, &error)) {
    case TBank_State::Image:
        run.Has_Byte_Sum = true;
        run.Byte_Sum = image.Byte_Sum();
        break;
    case TBank_State::Missing:
        run.Image_Problem = QStringLiteral("there is no bin/bank.bin");
        break;
    case TBank_State::Damaged:
        run.Image_Problem = error;
        break;
    }
}

void Set_Updater_End(TUpdate_Run &run, const TRun_Result &result, const QString &program)
{
    run.Code = result.Code;
    run.Detail = QDir::toNativeSeparators(program);
    switch (result.End) {
    case TRun_End::Exited:
        run.End = TUpdate_End::Exited;
        break;
    case TRun_End::Signalled:
        run.End = TUpdate_End::Signalled;
        break;
    case TRun_End::Exit_Unknown:
        run.End = TUpdate_End::Exit_Unknown;
        break;
    case TRun_End::Not_Found:
        run.End = TUpdate_End::Updater_Not_Found;
        break;
    case TRun_End::Not_Started:
        run.End = TUpdate_End::Updater_Not_Started;
        break;
    case TRun_End::Timed_Out:
        run.End = TUpdate_End::Timed_Out;
        run.Code = result.Limit_Ms / 1000;
        break;
    }
}

QByteArray Update_Log_Block(const TUpdate_Run &run)
{
    const QString configuration = run.Configured_Address.isEmpty()
                                      ? None_Prefix + One_Line(run.Configuration_Problem)
                                      : run.Configured_Address;
    const QStringList lines{QString::fromLatin1(Update_Log_Mark) + Record_Time_Text(run.Started),
                            Device_Label + One_Line(run.Device_Address),
                            Configuration_Label + configuration,
                            Asked_Label + Asked_Text(run),
                            Image_Label + Image_Text(run),
                            Result_Label + Result_Text(run)};
    return (lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n")).toUtf8();
}

bool Read_Update_Block(const QByteArray &block, TUpdate_Run &run)
{
    run = TUpdate_Run();
    const QStringList lines = QString::fromUtf8(block).split(QLatin1Char('\n'));
    const QString mark = QString::fromLatin1(Update_Log_Mark);
    if (!lines.first().startsWith(mark))
        return false;
    run.Started = Read_Record_Time(lines.first().mid(mark.size()));
    bool result = false;
    // A block holds each line once; a repeated one is not its own.
    QStringList seen;
    for (const QString &line : lines) {
        const QString label = line.section(QLatin1Char(':'), 0, 0);
        if (seen.contains(label))
            continue;
        seen << label;
        if (line.startsWith(Device_Label)) {
            run.Device_Address = line.mid(Device_Label.size());
        } else if (line.startsWith(Configuration_Label)) {
            const QString text = line.mid(Configuration_Label.size());
            if (text.startsWith(None_Prefix))
                run.Configuration_Problem = text.mid(None_Prefix.size());
            else
                run.Configured_Address = text;
        } else if (line.startsWith(Asked_Label)) {
            Read_Asked(line.mid(Asked_Label.size()), run);
        } else if (line.startsWith(Image_Label)) {
            Read_Image(line.mid(Image_Label.size()), run);
        } else if (line.startsWith(Result_Label)) {
            result = Read_Result(line.mid(Result_Label.size()), run);
        }
    }
    return run.Started.isValid() && result;
}

bool Append_Update_Log(const QString &path, const TUpdate_Run &run, QString *error)
{
    return Append_Block({path, Update_Log_Mark, Update_Log_Keep}, Update_Log_Block(run), error);
}

bool Read_Last_Update(const QString &path, bool &found, TUpdate_Run &run, QString *error)
{
    return Read_Newest_Block(
        {path, Update_Log_Mark, Update_Log_Keep}, found,
        [&run](const QByteArray &block) { return Read_Update_Block(block, run); }, error);
}
