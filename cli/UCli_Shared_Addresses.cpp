#include "cli/UCli_Shared_Addresses.h"

#include "console/UConsole_Output.h"
#include "check/UModbus_Map.h"

void TShared_Addresses::Add(const QString &name, const TParGen_Values &values)
{
    QStringList problems;
    const TModbus_Map map = Modbus_Map_Of(values, 1, problems);
    // Each problem starts with its element's name; only the address counts here.
    if (problems.filter(ParGen_Element(PG_ModbusTCPSlave_IP1).Name.chopped(1)).isEmpty())
        m_names[map.Address].append(name);
}

bool TShared_Addresses::Report() const
{
    bool alone = true;
    for (auto it = m_names.cbegin(); it != m_names.cend(); ++it) {
        if (it.value().size() < 2)
            continue;
        Print_Problem(QStringLiteral("%1: %2 configurations share the device address %3")
                          .arg(it.value().join(QStringLiteral(", ")))
                          .arg(it.value().size())
                          .arg(it.key()));
        alone = false;
    }
    return alone;
}
