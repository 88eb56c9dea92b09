#include "cli/UCli_Shared_Addresses.h"

#include "console/UConsole_Output.h"
#include "params/UParGen_Address.h"

void TShared_Addresses::Add(const QString &name, const TParGen_Values &values)
{
    const QString address = ParGen_Address(values);
    if (!address.isEmpty())
        m_names[address].append(name);
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
