#include "update/UJob_File.h"

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"

#include <QDir>

const QString Job_File_Name = QStringLiteral("Ethernet_Update.xml");
#ifdef Q_OS_WIN
const QString Updater_Program_Name = QStringLiteral("Ethernet_Update.exe");
#else
const QString Updater_Program_Name = QStringLiteral("Ethernet_Update");
#endif

QString Job_File_Path(const QString &exeFolder)
{
    return Join_Path(exeFolder, Job_File_Name);
}

QString Updater_Program_Path(const QString &exeFolder)
{
    return Join_Path(exeFolder, Updater_Program_Name);
}

namespace {

// The values in which the firmware and the configuration operations differ.
struct TOperation_Values
{
    QString File_Name;
    QString Start_Address;
    QString Bank_Type;
    QString Write_CSS;
    QString Address_CSS;
};

void Add_Operation(TXMLDocument &doc, QDomElement operations, const TOperation_Values &values,
                   bool readBack, bool goToAppAfter)
{
    QDomElement op = doc.Add_Child(operations, QStringLiteral("Operation"));
    const QString zero = QStringLiteral("0");
    const QString bit_read_back = readBack ? QStringLiteral("1") : zero;
    const QString bit_go_to_app = goToAppAfter ? QStringLiteral("1") : zero;
    const QString children[19][2] = {
        {QStringLiteral("Ope_Protection_Enabled"), QString()},
        {QStringLiteral("Ope_GoToBoot_Before"), zero},
        {QStringLiteral("Ope_GoToApp_Before"), zero},
        {QStringLiteral("Ope_IP_Address"), QString()},
        {QStringLiteral("Ope_Port"), QStringLiteral("2007")},
        {QStringLiteral("Ope_Erase_Memory"), zero},
        {QStringLiteral("Ope_FileName"), values.File_Name},
        {QStringLiteral("Ope_Start_Address"), values.Start_Address},
        {QStringLiteral("Ope_Memory_Type"), zero},
        {QStringLiteral("Ope_Bank_Type"), values.Bank_Type},
        {QStringLiteral("Ope_Read_Back"), bit_read_back},
        {QStringLiteral("Ope_Write_CSS"), values.Write_CSS},
        {QStringLiteral("Ope_Address_CSS"), values.Address_CSS},
        {QStringLiteral("Ope_Command_CSS"), QStringLiteral("0x0B")},
        {QStringLiteral("Ope_Write_Internal_Data"), zero},
        {QStringLiteral("Ope_WID_Address"), QStringLiteral("0x78200")},
        {QStringLiteral("Ope_WID_Command"), QStringLiteral("0x0B")},
        {QStringLiteral("Ope_WID_Data"), QString()},
        {QStringLiteral("Ope_GoToApp_After"), bit_go_to_app},
    };
    for (const auto &child : children)
        doc.Add_Text_Child(op, child[0], child[1]);
}

} // namespace

void Build_Job_Document(TXMLDocument &doc, const QString &ipAddress, int option, bool readBack,
                        const QString &masterFolder, const QString &project)
{
    doc.Activate();
    doc.Clear();
    QDomElement root = doc.Add_Root(QStringLiteral("Ethernet_Update"));
    doc.Add_Text_Child(root, QStringLiteral("Version"), QStringLiteral("1000"));
    doc.Add_Text_Child(root, QStringLiteral("Title"),
                       QStringLiteral("Kestrixnet - QV40318 Ethernet Update"));
    doc.Add_Text_Child(root, QStringLiteral("IP_Address_Dev"), ipAddress);
    doc.Add_Text_Child(root, QStringLiteral("Application_Port"), QStringLiteral("10000"));
    doc.Add_Text_Child(root, QStringLiteral("Boot_Port"), QStringLiteral("2007"));
    doc.Add_Text_Child(root, QStringLiteral("Address_Protection"), QStringLiteral("0x78000"));
    QDomElement protections = doc.Add_Child(root, QStringLiteral("Protections"));
    doc.Add_Text_Child(protections, QStringLiteral("Protection"), QStringLiteral("0x2E6"));
    QDomElement operations = doc.Add_Child(root, QStringLiteral("Operations"));

    const TOperation_Values firmware = {
        QDir::toNativeSeparators(Join_Path(masterFolder, QStringLiteral("sim40318.sim"))),
        QStringLiteral("0x8000"), QStringLiteral("1"), QStringLiteral("1"),
        QStringLiteral("0x78100")};
    const TOperation_Values configuration = {QDir::toNativeSeparators(Bank_File_Path(project)),
                                             QStringLiteral("0x68000"), QStringLiteral("2"),
                                             QStringLiteral("0"), QStringLiteral("0x50100")};
    if (option == Update_Firmware) {
        Add_Operation(doc, operations, firmware, readBack, true);
    } else if (option == Update_Configuration) {
        Add_Operation(doc, operations, configuration, readBack, true);
    } else {
        Add_Operation(doc, operations, firmware, readBack, false);
        Add_Operation(doc, operations, configuration, readBack, true);
    }
}
