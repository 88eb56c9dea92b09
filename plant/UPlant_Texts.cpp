#include "plant/UPlant_Texts.h"

#include "lang/UText.h"
#include "params/UParGen_File.h"
#include "params/UParGen_Lists.h"

namespace {

constexpr int Column_Titles[Plant_Column_Count] = {
    Text::Plant_Column_Configuration, Text::Plant_Column_Address,   Text::Plant_Column_Serial_Line,
    Text::Plant_Column_Settings,      Text::Plant_Column_Image,     Text::Plant_Column_Last_Update,
    Text::Plant_Column_Last_Check,    Text::Role_Status_Word,       Text::Role_Byte_Count,
    Text::Check_State};

constexpr int State_Words[Plant_State_Count] = {
    Text::Plant_State_Settings_To_Fix, Text::Plant_State_Address_Shared, Text::Plant_State_No_Image,
    Text::Plant_State_Image_Stale,     Text::Plant_State_Not_Updated,    Text::Plant_State_Update_Failed,
    Text::Plant_State_Update_Older,    Text::Plant_State_Not_Checked,    Text::Plant_State_Check_Failed,
    Text::Plant_State_Registers_Refused, Text::Plant_State_Commissioned};

// The item of a list at position, "?" for a position the list has not.
QString Item(int id, int position, const TLang_Table &texts)
{
    return ParGen_List_Items(id, texts).value(position, QStringLiteral("?"));
}

QString Number_Or_Unknown(int number)
{
    return number > 0 ? QString::number(number) : QStringLiteral("?");
}

QString Address_Cell(const TPlant_Row &row, const TLang_Table &texts)
{
    QString cell = row.Address;
    if (!cell.isEmpty() && row.Port > 0)
        cell += QLatin1Char(':') + QString::number(row.Port);
    if (!row.Shared_With.isEmpty())
        cell += QStringLiteral(" (%1)").arg(texts.value(Text::Plant_State_Address_Shared));
    return cell;
}

QString Settings_Cell(const TPlant_Row &row, const TLang_Table &texts)
{
    switch (row.Settings) {
    case TSettings_State::OK:
        return texts.value(Text::Plant_Settings_OK);
    case TSettings_State::No_ParGen:
        return texts.value(Text::Plant_Settings_No_ParGen);
    case TSettings_State::Damaged:
        return texts.value(Text::Plant_Settings_Damaged);
    case TSettings_State::Check_Failed:
        break;
    }
    return texts.value(row.Failed_Check);
}

QString Image_Cell(const TPlant_Row &row, const TLang_Table &texts)
{
    switch (row.Image) {
    case TImage_State::None:
        return texts.value(Text::Plant_State_No_Image);
    case TImage_State::Current:
        return texts.value(Text::Plant_Image_Current).arg(row.Byte_Sum);
    case TImage_State::Stale:
        return texts.value(Text::Plant_Image_Stale).arg(row.Byte_Sum);
    case TImage_State::Damaged:
        break;
    }
    return texts.value(Text::Plant_Image_Damaged);
}

QString Update_End_Text(const TUpdate_Run &run, const TLang_Table &texts)
{
    switch (run.End) {
    case TUpdate_End::Exited:
        return run.Code == 0 ? texts.value(Text::Plant_Update_Done)
                             : texts.value(Text::Plant_Update_Exit_Status).arg(run.Code);
    case TUpdate_End::Signalled:
        return texts.value(Text::Plant_Update_Signal).arg(run.Code);
    case TUpdate_End::Exit_Unknown:
        return texts.value(Text::Plant_Update_Exit_Unknown);
    case TUpdate_End::Timed_Out:
        return texts.value(Text::Plant_Update_Timed_Out).arg(run.Code);
    case TUpdate_End::No_Echo_Answer:
        return texts.value(Text::Plant_Update_No_Echo);
    case TUpdate_End::Echo_Not_Sent:
        return texts.value(Text::Plant_Update_Echo_Not_Sent);
    case TUpdate_End::Cancelled:
        return texts.value(Text::Plant_Update_Cancelled);
    case TUpdate_End::Job_Not_Written:
        return texts.value(Text::Plant_Update_Job_Not_Written);
    case TUpdate_End::Updater_Not_Found:
        return texts.value(Text::Plant_Update_Not_Found);
    case TUpdate_End::Updater_Not_Started:
        break;
    }
    return texts.value(Text::Plant_Update_Not_Started);
}

// "17 (0x0011)", what a check read.
QString Register_Cell(bool read, uint16_t value)
{
    return read ? QStringLiteral("%1 (0x%2)").arg(value).arg(QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0')))
                : QString();
}

} // namespace

QString Plant_Column_Title(TPlant_Column column, const TLang_Table &texts)
{
    return texts.value(Column_Titles[int(column)]);
}

QStringList Plant_Column_Titles(const TLang_Table &texts)
{
    QStringList titles;
    for (int column = 0; column < Plant_Column_Count; ++column)
        titles << Plant_Column_Title(TPlant_Column(column), texts);
    return titles;
}

QString Plant_Cell(const TPlant_Row &row, TPlant_Column column, const TLang_Table &texts)
{
    const bool read = row.Settings == TSettings_State::OK || row.Settings == TSettings_State::Check_Failed;
    switch (column) {
    case TPlant_Column::Configuration:
        return row.Name;
    case TPlant_Column::Address:
        return Address_Cell(row, texts);
    case TPlant_Column::Serial_Line:
        return read ? Serial_Line_Text(row.Serial, texts) : QString();
    case TPlant_Column::Settings:
        return Settings_Cell(row, texts);
    case TPlant_Column::Image:
        return Image_Cell(row, texts);
    case TPlant_Column::Last_Update:
        return row.Updated ? Plant_Time_Text(row.Last_Update.Started) + QLatin1Char(' ')
                                 + Update_End_Text(row.Last_Update, texts)
                           : texts.value(Text::Plant_State_Not_Updated);
    case TPlant_Column::Last_Check:
        return row.Checked ? Plant_Time_Text(row.Last_Check.Started) + QLatin1Char(' ') + row.Last_Check.Verdict_Text
                           : texts.value(Text::Plant_State_Not_Checked);
    case TPlant_Column::Status_Word:
        return Register_Cell(row.Checked && row.Last_Check.Has_Status_Word, row.Last_Check.Status_Word);
    case TPlant_Column::Byte_Count:
        return Register_Cell(row.Checked && row.Last_Check.Has_Byte_Count, row.Last_Check.Byte_Count);
    case TPlant_Column::State:
        break;
    }
    return Plant_State_Word(row.State, texts);
}

QStringList Plant_Cells(const TPlant_Row &row, const TLang_Table &texts)
{
    QStringList cells;
    for (int column = 0; column < Plant_Column_Count; ++column)
        cells << Plant_Cell(row, TPlant_Column(column), texts);
    return cells;
}

QString Plant_State_Word(TPlant_State state, const TLang_Table &texts)
{
    return texts.value(State_Words[int(state)]);
}

QString Serial_Line_Text(const TSerial_Line &line, const TLang_Table &texts)
{
    return QStringList{Item(PG_Serial_Serial, line.Type, texts), Number_Or_Unknown(line.Baud),
                       Number_Or_Unknown(line.Data_Bits), Item(PG_Serial_Parity, line.Parity, texts),
                       Item(PG_Serial_Send_Type, line.Framing, texts)}
        .join(QStringLiteral(", "));
}

QString Plant_Summary_Text(const TPlant_Summary &summary, const TLang_Table &texts)
{
    return texts.value(Text::Plant_Summary)
        .arg(summary.Configurations)
        .arg(summary.Answering)
        .arg(summary.Failing)
        .arg(summary.Not_Checked)
        .arg(summary.Shared_Addresses);
}

QString Plant_Time_Text(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}
