#pragma once
// Configurations that give one device address: two converters at one address
// on a plant's network is a commissioning fault that no single
// configuration's check can see.

#include "params/UParGen_File.h"

#include <QMap>
#include <QString>
#include <QStringList>

class TShared_Addresses
{
public:
    // Notes the device address of a configuration's values (none when its
    // address fields hold no address).
    void Add(const QString &name, const TParGen_Values &values);
    // Reports each address that more than one configuration gives on
    // standard error; false when there was one.
    bool Report() const;

private:
    QMap<QString, QStringList> m_names;   // by address
};
