#pragma once
// Where a configuration puts its device on the network: the Modbus TCP
// slave's address and port as its values give them, for the places that
// name or compare devices (the update record, the plant's rows, shared
// addresses) without building a whole register map.

#include "params/UParGen_File.h"

#include <QString>

// "192.168.0.21" from the four address fields, each read by the integer rule
// as a number from 0 to 255; "" when one of them holds none.
QString ParGen_Address(const TParGen_Values &values);

// The port field as a number from 1 to 65535, or 0 when it holds none.
int ParGen_Port(const TParGen_Values &values);
