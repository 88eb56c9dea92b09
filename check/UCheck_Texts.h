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

// Why step failed or was not asked, in this language ("refused: nothing
// listens at port 502 of 192.168.0.10, ..."), with the port, address, unit
// and time limit of request; "" for a step that passed or is yet to end. A
// request that cannot be checked keeps the engine's English words.
QString Cause_Text(const TCheck_Step &step, const TCheck_Request &request);
// The step that says why the verdict is what it is: the first that failed
// after the echo, else the verdict of a check that could not be made, else
// an echo without an answer; -1 when none is.
int Cause_Step(const TCheck_Result &result);
// What a register block without values says once, on its first row:
// "running...", "failed", "not asked: no connection", "cancelled"; "" while
// it waits. (A refused block shows its exception on every row instead.)
QString Unread_Text(const TCheck_Step &step);
// Every text Unread_Text gives, for columns as wide as the widest.
QStringList Unread_Texts();
// The register's number as device manuals count it: 30001 + address for
// input registers (04), 40001 + address for holding registers (03), and
// 300001 + address, 400001 + address past 9998.
QString Manual_Number(int function, int address);
// A register's two bytes as text, the high byte first, of which only the
// first bytes (0, 1 or 2) count; a byte that is no printable ASCII shows as
// a middle dot.
QString Register_Ascii(uint16_t value, int bytes);
// "1000 0000 0000 0101": bit 15 first, in groups of four.
QString Register_Bits(uint16_t value);
