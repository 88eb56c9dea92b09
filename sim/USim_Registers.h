#pragma once
// The registers one virtual converter serves, exactly those of its
// configuration: each register block as input or holding registers by the
// function that reads it, and nothing else. libmodbus answers each request
// from the one stretch of registers that holds its first address, so a
// request that reaches past what is served is refused with exception 02
// (illegal data address) as from a real device.

#include "check/UModbus_Map.h"

#include <modbus.h>

#include <QString>
#include <memory>
#include <vector>

class TSim_Registers
{
public:
    TSim_Registers();

    // Serves the map's blocks offset addresses off (as a device running
    // another configuration would). False with error when a moved block
    // leaves the addresses 0..65535.
    bool Build(const TModbus_Map &map, int offset, QString &error);

    // What answers a request for function (its code) from address: the
    // stretch holding the address in the table the function uses, else a
    // mapping without registers, from which libmodbus answers 02.
    modbus_mapping_t *Mapping_For(int function, int address) const;

    // One tick of the status word (counts up, 65535 wraps to 0).
    void Count_Status();

    // "read data 1-8, status word 0 (input registers); write data 1-8,
    // control word 0 (holding registers)".
    QString Described() const;

private:
    struct TMapping_Free
    {
        void operator()(modbus_mapping_t *mapping) const { modbus_mapping_free(mapping); }
    };
    using TMapping = std::unique_ptr<modbus_mapping_t, TMapping_Free>;

    // Addresses next to or over one another make one stretch.
    struct TStretch
    {
        int Function;
        int First;
        int Last;
        TMapping Mapping;
    };

    std::vector<TRegister_Block> m_blocks;   // as served, offset applied
    std::vector<TStretch> m_stretches;
    TMapping m_none;
    uint16_t *m_status = nullptr;
};
