#include "plant/UPlant_Rows.h"

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"
#include "params/UParGen_Address.h"
#include "params/UParGen_Check.h"
#include "params/UParGen_Lists.h"
#include "project/UProject_Folders.h"

#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <vector>

namespace {

// The number a list item's text holds (the rates, the data bits), 0 for a
// position no item has.
int Item_Number(const TParGen_Values &values, int id)
{
    return ParGen_List_Items(id, TLang_Table()).value(values[id].Index).toInt();
}

TSerial_Line Serial_Line_Of(const TParGen_Values &values)
{
    return {values[PG_Serial_Serial].Index, Item_Number(values, PG_Serial_Baud),
            Item_Number(values, PG_Serial_DataBits), values[PG_Serial_Parity].Index,
            values[PG_Serial_Send_Type].Index};
}

// Settings, address and serial line from ParGen.xml; the image Update Device
// would build from it now (from the defaults without one), or nothing when
// it cannot be read.
bool Read_Settings(TPlant_Row &row, QByteArray &image)
{
    const QString path = ParGen_File_Path(row.Path);
    TImage_Parameters record;
    Set_Default_Parameters(record);
    if (!QFileInfo::exists(path)) {
        row.Settings = TSettings_State::No_ParGen;
        image = Image_Of_Record(record).Bytes;
        return true;
    }
    TXMLDocument doc;
    TParGen_Values values;
    if (!Load_ParGen(doc, path, values, &row.Settings_Error)) {
        row.Settings = TSettings_State::Damaged;
        return false;
    }
    row.Failed_Check = ParGen_Check(values);
    row.Settings = row.Failed_Check == 0 ? TSettings_State::OK : TSettings_State::Check_Failed;
    row.Address = ParGen_Address(values);
    row.Port = ParGen_Port(values);
    row.Serial = Serial_Line_Of(values);
    Apply_ParGen_Parameters(doc.Root(), record);
    image = Image_Of_Record(record).Bytes;
    return true;
}

void Read_Image(TPlant_Row &row, bool comparable, const QByteArray &expected)
{
    TImage bank;
    switch (Read_Bank_File(row.Path, bank, &row.Image_Error)) {
    case TBank_State::Missing:
        row.Image = TImage_State::None;
        break;
    case TBank_State::Damaged:
        row.Image = TImage_State::Damaged;
        break;
    case TBank_State::Image:
        row.Byte_Sum = bank.Byte_Sum();
        row.Image = comparable && bank.Bytes == expected ? TImage_State::Current : TImage_State::Stale;
        break;
    }
}

void Read_Records(TPlant_Row &row)
{
    QString error;
    if (!Read_Last_Update(Update_Log_Path(row.Path), row.Updated, row.Last_Update, &error)) {
        row.Updated = false;
        row.Problems << error;
    }
    if (!Read_Last_Check(Check_Log_Path(row.Path), row.Checked, row.Last_Check, &error)) {
        row.Checked = false;
        row.Problems << error;
    }
    row.Check_Counts = row.Checked && (!row.Updated || row.Last_Check.Started >= row.Last_Update.Started);
}

// The key of a device's place on the network; "" when the row gives none.
QString Place_Of(const TPlant_Row &row)
{
    return row.Address.isEmpty() || row.Port == 0 ? QString()
                                                  : row.Address + QLatin1Char(':') + QString::number(row.Port);
}

} // namespace

TPlant_Row Read_Plant_Row(const QString &projects, const QString &name)
{
    TPlant_Row row;
    row.Name = name;
    row.Path = Join_Path(projects, name);
    QByteArray image;
    const bool comparable = Read_Settings(row, image);
    Read_Image(row, comparable, image);
    Read_Records(row);
    row.State = Plant_State_Of(row);
    return row;
}

TPlant_State Plant_State_Of(const TPlant_Row &row)
{
    if (row.Settings != TSettings_State::OK)
        return TPlant_State::Settings_To_Fix;
    if (!row.Shared_With.isEmpty())
        return TPlant_State::Address_Shared;
    if (row.Image == TImage_State::None || row.Image == TImage_State::Damaged)
        return TPlant_State::No_Image;
    if (row.Image == TImage_State::Stale)
        return TPlant_State::Image_Stale;
    if (!row.Updated)
        return TPlant_State::Not_Updated;
    const TUpdate_Run &update = row.Last_Update;
    if (!update.Succeeded())
        return TPlant_State::Update_Failed;
    if (!update.Writes_Configuration() || !update.Has_Byte_Sum || update.Byte_Sum != row.Byte_Sum)
        return TPlant_State::Update_Older;
    if (!row.Check_Counts)
        return TPlant_State::Not_Checked;
    switch (row.Last_Check.Verdict) {
    case TCheck_Verdict::Answers_With_Map:
        return TPlant_State::Commissioned;
    case TCheck_Verdict::Registers_Refused:
        return TPlant_State::Registers_Refused;
    case TCheck_Verdict::Cancelled:
    case TCheck_Verdict::Not_Checked:
        return TPlant_State::Not_Checked;
    case TCheck_Verdict::Faulty_Answers:
    case TCheck_Verdict::Port_Closed:
    case TCheck_Verdict::No_Answer:
        break;
    }
    return TPlant_State::Check_Failed;
}

void Mark_Shared_Addresses(QList<TPlant_Row> &rows)
{
    QHash<QString, QStringList> names;
    for (const TPlant_Row &row : std::as_const(rows)) {
        const QString place = Place_Of(row);
        if (!place.isEmpty())
            names[place].append(row.Name);
    }
    for (TPlant_Row &row : rows) {
        row.Shared_With = names.value(Place_Of(row));
        row.Shared_With.removeOne(row.Name);
        row.State = Plant_State_Of(row);
    }
}

QList<TPlant_Row> Read_Plant_Rows(const QString &projects, const QStringList &names)
{
    std::vector<TPlant_Row> read(static_cast<size_t>(names.size()));
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype i = next++; i < names.size(); i = next++)
            read[static_cast<size_t>(i)] = Read_Plant_Row(projects, names.at(i));
    };
    QThreadPool helpers;
    for (int i = 1; i < qMin(QThread::idealThreadCount(), int(names.size())); ++i)
        helpers.start(work);
    work();
    helpers.waitForDone();
    QList<TPlant_Row> rows(read.begin(), read.end());
    Mark_Shared_Addresses(rows);
    return rows;
}

QList<TPlant_Row> Read_Plant(const QString &projects)
{
    return Read_Plant_Rows(projects, List_Configurations(projects));
}

TPlant_Summary Summarize_Plant(const QList<TPlant_Row> &rows)
{
    TPlant_Summary summary;
    summary.Configurations = int(rows.size());
    QHash<QString, int> places;
    for (const TPlant_Row &row : rows) {
        ++summary.States[size_t(row.State)];
        const TCheck_Verdict verdict = row.Last_Check.Verdict;
        if (!row.Check_Counts || verdict == TCheck_Verdict::Cancelled || verdict == TCheck_Verdict::Not_Checked)
            ++summary.Not_Checked;
        else if (verdict == TCheck_Verdict::Answers_With_Map)
            ++summary.Answering;
        else
            ++summary.Failing;
        const QString place = Place_Of(row);
        if (!place.isEmpty() && ++places[place] == 2)
            ++summary.Shared_Addresses;
    }
    return summary;
}
