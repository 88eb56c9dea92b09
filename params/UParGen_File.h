#pragma once
// The project parameter file ParGen.xml: its thirty elements in file order,
// how each one is encoded, the Set Communication dialog's defaults, and the
// reading and writing rules. The image builder reads the same element names
// (ParGen_Element(id).Name) with defaults of its own.

#include "common/UXmlDoc.h"

#include <QString>
#include <array>
#include <cstdint>

// The elements in the order the file holds them.
enum TParGen_Id : int {
    PG_Serial_Serial,
    PG_Serial_Baud,
    PG_Serial_Parity,
    PG_Serial_Send_Type,
    PG_Serial_End_Char,
    PG_Serial_Num_Byte,
    PG_Serial_TimeOut_RX,
    PG_Serial_DataBits,
    PG_Serial_Time_Wait_RX_En,
    PG_Serial_Time_Wait_RX_Time,
    PG_ModbusTCPSlave_IP1,
    PG_ModbusTCPSlave_IP2,
    PG_ModbusTCPSlave_IP3,
    PG_ModbusTCPSlave_IP4,
    PG_ModbusTCPSlave_SM1,
    PG_ModbusTCPSlave_SM2,
    PG_ModbusTCPSlave_SM3,
    PG_ModbusTCPSlave_SM4,
    PG_ModbusTCPSlave_GAT1,
    PG_ModbusTCPSlave_GAT2,
    PG_ModbusTCPSlave_GAT3,
    PG_ModbusTCPSlave_GAT4,
    PG_ModbusTCPSlave_En_GAT,
    PG_ModbusTCPSlave_Port,
    PG_ModbusTCPSlave_Start_Read,
    PG_ModbusTCPSlave_Start_Write,
    PG_ModbusTCPSlave_Control_Word,
    PG_ModbusTCPSlave_Status_Word,
    PG_ModbusTCPSlave_Enable_NumByteRX,
    PG_ModbusTCPSlave_NumByteRX,
    ParGen_Count
};

// List_Index: zero-based position in a fixed list, decimal text ("-1" for no
// selection). Flag: "1" on, anything else off. Number_Text: an edit field's
// text exactly as the user left it.
enum class TParGen_Kind { List_Index, Flag, Number_Text };

struct TParGen_Element
{
    QString Name;
    TParGen_Kind Kind;
    QString Default;   // in file encoding
};

extern const QString ParGen_Root;   // "Par_Gen"
const TParGen_Element &ParGen_Element(int id);
// The comment that follows the root: "SW_VERSION = " and the program version.
QString ParGen_Comment();

// One value; only the member of the element's kind is meaningful.
struct TParGen_Value
{
    int32_t Index = 0;
    bool Flag = false;
    QString Text;
};
using TParGen_Values = std::array<TParGen_Value, ParGen_Count>;

// Decodes one element text by the element's kind; a list index that is no
// number takes the element's default.
TParGen_Value Decode_ParGen_Value(int id, const QString &text);
QString Encode_ParGen_Value(int id, const TParGen_Value &value);

TParGen_Values ParGen_Defaults();

// Each value on its own from the loaded document's root (its name is not
// checked): the first child of that name wins; a missing element, or one
// holding more than text, keeps its default.
TParGen_Values Read_ParGen(const TXMLDocument &doc);

// project/ParGen.xml: where a configuration keeps its values.
QString ParGen_File_Path(const QString &project);

// A missing file gives the defaults. A file that exists but cannot be read or
// parsed gives false with error naming the file and the parser's message.
bool Load_ParGen(TXMLDocument &doc, const QString &path, TParGen_Values &values,
                 QString *error);

// Rebuilds the document: the root, the comment after it, the thirty elements.
void Compile_XML_Parameter(TXMLDocument &doc, const TParGen_Values &values);

// Replaces the file whole. An existing file that does not load is never
// overwritten: the result is false with the same message the load gives, so a
// damaged file stays as it is until the user repairs or removes it.
bool Save_ParGen(TXMLDocument &doc, const QString &path, const TParGen_Values &values,
                 QString *error);
