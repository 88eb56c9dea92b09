#include "common/UComon.h"

#include <QDir>
#include <QFileInfo>

const QString Default_SW_Code = QStringLiteral("QV40318");
const QString Default_SW_Description = QStringLiteral("Serial / Modbus TCP Slave - Converter");
const QString SW_Code_Check = QStringLiteral("QV40318");
const QString SW_Version = QStringLiteral("1.102");
const QString Default_Last_IP_Address = QStringLiteral("192.168.2.205");
const QString Default_Main_Title =
    QStringLiteral("Kestrixnet - Configurator QV40318 - Serial / Modbus TCP Slave ");

QString Path_Exe;
QString Path_Master;
QString Path_Projects;
QString Path_Language;
QString Name_Project;
QString Path_Project;
QString File_ParGen;
QString Last_IP_Address;
QString Language;
bool Enable_Internet = false;
bool Enable_Update = false;
bool Enable_Jump_Field_Tables = false;
bool Double_Click_Auto_Size = false;
int32_t Last_Check_Unit_ID = Default_Check_Unit_ID;
int32_t Last_Check_Registers = Default_Check_Registers;
bool Last_Check_Echo = true;
int32_t Plant_Width = 0;
int32_t Plant_Height = 0;
QList<int> Plant_Column_Widths;
QString Main_Title;
QString SW_Code;
QString SW_Description;
int32_t Update_Option = 0;
bool Read_Back = false;

void Reset_Shared_State()
{
    Path_Exe.clear();
    Path_Master.clear();
    Path_Projects.clear();
    Path_Language.clear();
    Name_Project.clear();
    Path_Project.clear();
    File_ParGen.clear();
    Last_IP_Address.clear();
    Language.clear();
    Enable_Internet = false;
    Enable_Update = false;
    Enable_Jump_Field_Tables = false;
    Double_Click_Auto_Size = false;
    Last_Check_Unit_ID = Default_Check_Unit_ID;
    Last_Check_Registers = Default_Check_Registers;
    Last_Check_Echo = true;
    Plant_Width = 0;
    Plant_Height = 0;
    Plant_Column_Widths.clear();
    Main_Title.clear();
    SW_Code.clear();
    SW_Description.clear();
    Update_Option = 0;
    Read_Back = false;
}

TProgram_Paths Program_Paths(const QString &exeFolder)
{
    TProgram_Paths paths;
    paths.Exe = exeFolder;
    while (paths.Exe.size() > 1 && paths.Exe.endsWith(QLatin1Char('/'))
           && !paths.Exe.endsWith(QLatin1String(":/")))
        paths.Exe.chop(1);
    paths.Master = Join_Path(paths.Exe, QStringLiteral("MASTER"));
    paths.Projects = Join_Path(paths.Exe, QStringLiteral("PROJECTS"));
    paths.Languages = Join_Path(paths.Exe, QStringLiteral("LANGUAGE"));
    return paths;
}

void Make_Program_Folders(const TProgram_Paths &paths)
{
    for (const QString &folder : {paths.Master, paths.Projects, paths.Languages}) {
        if (!QFileInfo::exists(folder))
            QDir().mkdir(folder);
    }
}

void Set_Program_Folders(const QString &exeFolder)
{
    const TProgram_Paths paths = Program_Paths(exeFolder);
    Path_Exe = paths.Exe;
    Path_Master = paths.Master;
    Path_Projects = paths.Projects;
    Path_Language = paths.Languages;
    Make_Program_Folders(paths);
}

QString Trim_Text(const QString &text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

static int Hex_Digit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool Try_Read_Integer(const QString &text, int32_t &value)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < n && text.at(i) == QLatin1Char('$')) {
        hex = true;
        ++i;
    } else if (i < n && (text.at(i) == QLatin1Char('x') || text.at(i) == QLatin1Char('X'))) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text.at(i) == QLatin1Char('0')
               && (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return false;

    uint64_t magnitude = 0;
    if (hex) {
        for (; i < n; ++i) {
            const int d = Hex_Digit(text.at(i));
            if (d < 0)
                return false;
            magnitude = magnitude * 16 + static_cast<uint64_t>(d);
            if (magnitude > 0xFFFFFFFFull)
                return false;
        }
        uint32_t bits = static_cast<uint32_t>(magnitude);
        if (negative)
            bits = 0u - bits;
        value = static_cast<int32_t>(bits);
        return true;
    }
    for (; i < n; ++i) {
        const ushort u = text.at(i).unicode();
        if (u < '0' || u > '9')
            return false;
        magnitude = magnitude * 10 + (u - '0');
        if (magnitude > 0x80000000ull)
            return false;
    }
    if (!negative && magnitude > 0x7FFFFFFFull)
        return false;
    value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                     : static_cast<int32_t>(magnitude);
    return true;
}

int32_t Read_Integer(const QString &text, int32_t fallback)
{
    int32_t value = 0;
    return Try_Read_Integer(text, value) ? value : fallback;
}

bool Check_IP_Address(const QString &text, QString &Part1, QString &Part2, QString &Part3,
                      QString &Part4)
{
    QString rest = Trim_Text(text);
    QString *outputs[3] = {&Part1, &Part2, &Part3};
    for (QString *out : outputs) {
        const int dot = rest.indexOf(QLatin1Char('.'));
        if (dot < 0)
            return false;
        *out = Trim_Text(rest.left(dot));
        rest = Trim_Text(rest.mid(dot + 1));
    }
    Part4 = rest;
    const QString *parts[4] = {&Part1, &Part2, &Part3, &Part4};
    bool valid = true;
    for (const QString *part : parts) {
        const int32_t v = Read_Integer(*part, 1000);
        if (v < 0 || v > 255)
            valid = false;
    }
    return valid;
}

QString Join_Path(const QString &path, const QString &name)
{
    if (path.endsWith(QLatin1Char('/')))
        return path + name;
    return path + QLatin1Char('/') + name;
}

bool Is_Plain_Folder_Name(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

const QString Maker_Host = QStringLiteral("www.kestrixnet.com");

QString Maker_Home_Url()
{
    return QStringLiteral("http://") + Maker_Host + QStringLiteral("/HOME/default.asp?frompg=")
           + Default_SW_Code;
}
