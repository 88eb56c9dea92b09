#include "image/USaveBincc.h"

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "params/UParGen_File.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>

static void Set_Address(uint8_t (&field)[4], uint8_t a, uint8_t b, uint8_t c, uint8_t d)
{
    field[0] = a;
    field[1] = b;
    field[2] = c;
    field[3] = d;
}

void Set_Default_Parameters(TImage_Parameters &p)
{
    std::memset(&p, 0, sizeof p);
    p.Fixed_000 = 250000;
    p.Aux_Serial_Baud = 9600;
    p.Aux_Serial_Data_Bits = 8;
    p.Fixed_018 = 1;
    Set_Address(p.IP_Address, 192, 168, 2, 205);
    Set_Address(p.Subnet_Mask, 255, 255, 255, 0);
    Set_Address(p.Gateway, 255, 255, 255, 255);
    p.Fixed_034 = 10000;
    p.ModbusTCP_Port = 10001;
    p.Fixed_038 = 10001;
    p.RS232_Baud = 9600;
    p.RS232_Data_Bits = 8;
    p.RS485_Baud = 9600;
    p.RS485_Data_Bits = 8;
    p.End_Char = 13;
    p.Num_Byte_Send = 1024;
    p.Start_Read = 1;
    p.Start_Write = 1;
    p.Num_Byte_RX = -1;
}

uint32_t Baud_Rate_Of_Index(int32_t index)
{
    static const uint32_t rates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    if (index < 0 || index >= static_cast<int32_t>(sizeof rates / sizeof rates[0]))
        return 9600;
    return rates[index];
}

namespace {

// The elements of one ParGen.xml root, each read on its own; a missing or
// unreadable element, or text that is no integer, gives the caller's fallback.
class TParGen_Reader
{
public:
    explicit TParGen_Reader(const QDomElement &root) : m_root(root) {}

    bool Is_Exactly(TParGen_Id id, const char *value) const
    {
        QString text;
        return Read(id, text) && text == QLatin1String(value);
    }
    int32_t Integer(TParGen_Id id, int32_t fallback) const
    {
        QString text;
        return Read(id, text) ? Read_Integer(text, fallback) : fallback;
    }
    // The four elements from first on into the address bytes (low 8 bits each).
    void Address(TParGen_Id first, uint8_t (&field)[4], const uint8_t (&fallback)[4]) const
    {
        for (int i = 0; i < 4; ++i)
            field[i] = static_cast<uint8_t>(Integer(TParGen_Id(first + i), fallback[i]));
    }

private:
    bool Read(TParGen_Id id, QString &text) const
    {
        return TXMLDocument::Text(TXMLDocument::Find_Child(m_root, ParGen_Element(id).Name), text);
    }

    QDomElement m_root;
};

// One serial block of the record: rate, data bits, parity, stop bits.
struct TSerial_Block
{
    uint32_t &Baud;
    uint16_t &Data_Bits;
    uint16_t &Parity;
    uint32_t &Stop_Bits;
};

} // namespace

bool Read_ParGen_Parameters(TXMLDocument &doc, const QString &parGen, TImage_Parameters &record,
                            QString *error)
{
    if (!QFileInfo::exists(parGen))
        return true;
    if (!doc.Load_File(parGen, error))
        return false;
    Apply_ParGen_Parameters(doc.Root(), record);
    return true;
}

void Apply_ParGen_Parameters(const QDomElement &root, TImage_Parameters &p)
{
    const TParGen_Reader xml(root);

    const bool rs232 = xml.Is_Exactly(PG_Serial_Serial, "0");
    p.Serial_Mode = rs232 ? Mode_RS232 : 0;
    const TSerial_Block line =
        rs232 ? TSerial_Block{p.RS232_Baud, p.RS232_Data_Bits, p.RS232_Parity, p.RS232_Stop_Bits}
              : TSerial_Block{p.RS485_Baud, p.RS485_Data_Bits, p.RS485_Parity, p.RS485_Stop_Bits};

    line.Baud = Baud_Rate_Of_Index(xml.Integer(PG_Serial_Baud, 7));
    const int32_t parity = xml.Integer(PG_Serial_Parity, 0);
    line.Parity = static_cast<uint16_t>(parity);
    if (xml.Is_Exactly(PG_Serial_DataBits, "0")) {
        line.Data_Bits = 7;
        if (parity == 0)
            line.Stop_Bits = 2;
    } else {
        line.Data_Bits = 8;
    }

    switch (xml.Integer(PG_Serial_Send_Type, 0)) {
    case 0:
        p.Serial_Mode |= Mode_End_Char;
        break;
    case 1:
        p.Serial_Mode |= Mode_Control_Word;
        break;
    default:
        p.Serial_Mode |= Mode_Fix_Num_Byte;
        break;
    }
    p.End_Char = static_cast<uint16_t>(xml.Integer(PG_Serial_End_Char, 13));
    p.Num_Byte_Send = static_cast<uint16_t>(xml.Integer(PG_Serial_Num_Byte, 1024));
    p.TimeOut_RX = static_cast<uint32_t>(xml.Integer(PG_Serial_TimeOut_RX, 0));

    xml.Address(PG_ModbusTCPSlave_IP1, p.IP_Address, {192, 168, 0, 10});
    xml.Address(PG_ModbusTCPSlave_SM1, p.Subnet_Mask, {255, 255, 255, 0});
    xml.Address(PG_ModbusTCPSlave_GAT1, p.Gateway, {192, 168, 0, 1});
    if (!xml.Is_Exactly(PG_ModbusTCPSlave_En_GAT, "1"))
        Set_Address(p.Gateway, 255, 255, 255, 255);

    p.ModbusTCP_Port = static_cast<uint16_t>(xml.Integer(PG_ModbusTCPSlave_Port, 502));
    p.Start_Read = static_cast<uint32_t>(xml.Integer(PG_ModbusTCPSlave_Start_Read, 1));
    p.Start_Write =
        static_cast<uint32_t>(xml.Integer(PG_ModbusTCPSlave_Start_Write, 1));
    p.Control_Word =
        static_cast<uint32_t>(xml.Integer(PG_ModbusTCPSlave_Control_Word, 0));
    p.Status_Word =
        static_cast<uint32_t>(xml.Integer(PG_ModbusTCPSlave_Status_Word, 0));
    p.Num_Byte_RX = xml.Is_Exactly(PG_ModbusTCPSlave_Enable_NumByteRX, "1")
                        ? xml.Integer(PG_ModbusTCPSlave_NumByteRX, -1)
                        : -1;
}

TImage Image_Of_Record(const TImage_Parameters &record)
{
    TImage image;
    image.Record = record;
    image.Bytes.resize(static_cast<int>(Image_Size));
    Serialize_Record(image.Record, 0, reinterpret_cast<uint8_t *>(image.Bytes.data()), Image_Size);
    return image;
}

bool Build_Image(TXMLDocument &doc, const QString &parGen, TImage &image, QString *error)
{
    TImage_Parameters record;
    Set_Default_Parameters(record);
    if (!Read_ParGen_Parameters(doc, parGen, record, error))
        return false;
    image = Image_Of_Record(record);
    return true;
}

TBank_State Read_Bank_File(const QString &project, TImage &image, QString *why)
{
    const QString path = Bank_File_Path(project);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return TBank_State::Missing;
    QFile file(path);
    QString reason;
    // A pipe would hold the reader for ever.
    if (!info.isFile()) {
        reason = QStringLiteral("it is not a file");
    } else if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
    } else {
        image.Bytes = file.read(Image_Size + 1);
        if (file.error() != QFileDevice::NoError)
            reason = file.errorString();
        else if (image.Bytes.size() != int(Image_Size))
            reason = QStringLiteral("it is %1 bytes long, not %2").arg(file.size()).arg(Image_Size);
        else if (Deserialize_Record(reinterpret_cast<const uint8_t *>(image.Bytes.constData()), image.Record)
                 != image.Record.Byte_Sum)
            reason = QStringLiteral("its last four bytes are not the byte sum of the others");
    }
    if (reason.isEmpty())
        return TBank_State::Image;
    if (why)
        *why = QStringLiteral("\"%1\" is no image: %2").arg(QDir::toNativeSeparators(path), reason);
    return TBank_State::Damaged;
}

QString Bank_File_Path(const QString &project)
{
    return Join_Path(Join_Path(project, QStringLiteral("bin")), QStringLiteral("bank.bin"));
}

bool Build_Bank_File(const QString &project, TImage &image, QString *error)
{
    TXMLDocument doc;
    return Build_Image(doc, ParGen_File_Path(project), image, error) && Write_Bank_File(project, image.Bytes, error);
}

bool Write_Bank_File(const QString &project, const QByteArray &image, QString *error)
{
    // Without a configuration the path would point at the file system's root.
    if (project.isEmpty()) {
        if (error)
            *error = QStringLiteral("No configuration is open: there is no bin folder to write bank.bin into");
        return false;
    }
    return Save_Whole_File(Bank_File_Path(project), image, error);
}
