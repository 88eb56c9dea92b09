#pragma once
// The record of a configuration's Modbus checks, Check.log in its folder: one
// block per check, the newest last, the last Check_Log_Keep of them kept. A
// technical record in fixed English, UTF-8 with LF line ends, each block
// opening with a line that starts with Check_Log_Mark: when and where, the
// unit, each step with its time, each register read with its value in
// decimal and hex (or the exception that refused it), and the verdict.

#include "update/UModbus_Check.h"

#include <QByteArray>
#include <QString>

constexpr int Check_Log_Keep = 200;
extern const QByteArray Check_Log_Mark;   // "=== Check "

// project/Check.log.
QString Check_Log_Path(const QString &project);

// The block of one check.
QByteArray Check_Log_Block(const TCheck_Result &result);

// Appends the check's block to the file at path and drops the oldest beyond
// Check_Log_Keep, writing the whole file through a save file: on any failure
// (a full disk) error says why and the file stays as it was.
bool Append_Check_Log(const QString &path, const TCheck_Result &result, QString *error);

// Run_Modbus_Check, then its block appended to logFile (none when empty);
// logError says why it could not be, and is empty otherwise.
TCheck_Result Run_Recorded_Check(const TCheck_Request &request, const QString &logFile,
                                 QString *logError, TCheck_Cancel *cancel = nullptr,
                                 const TCheck_Progress &progress = TCheck_Progress());
