#include "app/USettings.h"

#include "common/UComon.h"
#include "check/UModbus_Map.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString Settings_File()
{
    return Join_Path(Path_Exe, QStringLiteral("Velmora.xml"));
}

// The bytes of a settings file that did not load, kept until the first write
// puts them beside it, so the user's settings are never lost to the defaults.
static QByteArray Damaged_Settings;
// A settings file that could not even be opened (no read rights, another
// program's lock): the first write moves it aside, as it stands, instead.
static bool Unopened_Settings = false;

static QString Damaged_Settings_File()
{
    return Settings_File() + QStringLiteral(".damaged");
}

// The newest two damaged files are kept: an earlier .damaged becomes
// .damaged.1, in place of any older one, before the new one is kept.
static bool Keep_Damaged_Settings(QString *error)
{
    const QString kept = Damaged_Settings_File();
    const QString earlier = kept + QStringLiteral(".1");
    const auto fail = [error](const QString &from, const QString &to, const QFile &file) {
        if (error)
            *error = QStringLiteral("Cannot keep \"%1\" as \"%2\": %3")
                         .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to), file.errorString());
        return false;
    };
    if (QFileInfo::exists(kept)) {
        QFile older(earlier);
        if (older.exists() && !older.remove())
            return fail(kept, earlier, older);
        QFile last(kept);
        if (!last.rename(earlier))
            return fail(kept, earlier, last);
    }
    if (!Unopened_Settings)
        return Save_Whole_File(kept, Damaged_Settings, error);
    // Gone since the start: nothing left to keep.
    QFile unopened(Settings_File());
    return !unopened.exists() || unopened.rename(kept) || fail(Settings_File(), kept, unopened);
}

static void Set_Default_Settings()
{
    Name_Project.clear();
    Path_Project.clear();
    Last_IP_Address = Default_Last_IP_Address;
    Language = QStringLiteral("English");
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
}

static QString Read_Text(const TXMLDocument &doc, const QString &group, const QString &name,
                         const QString &fallback)
{
    QString text;
    return doc.Read_Path({group, name}, text) ? text : fallback;
}

static bool Read_Flag(const TXMLDocument &doc, const QString &name)
{
    return Read_Text(doc, QStringLiteral("lastinternet"), name, QString()) == QLatin1String("1");
}

// A number of group in min..max, or fallback (also for a file from before the element).
static int32_t Read_Number(const TXMLDocument &doc, const QString &group, const QString &name, int32_t min,
                           int32_t max, int32_t fallback)
{
    int32_t number = 0;
    if (!Try_Read_Integer(Read_Text(doc, group, name, QString()), number) || number < min || number > max)
        return fallback;
    return number;
}

// Plant Overview's size: a window no screen would show, or none, gives 0 (the
// window's own size).
constexpr int32_t Min_Plant_Side = 200;
constexpr int32_t Max_Plant_Side = 20000;
// Its column widths, "120,80,...": each in range, or none at all.
constexpr int32_t Min_Plant_Column = 8;
constexpr int32_t Max_Plant_Column = 4000;
constexpr int Max_Plant_Columns = 32;

static QList<int> Read_Column_Widths(const TXMLDocument &doc)
{
    const QString text = Read_Text(doc, QStringLiteral("plantoverview"), QStringLiteral("Plant_Columns"), QString());
    const QStringList parts = text.split(QLatin1Char(','));
    QList<int> widths;
    for (const QString &part : parts) {
        int32_t width = 0;
        if (parts.size() > Max_Plant_Columns || !Try_Read_Integer(part, width) || width < Min_Plant_Column
            || width > Max_Plant_Column)
            return {};
        widths << width;
    }
    return widths;
}

static QString Column_Widths_Text(const QList<int> &widths)
{
    QStringList parts;
    for (int width : widths)
        parts << QString::number(width);
    return parts.join(QLatin1Char(','));
}

void Read_Settings(TXMLDocument &doc, QString *warning)
{
    Name_Project.clear();
    Damaged_Settings.clear();
    Unopened_Settings = false;
    const QString path = Settings_File();
    if (!QFileInfo::exists(path)) {
        Set_Default_Settings();
        return;
    }
    doc.Activate();
    QString error;
    if (!doc.Load_File(path, &error)) {
        Set_Default_Settings();
        QFile damaged(path);
        if (damaged.open(QIODevice::ReadOnly))
            Damaged_Settings = damaged.readAll();
        else
            Unopened_Settings = true;
        if (Unopened_Settings || !Damaged_Settings.isEmpty()) {
            error += QStringLiteral("\nThe program starts with its default settings. Before they "
                                    "are saved, the file is kept as \"%1\".")
                         .arg(QDir::toNativeSeparators(Damaged_Settings_File()));
        }
        if (warning)
            *warning = error;
        return;
    }
    Apply_Settings(doc);
}

void Apply_Settings(const TXMLDocument &doc)
{
    Name_Project = Read_Text(doc, QStringLiteral("lastproj"), QStringLiteral("projectname"), QString());
    Last_IP_Address = Read_Text(doc, QStringLiteral("lastipadd"), QStringLiteral("ipaddress"),
                                Default_Last_IP_Address);
    Language = Read_Text(doc, QStringLiteral("lastlang"), QStringLiteral("language"),
                         QStringLiteral("English"));
    Enable_Internet = Read_Flag(doc, QStringLiteral("enable_internet"));
    Enable_Update = Read_Flag(doc, QStringLiteral("enable_update"));
    Enable_Jump_Field_Tables = Read_Flag(doc, QStringLiteral("enable_jump_field_tables"));
    Double_Click_Auto_Size = Read_Flag(doc, QStringLiteral("Double_Click_Auto_Size"));
    // A unit identifier is one byte; a read asks for at most Max_Block_Count registers.
    const QString check = QStringLiteral("lastcheck");
    Last_Check_Unit_ID = Read_Number(doc, check, QStringLiteral("Check_Unit_ID"), 0, 255, Default_Check_Unit_ID);
    Last_Check_Registers =
        Read_Number(doc, check, QStringLiteral("Check_Registers"), 1, Max_Block_Count, Default_Check_Registers);
    // On unless the file says off.
    Last_Check_Echo = Read_Text(doc, check, QStringLiteral("Check_Echo"), QString()) != QLatin1String("0");
    const QString plant = QStringLiteral("plantoverview");
    Plant_Width = Read_Number(doc, plant, QStringLiteral("Plant_Width"), Min_Plant_Side, Max_Plant_Side, 0);
    Plant_Height = Read_Number(doc, plant, QStringLiteral("Plant_Height"), Min_Plant_Side, Max_Plant_Side, 0);
    if (Plant_Width == 0 || Plant_Height == 0)
        Plant_Width = Plant_Height = 0;
    Plant_Column_Widths = Read_Column_Widths(doc);
}

static QString Flag_Text(bool flag)
{
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

bool Save_Setting(TXMLDocument &doc, QString *error)
{
    if (Unopened_Settings || !Damaged_Settings.isEmpty()) {
        if (!Keep_Damaged_Settings(error))
            return false;
        Damaged_Settings.clear();
        Unopened_Settings = false;
    }
    Build_Settings_Document(doc);
    return doc.Save_File(Settings_File(), error);
}

void Build_Settings_Document(TXMLDocument &doc)
{
    doc.Activate();
    doc.Clear();
    QDomElement root = doc.Add_Root(QStringLiteral("Conf_Settings"));
    doc.Add_Text_Child(doc.Add_Child(root, QStringLiteral("lastproj")),
                       QStringLiteral("projectname"), Name_Project);
    doc.Add_Text_Child(doc.Add_Child(root, QStringLiteral("lastipadd")),
                       QStringLiteral("ipaddress"), Last_IP_Address);
    doc.Add_Text_Child(doc.Add_Child(root, QStringLiteral("lastlang")), QStringLiteral("language"),
                       Language);
    QDomElement flags = doc.Add_Child(root, QStringLiteral("lastinternet"));
    doc.Add_Text_Child(flags, QStringLiteral("enable_internet"), Flag_Text(Enable_Internet));
    doc.Add_Text_Child(flags, QStringLiteral("enable_update"), Flag_Text(Enable_Update));
    doc.Add_Text_Child(flags, QStringLiteral("enable_jump_field_tables"),
                       Flag_Text(Enable_Jump_Field_Tables));
    doc.Add_Text_Child(flags, QStringLiteral("Double_Click_Auto_Size"),
                       Flag_Text(Double_Click_Auto_Size));
    // After the elements an older program reads, which passes over this one.
    QDomElement check = doc.Add_Child(root, QStringLiteral("lastcheck"));
    doc.Add_Text_Child(check, QStringLiteral("Check_Unit_ID"), QString::number(Last_Check_Unit_ID));
    doc.Add_Text_Child(check, QStringLiteral("Check_Registers"), QString::number(Last_Check_Registers));
    doc.Add_Text_Child(check, QStringLiteral("Check_Echo"), Flag_Text(Last_Check_Echo));
    QDomElement plant = doc.Add_Child(root, QStringLiteral("plantoverview"));
    doc.Add_Text_Child(plant, QStringLiteral("Plant_Width"), QString::number(Plant_Width));
    doc.Add_Text_Child(plant, QStringLiteral("Plant_Height"), QString::number(Plant_Height));
    doc.Add_Text_Child(plant, QStringLiteral("Plant_Columns"), Column_Widths_Text(Plant_Column_Widths));
}
