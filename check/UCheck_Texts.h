#pragma once
// What a Modbus check found, in the words of the string table, so a window
// tells it in the user's language. The check's own texts (its step texts,
// Check.log) stay in English, a technical record.

#include "check/UModbus_Check.h"

#include <QString>
#include <QStringList>

// "Read Data", "Status Word", ...
QString Role_Text(TRegister_Role role);
// "Echo", "TCP Connection", or the block's role.
QString Step_Text(const TCheck_Step &step);
// "Exception 02: illegal data address" for the codes Modbus names that a read
// can meet (01, 02, 03, 04, 06, 0A, 0B); "Exception 05" for the others.
QString Exception_Text(int code);
// "waiting", "running...", "answered" ("connected" for the connection),
// "failed" ("refused" for a block refused with an exception), "not asked",
// "cancelled".
QString State_Text(const TCheck_Step &step);
// Every text State_Text gives, for a column as wide as the widest.
QStringList State_Texts();
// Every text a register row without a value can show: the exceptions by
// name (and one without a name) and every state, for value columns as wide
// as the widest.
QStringList Value_Texts();
// "Answers, but registers refused: 8", with the hint that the device may be
// running another configuration where a configured register was refused
// with 02.
QString Verdict_Text(const TCheck_Result &result);
