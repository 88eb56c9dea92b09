#include "check/UModbus_Map.h"

#include "common/UComon.h"

#include <QFileInfo>

namespace {

// The element's text as a number in min..max, or a problem naming it.
int Number_In(const TParGen_Values &values, int id, int min, int max, QStringList &problems)
{
    int32_t number = 0;
    const QString &text = values[id].Text;
    if (Try_Read_Integer(text, number) && number >= min && number <= max)
        return number;
    problems << QStringLiteral("%1 \"%2\" is not a number from %3 to %4")
                    .arg(ParGen_Element(id).Name, text, QString::number(min),
                         QString::number(max));
    return min;
}

} // namespace

int Default_Function(TRegister_Role role)
{
    switch (role) {
    case TRegister_Role::Write_Data:
    case TRegister_Role::Control_Word:
        return Function_Holding_Registers;
    case TRegister_Role::Read_Data:
    case TRegister_Role::Status_Word:
    case TRegister_Role::Byte_Count:
        break;
    }
    return Function_Input_Registers;
}

QString Role_Name(TRegister_Role role)
{
    switch (role) {
    case TRegister_Role::Read_Data:
        return QStringLiteral("read data");
    case TRegister_Role::Status_Word:
        return QStringLiteral("status word");
    case TRegister_Role::Byte_Count:
        return QStringLiteral("byte count");
    case TRegister_Role::Write_Data:
        return QStringLiteral("write data");
    case TRegister_Role::Control_Word:
        return QStringLiteral("control word");
    }
    return QString();
}

TModbus_Map Modbus_Map_Of(const TParGen_Values &values, int blockCount, QStringList &problems)
{
    TModbus_Map map;
    QStringList octets;
    for (int id = PG_ModbusTCPSlave_IP1; id <= PG_ModbusTCPSlave_IP4; ++id)
        octets << QString::number(Number_In(values, id, 0, 255, problems));
    map.Address = octets.join(QLatin1Char('.'));
    map.Port = static_cast<uint16_t>(Number_In(values, PG_ModbusTCPSlave_Port, 1, 65535, problems));

    const auto add = [&](TRegister_Role role, int id, int count) {
        // A block must end at the last register a Modbus address can name.
        const int start = Number_In(values, id, 0, 65536 - count, problems);
        map.Blocks.append({role, Default_Function(role), static_cast<uint16_t>(start),
                           static_cast<uint16_t>(count)});
    };
    const int count = qBound(1, blockCount, Max_Block_Count);
    add(TRegister_Role::Read_Data, PG_ModbusTCPSlave_Start_Read, count);
    add(TRegister_Role::Status_Word, PG_ModbusTCPSlave_Status_Word, 1);
    if (values[PG_ModbusTCPSlave_Enable_NumByteRX].Flag)
        add(TRegister_Role::Byte_Count, PG_ModbusTCPSlave_NumByteRX, 1);
    add(TRegister_Role::Write_Data, PG_ModbusTCPSlave_Start_Write, count);
    add(TRegister_Role::Control_Word, PG_ModbusTCPSlave_Control_Word, 1);
    return map;
}

TModbus_Map Configuration_Map(const QString &project, int blockCount, QString &fileProblem,
                              QStringList &problems)
{
    const QString path = ParGen_File_Path(project);
    TParGen_Values values = ParGen_Defaults();
    TXMLDocument doc;
    fileProblem.clear();
    if (!QFileInfo::exists(path))
        fileProblem = QStringLiteral("no ParGen.xml yet");
    else
        Load_ParGen(doc, path, values, &fileProblem);
    return Modbus_Map_Of(values, blockCount, problems);
}
