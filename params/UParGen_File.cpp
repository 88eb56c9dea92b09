#include "params/UParGen_File.h"

#include "common/UComon.h"

#include <QFileInfo>

const QString ParGen_Root = QStringLiteral("Par_Gen");

namespace {

using K = TParGen_Kind;

const std::array<TParGen_Element, ParGen_Count> &Elements()
{
    static const std::array<TParGen_Element, ParGen_Count> table = {{
        {QStringLiteral("Serial_Serial"), K::List_Index, QStringLiteral("1")},
        {QStringLiteral("Serial_Baud"), K::List_Index, QStringLiteral("7")},
        {QStringLiteral("Serial_Parity"), K::List_Index, QStringLiteral("0")},
        {QStringLiteral("Serial_Send_Type"), K::List_Index, QStringLiteral("0")},
        {QStringLiteral("Serial_End_Char"), K::Number_Text, QStringLiteral("13")},
        {QStringLiteral("Serial_Num_Byte"), K::Number_Text, QStringLiteral("1024")},
        {QStringLiteral("Serial_TimeOut_RX"), K::Number_Text, QStringLiteral("0")},
        {QStringLiteral("Serial_DataBits"), K::List_Index, QStringLiteral("1")},
        {QStringLiteral("Serial_Time_Wait_RX_En"), K::Flag, QStringLiteral("0")},
        {QStringLiteral("Serial_Time_Wait_RX_Time"), K::Number_Text, QStringLiteral("20")},
        {QStringLiteral("ModbusTCPSlave_IP1"), K::Number_Text, QStringLiteral("192")},
        {QStringLiteral("ModbusTCPSlave_IP2"), K::Number_Text, QStringLiteral("168")},
        {QStringLiteral("ModbusTCPSlave_IP3"), K::Number_Text, QStringLiteral("0")},
        {QStringLiteral("ModbusTCPSlave_IP4"), K::Number_Text, QStringLiteral("10")},
        {QStringLiteral("ModbusTCPSlave_SM1"), K::Number_Text, QStringLiteral("255")},
        {QStringLiteral("ModbusTCPSlave_SM2"), K::Number_Text, QStringLiteral("255")},
        {QStringLiteral("ModbusTCPSlave_SM3"), K::Number_Text, QStringLiteral("255")},
        {QStringLiteral("ModbusTCPSlave_SM4"), K::Number_Text, QStringLiteral("0")},
        {QStringLiteral("ModbusTCPSlave_GAT1"), K::Number_Text, QStringLiteral("192")},
        {QStringLiteral("ModbusTCPSlave_GAT2"), K::Number_Text, QStringLiteral("168")},
        {QStringLiteral("ModbusTCPSlave_GAT3"), K::Number_Text, QStringLiteral("0")},
        {QStringLiteral("ModbusTCPSlave_GAT4"), K::Number_Text, QStringLiteral("1")},
        {QStringLiteral("ModbusTCPSlave_En_GAT"), K::Flag, QStringLiteral("0")},
        {QStringLiteral("ModbusTCPSlave_Port"), K::Number_Text, QStringLiteral("502")},
        {QStringLiteral("ModbusTCPSlave_Start_Read"), K::Number_Text, QStringLiteral("1")},
        {QStringLiteral("ModbusTCPSlave_Start_Write"), K::Number_Text, QStringLiteral("1")},
        {QStringLiteral("ModbusTCPSlave_Control_Word"), K::Number_Text, QStringLiteral("0")},
        {QStringLiteral("ModbusTCPSlave_Status_Word"), K::Number_Text, QStringLiteral("0")},
        {QStringLiteral("ModbusTCPSlave_Enable_NumByteRX"), K::Flag, QStringLiteral("1")},
        {QStringLiteral("ModbusTCPSlave_NumByteRX"), K::Number_Text, QStringLiteral("1")},
    }};
    return table;
}

} // namespace

const TParGen_Element &ParGen_Element(int id)
{
    return Elements().at(static_cast<size_t>(id));
}

QString ParGen_Comment()
{
    return QStringLiteral("SW_VERSION = ") + SW_Version;
}

TParGen_Value Decode_ParGen_Value(int id, const QString &text)
{
    const TParGen_Element &element = ParGen_Element(id);
    TParGen_Value value;
    switch (element.Kind) {
    case K::List_Index:
        value.Index = Read_Integer(text, Read_Integer(element.Default, 0));
        break;
    case K::Flag:
        value.Flag = text == QLatin1String("1");
        break;
    case K::Number_Text:
        value.Text = text;
        break;
    }
    return value;
}

QString Encode_ParGen_Value(int id, const TParGen_Value &value)
{
    switch (ParGen_Element(id).Kind) {
    case K::List_Index:
        return QString::number(value.Index);
    case K::Flag:
        return value.Flag ? QStringLiteral("1") : QStringLiteral("0");
    case K::Number_Text:
        break;
    }
    return value.Text;
}

TParGen_Values ParGen_Defaults()
{
    TParGen_Values values;
    for (int id = 0; id < ParGen_Count; ++id)
        values[id] = Decode_ParGen_Value(id, ParGen_Element(id).Default);
    return values;
}

TParGen_Values Read_ParGen(const TXMLDocument &doc)
{
    TParGen_Values values = ParGen_Defaults();
    const QDomElement root = doc.Root();
    for (int id = 0; id < ParGen_Count; ++id) {
        QString text;
        if (TXMLDocument::Text(TXMLDocument::Find_Child(root, ParGen_Element(id).Name), text))
            values[id] = Decode_ParGen_Value(id, text);
    }
    return values;
}

QString ParGen_File_Path(const QString &project)
{
    return Join_Path(project, QStringLiteral("ParGen.xml"));
}

bool Load_ParGen(TXMLDocument &doc, const QString &path, TParGen_Values &values,
                 QString *error)
{
    if (!QFileInfo::exists(path)) {
        values = ParGen_Defaults();
        return true;
    }
    if (!doc.Load_File(path, error))
        return false;
    values = Read_ParGen(doc);
    return true;
}

void Compile_XML_Parameter(TXMLDocument &doc, const TParGen_Values &values)
{
    doc.Clear();
    QDomElement root = doc.Add_Root(ParGen_Root);
    doc.Add_Comment(ParGen_Comment());
    for (int id = 0; id < ParGen_Count; ++id)
        doc.Add_Text_Child(root, ParGen_Element(id).Name, Encode_ParGen_Value(id, values[id]));
}

bool Save_ParGen(TXMLDocument &doc, const QString &path, const TParGen_Values &values,
                 QString *error)
{
    if (QFileInfo::exists(path) && !doc.Load_File(path, error))
        return false;
    Compile_XML_Parameter(doc, values);
    return doc.Save_File(path, error);
}
