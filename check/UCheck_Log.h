#pragma once
// The record of a configuration's Modbus checks, Check.log in its folder: one
// block per check, the newest last, the last Check_Log_Keep of them kept. A
// technical record in fixed English, UTF-8 with LF line ends, each block
// opening with a line that starts with Check_Log_Mark: when and where, the
// unit, each step with its time, each register read with its value in
// decimal and hex (or the exception that refused it), and the verdict; a
// watch adds one block when it ends, with its rounds and the last one's
// values. Kept
// through UBlock_Record: checks in several processes add their blocks in turn.

#include "common/UBlock_Record.h"
#include "check/UModbus_Check.h"

#include <QByteArray>
#include <QString>

constexpr int Check_Log_Keep = 200;
extern const QByteArray Check_Log_Mark;   // "=== Check "

// project/Check.log.
QString Check_Log_Path(const QString &project);

// The block of one check.
QByteArray Check_Log_Block(const TCheck_Result &result);

// The record at path: blocks opening with Check_Log_Mark, Check_Log_Keep kept.
TBlock_Record Check_Log_Record(const QString &path);

// Appends the check's block to the record at path, under its lock, dropping
// the oldest beyond Check_Log_Keep: on any failure (a full disk, another
// check holding the lock too long, a path that is no regular file) error
// says why and the file stays as it was.
bool Append_Check_Log(const QString &path, const TCheck_Result &result, QString *error);

// The result of a check that cannot be made, for its record and its report:
// every step not asked, the verdict "not checked" with the reason.
TCheck_Result Not_Checked_Result(const TCheck_Request &request, const QString &reason);

// A check's block read back: when, where, the verdict and what the status
// word and the byte count read.
struct TRecorded_Check
{
    QDateTime Started;
    QString Device;                 // "127.0.0.1:1502"
    TCheck_Verdict Verdict = TCheck_Verdict::Not_Checked;
    int Refused_Registers = 0;
    QString Verdict_Text;           // the verdict line without its time, its reason included
    bool Has_Status_Word = false;   // the status word was read
    uint16_t Status_Word = 0;
    bool Has_Byte_Count = false;    // the byte count was read
    uint16_t Byte_Count = 0;
};

// False when block is no check's block (its time or its verdict missing or
// not understood).
bool Read_Check_Block(const QByteArray &block, TRecorded_Check &check);

// The newest check in the record at path, read from its end: found is false
// when there is no record yet. False, with error, when it cannot be read or
// its newest block is not understood.
bool Read_Last_Check(const QString &path, bool &found, TRecorded_Check &check, QString *error);

// Run_Modbus_Check, then its block appended to logFile (none when empty);
// logError says why it could not be, and is empty otherwise.
TCheck_Result Run_Recorded_Check(const TCheck_Request &request, const QString &logFile,
                                 QString *logError, TCheck_Cancel *cancel = nullptr,
                                 const TCheck_Progress &progress = TCheck_Progress(),
                                 const TCheck_Round &round = TCheck_Round());
