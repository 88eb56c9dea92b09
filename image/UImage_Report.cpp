#include "image/UImage_Report.h"

static QString Address_Text(const uint8_t (&field)[4])
{
    return QStringLiteral("%1.%2.%3.%4").arg(field[0]).arg(field[1]).arg(field[2]).arg(field[3]);
}

static QString Parity_Text(uint16_t parity)
{
    switch (parity) {
    case 0:
        return QStringLiteral("NONE");
    case 1:
        return QStringLiteral("ODD");
    case 2:
        return QStringLiteral("EVEN");
    default:
        return QStringLiteral("unknown code %1").arg(parity);
    }
}

static QString Frame_Text(const TImage_Parameters &p)
{
    if (p.Serial_Mode & Mode_End_Char)
        return QStringLiteral("End Character, end character %1").arg(p.End_Char);
    if (p.Serial_Mode & Mode_Control_Word)
        return QStringLiteral("Num Bytes on Control Word");
    if (p.Serial_Mode & Mode_Fix_Num_Byte)
        return QStringLiteral("Fix Num Bytes, %1 bytes").arg(p.Num_Byte_Send);
    return QStringLiteral("not set");
}

QStringList Describe_Image(const TImage_Parameters &p)
{
    const bool rs232 = p.Serial_Mode & Mode_RS232;
    const uint32_t baud = rs232 ? p.RS232_Baud : p.RS485_Baud;
    const uint16_t dataBits = rs232 ? p.RS232_Data_Bits : p.RS485_Data_Bits;
    const uint16_t parity = rs232 ? p.RS232_Parity : p.RS485_Parity;
    const uint32_t stopBits = rs232 ? p.RS232_Stop_Bits : p.RS485_Stop_Bits;
    const QString bytesRx = p.Num_Byte_RX < 0 ? QStringLiteral("off")
                                              : QStringLiteral("register %1").arg(p.Num_Byte_RX);
    return {
        QStringLiteral("IP address: %1").arg(Address_Text(p.IP_Address)),
        QStringLiteral("Subnet mask: %1").arg(Address_Text(p.Subnet_Mask)),
        QStringLiteral("Gateway: %1").arg(Address_Text(p.Gateway)),
        QStringLiteral("Modbus TCP port: %1").arg(p.ModbusTCP_Port),
        QStringLiteral("Serial line: %1").arg(rs232 ? QStringLiteral("RS232")
                                                    : QStringLiteral("RS485/RS422")),
        QStringLiteral("Baud rate: %1").arg(baud),
        QStringLiteral("Data bits: %1").arg(dataBits),
        QStringLiteral("Parity: %1").arg(Parity_Text(parity)),
        QStringLiteral("Stop bits field: %1").arg(stopBits),
        QStringLiteral("Frame mode: %1").arg(Frame_Text(p)),
        QStringLiteral("Receive timeout: %1 ms").arg(p.TimeOut_RX),
        QStringLiteral("Registers: start read %1, start write %2, control word %3, "
                       "status word %4, bytes received %5")
            .arg(p.Start_Read)
            .arg(p.Start_Write)
            .arg(p.Control_Word)
            .arg(p.Status_Word)
            .arg(bytesRx),
    };
}
