#pragma once
// The Modbus TCP side of a configuration as a device serves it: where it
// listens and which registers it answers, each block with the function that
// reads it. The check and the virtual converter both take their registers
// from here, so what one serves is what the other asks for.

#include "params/UParGen_File.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

// The registers a configuration names, in the order a check reads them.
enum class TRegister_Role { Read_Data, Status_Word, Byte_Count, Write_Data, Control_Word };

constexpr int Function_Holding_Registers = 3;
constexpr int Function_Input_Registers = 4;

// How many registers of each data block a check reads unless told otherwise,
// and the most one Modbus read may ask for.
constexpr int Default_Block_Count = 8;
constexpr int Max_Block_Count = 125;

struct TRegister_Block
{
    TRegister_Role Role = TRegister_Role::Read_Data;
    int Function = Function_Input_Registers;
    // Protocol address (0-based) exactly as the configuration holds it.
    uint16_t Start = 0;
    uint16_t Count = 1;
};

struct TModbus_Map
{
    QString Address;   // dotted quad
    uint16_t Port = 0;
    // Read data, status word, byte count (only when the configuration
    // enables it), write data, control word.
    QList<TRegister_Block> Blocks;
};

// Input registers for what the device reports (read data, status word, byte
// count), holding registers for what the master writes (write data, control
// word). A device's manual may say otherwise; callers may switch a role.
int Default_Function(TRegister_Role role);

// "read data", "status word", "byte count", "write data", "control word".
QString Role_Name(TRegister_Role role);

// The map of the values Set Communication shows, with blockCount registers in
// each data block (1..Max_Block_Count). Texts that are no address, port or
// register there (a hand-edited file) are each named in problems, and the map
// is then not to be used.
TModbus_Map Modbus_Map_Of(const TParGen_Values &values, int blockCount, QStringList &problems);

// The map of the configuration in folder project, its ParGen.xml read as Set
// Communication reads it. A file that is missing or cannot be read gives the
// defaults' map, and fileProblem says why ("no ParGen.xml yet", or the file
// and the parser's message); it is empty when the file was read. problems as
// Modbus_Map_Of gives them.
TModbus_Map Configuration_Map(const QString &project, int blockCount, QString &fileProblem,
                              QStringList &problems);
