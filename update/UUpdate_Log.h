#pragma once
// The record of a configuration's updates, Update.log in its folder: one
// block per click on Update Device's Execute, the newest last, the last
// Update_Log_Keep of them kept. A technical record in fixed English, UTF-8
// with LF line ends, kept through UBlock_Record as Check.log is:
//
//     === Update 2026-12-10 01:17:31 +01:00
//     Device: 127.0.0.1
//     Configuration: 10.0.0.50
//     Asked: firmware and configuration, read-back on
//     Image: bin/bank.bin, byte sum 183204 (0x0002CBA4)
//     Result: exit status 0
//
// "Configuration" is the address the configuration's ParGen.xml gives the
// device ("none: " and why when it gives none), "Image" bank.bin's byte sum
// ("none: " and why). "Result" says how the updater's run ended, or why the
// updater never ran. The blocks are read back as values, so the plant's
// overview reads the newest one.

#include "platform/UProcess.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>

constexpr int Update_Log_Keep = 200;
extern const QByteArray Update_Log_Mark;   // "=== Update "

// How a run of the update road ended. The first four: the updater ran; the
// others: why it never ran.
enum class TUpdate_End {
    Exited,              // the updater ended by itself: Code is its exit status
    Signalled,           // a signal ended the updater: Code is the signal
    Exit_Unknown,        // it ended, but its exit status could not be had
    Timed_Out,           // still running after Code seconds: left running
    No_Echo_Answer,      // the device did not answer the echo requests
    Echo_Not_Sent,       // no echo request could be sent to the address
    Cancelled,           // the dialog was closed during the echo requests
    Job_Not_Written,     // the job file could not be written: Detail says why
    Updater_Not_Found,   // no updater at Detail
    Updater_Not_Started  // the updater at Detail could not be started
};

struct TUpdate_Run
{
    QDateTime Started;             // the click, local time with its offset
    QString Device_Address;        // as typed in the dialog
    QString Configured_Address;    // what ParGen.xml gives the device; "" for none
    QString Configuration_Problem; // why it gives none
    int Option = 0;                // TUpdate_Option
    bool With_Read_Back = false;
    bool Has_Byte_Sum = false;
    uint32_t Byte_Sum = 0;         // bank.bin's
    QString Image_Problem;         // why there is none
    TUpdate_End End = TUpdate_End::Exited;
    int Code = 0;
    QString Detail;

    // The updater ran and said it succeeded (exit status 0).
    bool Succeeded() const { return End == TUpdate_End::Exited && Code == 0; }
    // What was asked puts the configuration into the device.
    bool Writes_Configuration() const;
};

// project/Update.log.
QString Update_Log_Path(const QString &project);

// Notes in run what the configuration in folder project holds now: the
// address its ParGen.xml gives the device and bank.bin's byte sum, or why
// there is none.
void Note_Configuration(TUpdate_Run &run, const QString &project);

// Sets the run's end from how the runner's run of the updater at program ended.
void Set_Updater_End(TUpdate_Run &run, const TRun_Result &result, const QString &program);

// The block of one run; line breaks inside its texts become blanks.
QByteArray Update_Log_Block(const TUpdate_Run &run);
// The block read back; false when it is no update's block (its time or its
// result line missing or not understood).
bool Read_Update_Block(const QByteArray &block, TUpdate_Run &run);

// Appends the run's block to the record at path, under its lock, dropping the
// oldest beyond Update_Log_Keep: on any failure (a full disk, a lock held too
// long, a path that is no regular file) error says why and the file stays as
// it was.
bool Append_Update_Log(const QString &path, const TUpdate_Run &run, QString *error);

// The newest run in the record at path, read from its end: found is false
// when there is no record yet. False, with error, when it cannot be read or
// its newest block is not understood.
bool Read_Last_Update(const QString &path, bool &found, TUpdate_Run &run, QString *error);
