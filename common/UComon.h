#pragma once
// Program-wide state shared by every window, the identity constants and the
// small text rules that every reader of outside input relies on.

#include <QList>
#include <QString>
#include <cstdint>

extern const QString Default_SW_Code;
extern const QString Default_SW_Description;
extern const QString SW_Code_Check;
extern const QString SW_Version;
extern const QString Default_Last_IP_Address;
extern const QString Default_Main_Title;

// Folders and the open configuration. Paths are joined with "/" (Qt takes it
// on every system) and never end in a separator.
extern QString Path_Exe;
extern QString Path_Master;
extern QString Path_Projects;
extern QString Path_Language;
extern QString Name_Project;
extern QString Path_Project;   // "" while no configuration is open
extern QString File_ParGen;

// A program folder and the three folders in it, as values, for code below
// the windows that must not depend on which folder the windows have open.
struct TProgram_Paths
{
    QString Exe;
    QString Master;
    QString Projects;
    QString Languages;
};

// The paths of exeFolder (trailing separators dropped) without touching the disk.
TProgram_Paths Program_Paths(const QString &exeFolder);
// Creates each of the three folders that is missing (one level; a failure
// shows up where the folder is used).
void Make_Program_Folders(const TProgram_Paths &paths);

// Sets Path_Exe and the paths of the three program folders below it, then
// creates each folder that is missing.
void Set_Program_Folders(const QString &exeFolder);

// Persisted in the settings file.
extern QString Last_IP_Address;
extern QString Language;
extern bool Enable_Internet;
extern bool Enable_Update;
extern bool Enable_Jump_Field_Tables;
extern bool Double_Click_Auto_Size;
// The Check Device dialog's unit identifier and registers per data block, as
// the last check left them (the Modbus check's own defaults at first).
constexpr int32_t Default_Check_Unit_ID = 1;
constexpr int32_t Default_Check_Registers = 8;
extern int32_t Last_Check_Unit_ID;
extern int32_t Last_Check_Registers;
// Check Device's "Echo Requests First", which Plant Overview's checks take too.
extern bool Last_Check_Echo;
// Plant Overview's size and column widths as it was last closed; 0 and none
// at first (the window then takes its own).
extern int32_t Plant_Width;
extern int32_t Plant_Height;
extern QList<int> Plant_Column_Widths;

// Identity texts, fixed after start-up.
extern QString Main_Title;
extern QString SW_Code;
extern QString SW_Description;

// The last choices of the update dialog, kept until the program ends.
extern int32_t Update_Option;
extern bool Read_Back;

// Resets every shared variable to its value at program start (empty, false,
// 0, the check's defaults).
void Reset_Shared_State();

// Removes every character with a code of 32 or less from both ends.
QString Trim_Text(const QString &text);

// The integer reading rule: leading blanks, an optional sign, then decimal
// digits or hexadecimal digits after "$", "x", "X", "0x" or "0X", and nothing
// after them. Decimal values must fit a signed 32-bit integer; hexadecimal
// values may use all 32 bits and wrap into the signed range ($FFFFFFFF is -1).
bool Try_Read_Integer(const QString &text, int32_t &value);
int32_t Read_Integer(const QString &text, int32_t fallback);

// Splits a dotted-quad text into its four parts; true when all four are
// numbers in 0..255. Parts are written as they are found, also on failure.
bool Check_IP_Address(const QString &text, QString &Part1, QString &Part2, QString &Part3,
                      QString &Part4);

// path + "/" + name, the one way paths are joined.
QString Join_Path(const QString &path, const QString &name);

// True when name can stand as one folder name inside another folder: not
// empty, not "." or "..", and without "/" or "\".
bool Is_Plain_Folder_Name(const QString &name);

// The maker's web server: home page, version page and download page.
extern const QString Maker_Host;
// The home page with the "frompg" key set to the software code.
QString Maker_Home_Url();
