#include "params/UParGen_Address.h"

#include "common/UComon.h"

#include <QStringList>

namespace {

// The element's text as a number in min..max, or -1.
int32_t Number_In(const TParGen_Values &values, int id, int32_t min, int32_t max)
{
    int32_t number = 0;
    return Try_Read_Integer(values[id].Text, number) && number >= min && number <= max ? number : -1;
}

} // namespace

QString ParGen_Address(const TParGen_Values &values)
{
    QStringList octets;
    for (int id = PG_ModbusTCPSlave_IP1; id <= PG_ModbusTCPSlave_IP4; ++id) {
        const int32_t octet = Number_In(values, id, 0, 255);
        if (octet < 0)
            return QString();
        octets << QString::number(octet);
    }
    return octets.join(QLatin1Char('.'));
}

int ParGen_Port(const TParGen_Values &values)
{
    return qMax(0, Number_In(values, PG_ModbusTCPSlave_Port, 1, 65535));
}
