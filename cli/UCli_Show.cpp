// show: a configuration's values as Set Communication shows them, in its two
// groups under its own captions, then what bin/bank.bin holds.
#include "cli/UCli_Commands.h"
#include "console/UConsole_Configurations.h"
#include "console/UConsole_Output.h"
#include "cli/UCli_Show_Image.h"

#include "common/UComon.h"
#include "params/UParGen_File.h"
#include "params/UParGen_Lists.h"

#include <QDir>
#include <QFileInfo>
#include "lang/UText.h"

namespace {

// One row of the dialog: its caption's string-table entry, the check box that
// goes with it (-1 for none) and the one or four inputs it holds.
struct TShown_Row
{
    int Caption;
    int Flag;
    int First;
    int Count;
};

constexpr TShown_Row Serial_Rows[] = {
    {Text::Serial_Serial, -1, PG_Serial_Serial, 1},
    {Text::Serial_Baud, -1, PG_Serial_Baud, 1},
    {Text::Serial_Parity, -1, PG_Serial_Parity, 1},
    {Text::Serial_DataBits, -1, PG_Serial_DataBits, 1},
    {Text::Serial_Send_Type, -1, PG_Serial_Send_Type, 1},
    {Text::Serial_End_Char, -1, PG_Serial_End_Char, 1},
    {Text::Serial_Num_Byte, -1, PG_Serial_Num_Byte, 1},
    {Text::Serial_TimeOut, -1, PG_Serial_TimeOut_RX, 1},
    {Text::Serial_Time_Wait_RX, PG_Serial_Time_Wait_RX_En, PG_Serial_Time_Wait_RX_Time, 1},
};

constexpr TShown_Row Modbus_Rows[] = {
    {Text::Modbus_IP_Address, -1, PG_ModbusTCPSlave_IP1, 4},
    {Text::Modbus_Subnet_Mask, -1, PG_ModbusTCPSlave_SM1, 4},
    {Text::Modbus_Gateway, PG_ModbusTCPSlave_En_GAT, PG_ModbusTCPSlave_GAT1, 4},
    {Text::Modbus_Port, -1, PG_ModbusTCPSlave_Port, 1},
    {Text::Modbus_Start_Read, -1, PG_ModbusTCPSlave_Start_Read, 1},
    {Text::Modbus_Start_Write, -1, PG_ModbusTCPSlave_Start_Write, 1},
    {Text::Modbus_Control_Word, -1, PG_ModbusTCPSlave_Control_Word, 1},
    {Text::Modbus_Status_Word, -1, PG_ModbusTCPSlave_Status_Word, 1},
    {Text::Modbus_Num_Bytes_RX, PG_ModbusTCPSlave_Enable_NumByteRX, PG_ModbusTCPSlave_NumByteRX, 1},
};

// What an input shows: a list its item (nothing for a position outside the
// list, as the dialog's list then shows nothing), an edit field its text.
QString Shown_Value(const TParGen_Values &values, int id, const TLang_Table &texts)
{
    if (ParGen_Element(id).Kind != TParGen_Kind::List_Index)
        return values[id].Text;
    return ParGen_List_Items(id, texts).value(values[id].Index);
}

template <size_t N>
void Print_Group(int caption, const TShown_Row (&rows)[N], const TParGen_Values &values,
                 const TLang_Table &texts)
{
    Print_Result(QStringLiteral("  ") + Trim_Text(texts.value(caption)));
    for (const TShown_Row &row : rows) {
        QStringList inputs;
        for (int id = row.First; id < row.First + row.Count; ++id)
            inputs << Shown_Value(values, id, texts);
        QString shown = inputs.join(QLatin1Char('.'));
        if (row.Flag >= 0)
            shown = (values[row.Flag].Flag ? QStringLiteral("on, ") : QStringLiteral("off, ")) + shown;
        Print_Result(QStringLiteral("    %1: %2").arg(Trim_Text(texts.value(row.Caption)), shown));
    }
}

} // namespace

int Run_Show(const TCli_Options &options)
{
    bool failed = false;
    const QList<TCli_Configuration> chosen = Chosen_Configurations(options, failed);
    if (chosen.isEmpty())
        return Exit_Failed;
    const TCli_Configuration &configuration = chosen.first();
    TParGen_Values values;
    if (!Load_Configuration(configuration, values))
        return Exit_Failed;
    const TLang_Table &texts = options.Texts;
    Print_Result(QStringLiteral("Configuration %1: %2")
                     .arg(configuration.Name, QDir::toNativeSeparators(configuration.Path)));
    Print_Result(QStringLiteral("%1 (ParGen.xml%2):")
                     .arg(Trim_Text(texts.value(Text::ParGen_Title)),
                          QFileInfo::exists(ParGen_File_Path(configuration.Path))
                              ? QString()
                              : QStringLiteral(" not written yet: the defaults")));
    Print_Group(406, Serial_Rows, values, texts);
    Print_Group(442, Modbus_Rows, values, texts);
    return Show_Bank_File(configuration.Path) ? Exit_Done : Exit_Failed;
}
