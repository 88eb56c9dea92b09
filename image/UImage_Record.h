#pragma once
// The device's parameter record and its byte layout. The record's fields are
// the image's fields in image order; Visit_Image_Fields walks them in that
// order, so writing and reading the image share one description of it.

#include <cstddef>
#include <cstdint>

// Bits of Serial_Mode.
constexpr uint32_t Mode_RS232 = 1;
constexpr uint32_t Mode_End_Char = 2;
constexpr uint32_t Mode_Control_Word = 4;
constexpr uint32_t Mode_Fix_Num_Byte = 8;

// The image is 2048 bytes; its last four hold the byte sum of the others.
constexpr uint32_t Image_Size = 2048;
constexpr uint32_t Image_Sum_Offset = Image_Size - 4;

struct TImage_Parameters
{
    uint32_t Fixed_000;
    uint32_t Reserved_004;
    uint32_t Reserved_008;
    uint32_t Aux_Serial_Baud;
    uint16_t Aux_Serial_Data_Bits;
    uint16_t Aux_Serial_Parity;
    uint32_t Aux_Serial_Stop_Bits;
    uint32_t Fixed_018;
    uint32_t Reserved_01C;
    uint32_t Reserved_020;
    uint32_t Reserved_024;
    uint8_t IP_Address[4];
    uint8_t Subnet_Mask[4];
    uint8_t Gateway[4];
    uint16_t Fixed_034;
    uint16_t ModbusTCP_Port;
    uint16_t Fixed_038;
    uint16_t Reserved_03A;
    uint32_t RS232_Baud;
    uint16_t RS232_Data_Bits;
    uint16_t RS232_Parity;
    uint32_t RS232_Stop_Bits;
    uint32_t Reserved_048[2];
    uint8_t Reserved_050[16];
    uint8_t Reserved_060[4];
    uint8_t Reserved_064[4];
    uint16_t Reserved_068[2];
    uint32_t Reserved_06C[5];
    uint8_t Reserved_080[4];
    uint32_t Reserved_084[31];
    uint8_t Reserved_100[4];
    uint32_t Reserved_104[10];
    uint32_t RS485_Baud;
    uint16_t RS485_Data_Bits;
    uint16_t RS485_Parity;
    uint32_t RS485_Stop_Bits;
    uint16_t Reserved_138[2];
    uint32_t Reserved_13C;
    uint8_t Reserved_140[3][4];
    uint32_t Reserved_14C[3];
    uint32_t Serial_Mode;
    uint16_t End_Char;
    uint16_t Num_Byte_Send;
    uint32_t TimeOut_RX;
    uint32_t Start_Read;
    uint32_t Start_Write;
    uint32_t Control_Word;
    uint32_t Status_Word;
    int32_t Num_Byte_RX;
    uint32_t Reserved_178;
    uint32_t Reserved_17C[383];
    uint8_t Reserved_778[128];
    uint32_t Reserved_7F8;
    uint32_t Byte_Sum;
};

// Every field from Fixed_000 to Reserved_7F8 in image order; Byte_Sum is not
// visited, it is computed from the others. Record may be const.
template <class Record, class Visitor>
void Visit_Image_Fields(Record &r, Visitor &v)
{
    v(r.Fixed_000); v(r.Reserved_004); v(r.Reserved_008);
    v(r.Aux_Serial_Baud); v(r.Aux_Serial_Data_Bits); v(r.Aux_Serial_Parity);
    v(r.Aux_Serial_Stop_Bits); v(r.Fixed_018);
    v(r.Reserved_01C); v(r.Reserved_020); v(r.Reserved_024);
    v(r.IP_Address); v(r.Subnet_Mask); v(r.Gateway);
    v(r.Fixed_034); v(r.ModbusTCP_Port); v(r.Fixed_038); v(r.Reserved_03A);
    v(r.RS232_Baud); v(r.RS232_Data_Bits); v(r.RS232_Parity); v(r.RS232_Stop_Bits);
    v(r.Reserved_048); v(r.Reserved_050); v(r.Reserved_060); v(r.Reserved_064);
    v(r.Reserved_068); v(r.Reserved_06C); v(r.Reserved_080); v(r.Reserved_084);
    v(r.Reserved_100); v(r.Reserved_104);
    v(r.RS485_Baud); v(r.RS485_Data_Bits); v(r.RS485_Parity); v(r.RS485_Stop_Bits);
    v(r.Reserved_138); v(r.Reserved_13C); v(r.Reserved_140); v(r.Reserved_14C);
    v(r.Serial_Mode); v(r.End_Char); v(r.Num_Byte_Send); v(r.TimeOut_RX);
    v(r.Start_Read); v(r.Start_Write); v(r.Control_Word); v(r.Status_Word);
    v(r.Num_Byte_RX); v(r.Reserved_178); v(r.Reserved_17C); v(r.Reserved_778);
    v(r.Reserved_7F8);
}

// Writes record as an image at buffer[start .. start + 2047] and its sum into
// record.Byte_Sum; returns start + 2048. When the image would not fit in
// capacity bytes it writes nothing, changes nothing and returns start.
uint32_t Serialize_Record(TImage_Parameters &record, uint32_t start, uint8_t *buffer,
                          uint32_t capacity);

// Reads a 2048-byte image into record (Byte_Sum as stored) and returns the
// byte sum computed over its first 2044 bytes.
uint32_t Deserialize_Record(const uint8_t *image, TImage_Parameters &record);
