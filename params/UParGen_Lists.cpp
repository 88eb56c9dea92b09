#include "params/UParGen_Lists.h"

#include "params/UParGen_File.h"
#include "lang/UText.h"

QStringList ParGen_List_Items(int id, const TLang_Table &texts)
{
    switch (id) {
    case PG_Serial_Serial:
        return {QStringLiteral("RS232"), QStringLiteral("RS485/RS422")};
    case PG_Serial_Baud:
        return {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
                QStringLiteral("57600"), QStringLiteral("115200")};
    case PG_Serial_Parity:
        return {QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")};
    case PG_Serial_Send_Type:
        return {texts.value(Text::Send_Type_End_Character), texts.value(Text::Send_Type_Control_Word), texts.value(Text::Send_Type_Fix_Num_Bytes)};
    case PG_Serial_DataBits:
        return {QStringLiteral("7"), QStringLiteral("8")};
    default:
        return {};
    }
}
