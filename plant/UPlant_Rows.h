#pragma once
// The plant at a glance: one row per configuration folder of PROJECTS, as
// Open Configuration lists them, with what its files say about its
// commissioning: the settings and where they put the device, the image and
// whether it is still the configuration's, the newest update and the newest
// check from the ends of Update.log and Check.log, and one state that sums it
// up. Values in, values out, no program-wide state: the rows may be read on a
// worker thread. Only the newest block of each record is read, from the end.

#include "check/UCheck_Log.h"
#include "update/UUpdate_Log.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

enum class TSettings_State {
    OK,            // ParGen.xml passes every Set Communication check
    No_ParGen,     // the configuration has no ParGen.xml yet
    Damaged,       // ParGen.xml cannot be read: Settings_Error says why
    Check_Failed   // a check fails: Failed_Check is its message's entry
};

enum class TImage_State {
    None,      // no bin/bank.bin
    Current,   // bank.bin is the image ParGen.xml gives now
    Stale,     // bank.bin is another image: ParGen.xml changed after it was built
    Damaged    // bank.bin cannot be read or is no image: Image_Error says why
};

// The state that sums a row up. The first that applies wins, in this order:
enum class TPlant_State {
    Settings_To_Fix,     // ParGen.xml missing, damaged, or failing a check
    Address_Shared,      // another configuration gives the same address and port
    No_Image,            // no bank.bin, or one that is no image
    Image_Stale,         // bank.bin is not the image ParGen.xml gives now
    Not_Updated,         // Update.log holds no update (or cannot be read)
    Update_Failed,       // the newest update did not end with exit status 0
    Update_Older,        // the newest update put another image into the device
                         // (another byte sum, or firmware only)
    Not_Checked,         // no check since the newest update, or one cancelled
                         // or not made
    Check_Failed,        // the check's verdict: no answer, port closed, or
                         // answers that are no proper Modbus TCP answers
    Registers_Refused,   // the device answers, but refuses registers of the map
    Commissioned         // updated with this image, and since then answering
                         // with the configured map
};
constexpr int Plant_State_Count = int(TPlant_State::Commissioned) + 1;

// The serial line as values: list positions as ParGen.xml holds them, the
// rate and data bits as numbers (0 for a position no list item has).
struct TSerial_Line
{
    int Type = 0;        // 0 RS232, 1 RS485/RS422
    int Baud = 0;        // bits per second
    int Data_Bits = 0;   // 7 or 8
    int Parity = 0;      // 0 none, 1 odd, 2 even
    int Framing = 0;     // 0 end character, 1 control word, 2 fixed number of bytes
};

struct TPlant_Row
{
    QString Name;   // as the folder is spelled on the disk
    QString Path;   // the configuration folder

    TSettings_State Settings = TSettings_State::No_ParGen;
    int Failed_Check = 0;     // string-table entry of the first failing check
    QString Settings_Error;   // why ParGen.xml cannot be read (English)
    QString Address;          // the device's dotted quad; "" when ParGen.xml gives none
    int Port = 0;             // its Modbus TCP port; 0 when it gives none
    TSerial_Line Serial;
    // The other configurations of the rows read that give the same address
    // and port.
    QStringList Shared_With;

    TImage_State Image = TImage_State::None;
    uint32_t Byte_Sum = 0;    // bank.bin's, when it is an image (Current, Stale)
    QString Image_Error;

    bool Updated = false;     // Update.log holds an update
    TUpdate_Run Last_Update;
    bool Checked = false;     // Check.log holds a check
    TRecorded_Check Last_Check;
    // The newest check counts: it was made after the newest update (or
    // there is none).
    bool Check_Counts = false;

    // The records that could not be read, each with why (English).
    QStringList Problems;

    TPlant_State State = TPlant_State::Settings_To_Fix;
};

// The row of the configuration folder name under projects, on its own:
// Shared_With empty, State as if no other configuration shared its address.
TPlant_Row Read_Plant_Row(const QString &projects, const QString &name);

// The state of a row by the order of TPlant_State.
TPlant_State Plant_State_Of(const TPlant_Row &row);

// Sets Shared_With of each row whose address and port another row gives too,
// and its State.
void Mark_Shared_Addresses(QList<TPlant_Row> &rows);

// The rows of the configurations names (folder names under projects) in
// their order, shared addresses marked among them. Read side by side on the
// system's cores.
QList<TPlant_Row> Read_Plant_Rows(const QString &projects, const QStringList &names);

// The rows of every configuration Open Configuration lists, names that
// differ only in letter case included.
QList<TPlant_Row> Read_Plant(const QString &projects);

struct TPlant_Summary
{
    int Configurations = 0;
    // By the newest check where it counts (Check_Counts): answering with
    // the map; any other verdict of a made check; the rest (none, none since
    // the update, cancelled, not made). The three add up to Configurations.
    int Answering = 0;
    int Failing = 0;
    int Not_Checked = 0;
    int Shared_Addresses = 0;   // addresses and ports given by more than one row
    std::array<int, Plant_State_Count> States{};   // rows by state
};

TPlant_Summary Summarize_Plant(const QList<TPlant_Row> &rows);
