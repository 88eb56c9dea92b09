#pragma once
// Values the tests write out or read back by hand: the settings file, a
// language file, the ParGen table's ids and an image's little-endian words.

#include <QByteArray>
#include <QString>
#include <cstdint>

// A whole settings file as the program writes it: every element, in its
// order; the two table preferences off.
QByteArray Settings_Xml(const QString &project = QString(),
                        const QString &language = QStringLiteral("English"), bool internet = false,
                        bool update = false,
                        const QString &address = QStringLiteral("192.168.2.205"));

// A German language file: entries 17, 19 and the options dialog's texts.
extern const QByteArray German_Lng;

// The ParGen table's id of an element name; -1 when no element has it.
int Id_Of(const QString &name);

// The unsigned 32-bit little-endian word at offset.
uint32_t Little_Endian(const QByteArray &bytes, int offset);
