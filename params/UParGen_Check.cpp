#include "params/UParGen_Check.h"

#include "common/UComon.h"
#include "lang/UText.h"

namespace {

// When a check applies.
enum class TWhen { Always, End_Character, Fix_Num_Bytes, Wait_RX, Gateway, Num_Bytes_RX };

struct TCheck
{
    TWhen When;
    int Id;
    int32_t Min;
    int32_t Max;
    int Message;
};

// Port 10000 is the updater's own port on the device.
constexpr int32_t Reserved_Port = 10000;

constexpr TCheck Checks[] = {
    {TWhen::End_Character, PG_Serial_End_Char, 0, 255, Text::Error_End_Char},
    {TWhen::Fix_Num_Bytes, PG_Serial_Num_Byte, 1, 1024, Text::Error_Num_Byte},
    {TWhen::Wait_RX, PG_Serial_Time_Wait_RX_Time, 1, 1000, Text::Error_Time_Wait_RX},
    {TWhen::Always, PG_ModbusTCPSlave_IP1, 0, 255, Text::Error_IP1},
    {TWhen::Always, PG_ModbusTCPSlave_IP2, 0, 255, Text::Error_IP2},
    {TWhen::Always, PG_ModbusTCPSlave_IP3, 0, 255, Text::Error_IP3},
    {TWhen::Always, PG_ModbusTCPSlave_IP4, 0, 255, Text::Error_IP4},
    {TWhen::Always, PG_ModbusTCPSlave_SM1, 0, 255, Text::Error_SM1},
    {TWhen::Always, PG_ModbusTCPSlave_SM2, 0, 255, Text::Error_SM2},
    {TWhen::Always, PG_ModbusTCPSlave_SM3, 0, 255, Text::Error_SM3},
    {TWhen::Always, PG_ModbusTCPSlave_SM4, 0, 255, Text::Error_SM4},
    {TWhen::Gateway, PG_ModbusTCPSlave_GAT1, 0, 255, Text::Error_GAT1},
    {TWhen::Gateway, PG_ModbusTCPSlave_GAT2, 0, 255, Text::Error_GAT2},
    {TWhen::Gateway, PG_ModbusTCPSlave_GAT3, 0, 255, Text::Error_GAT3},
    {TWhen::Gateway, PG_ModbusTCPSlave_GAT4, 0, 255, Text::Error_GAT4},
    {TWhen::Always, PG_ModbusTCPSlave_Port, 1, 65535, Text::Error_Port},
    {TWhen::Always, PG_ModbusTCPSlave_Start_Read, 0, 65000, Text::Error_Start_Read},
    {TWhen::Always, PG_ModbusTCPSlave_Start_Write, 0, 65000, Text::Error_Start_Write},
    {TWhen::Always, PG_ModbusTCPSlave_Control_Word, 0, 65535, Text::Error_Control_Word},
    {TWhen::Always, PG_ModbusTCPSlave_Status_Word, 0, 65535, Text::Error_Status_Word},
    {TWhen::Num_Bytes_RX, PG_ModbusTCPSlave_NumByteRX, 0, 65535, Text::Error_Num_Bytes_RX},
};

bool Applies(TWhen when, const TParGen_Values &values)
{
    switch (when) {
    case TWhen::Always:
        return true;
    case TWhen::End_Character:
        return values[PG_Serial_Send_Type].Index == 0;
    case TWhen::Fix_Num_Bytes:
        return values[PG_Serial_Send_Type].Index == 2;
    case TWhen::Wait_RX:
        return values[PG_Serial_Time_Wait_RX_En].Flag;
    case TWhen::Gateway:
        return values[PG_ModbusTCPSlave_En_GAT].Flag;
    case TWhen::Num_Bytes_RX:
        return values[PG_ModbusTCPSlave_Enable_NumByteRX].Flag;
    }
    return false;
}

} // namespace

int ParGen_Check(const TParGen_Values &values)
{
    for (const TCheck &check : Checks) {
        if (!Applies(check.When, values))
            continue;
        const int32_t value = Read_Integer(values[check.Id].Text, -1);
        const bool reserved = check.Id == PG_ModbusTCPSlave_Port && value == Reserved_Port;
        if (value < check.Min || value > check.Max || reserved)
            return check.Message;
    }
    return 0;
}
