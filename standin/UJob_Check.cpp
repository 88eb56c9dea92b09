#include "standin/UJob_Check.h"

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "image/UImage_Record.h"
#include "image/UImage_Report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const char *const Operation_Children[] = {
    "Ope_Protection_Enabled", "Ope_GoToBoot_Before",     "Ope_GoToApp_Before",
    "Ope_IP_Address",         "Ope_Port",                "Ope_Erase_Memory",
    "Ope_FileName",           "Ope_Start_Address",       "Ope_Memory_Type",
    "Ope_Bank_Type",          "Ope_Read_Back",           "Ope_Write_CSS",
    "Ope_Address_CSS",        "Ope_Command_CSS",         "Ope_Write_Internal_Data",
    "Ope_WID_Address",        "Ope_WID_Command",         "Ope_WID_Data",
    "Ope_GoToApp_After",
};

QString Child_Text(const QDomElement &parent, const QString &name)
{
    QString text;
    TXMLDocument::Text(TXMLDocument::Find_Child(parent, name), text);
    return text;
}

QStringList Child_Names(const QDomElement &parent)
{
    QStringList names;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        names << e.tagName();
    return names;
}

QString Yes_No(const QString &flag)
{
    return flag == QLatin1String("1") ? QStringLiteral("yes") : QStringLiteral("no");
}

class TJob_Checker
{
public:
    explicit TJob_Checker(TJob_Report &report) : m_report(report) {}

    void Check_Tree(const QByteArray &bytes, const QString &jobPath)
    {
        TXMLDocument doc;
        QString error;
        if (!doc.Load_Bytes(bytes, &error)) {
            m_report.Problems << QStringLiteral("\"%1\" is not valid XML: %2")
                                     .arg(QDir::toNativeSeparators(jobPath), error);
            return;
        }
        const QDomElement root = doc.Root();
        if (root.tagName() != QLatin1String("Ethernet_Update")) {
            m_report.Problems << QStringLiteral("the root element is \"%1\", not \"Ethernet_Update\"")
                                     .arg(root.tagName());
            return;
        }
        const QString version = Child_Text(root, QStringLiteral("Version"));
        if (version != QLatin1String("1000"))
            m_report.Problems << QStringLiteral("Version is \"%1\", not \"1000\"").arg(version);
        m_report.Lines << QStringLiteral("Title: %1").arg(Child_Text(root, QStringLiteral("Title")));

        m_address = Child_Text(root, QStringLiteral("IP_Address_Dev"));
        QString part1, part2, part3, part4;
        if (Check_IP_Address(m_address, part1, part2, part3, part4))
            m_report.Lines << QStringLiteral("Device address: %1").arg(m_address);
        else
            m_report.Problems << QStringLiteral("IP_Address_Dev \"%1\" is not a dotted-quad address")
                                     .arg(m_address);

        QList<QDomElement> operations;
        const QDomElement list = TXMLDocument::Find_Child(root, QStringLiteral("Operations"));
        for (QDomElement e = list.firstChildElement(QStringLiteral("Operation")); !e.isNull();
             e = e.nextSiblingElement(QStringLiteral("Operation")))
            operations << e;
        if (operations.isEmpty() || operations.size() > 2)
            m_report.Problems << QStringLiteral("Operations holds %1 Operation elements, not one or two")
                                     .arg(operations.size());
        for (int i = 0; i < operations.size(); ++i)
            Check_Operation(i + 1, operations.at(i));
    }

    const QString &Address() const { return m_address; }

private:
    void Check_Operation(int number, const QDomElement &operation)
    {
        const QStringList names = Child_Names(operation);
        QStringList expected;
        for (const char *name : Operation_Children)
            expected << QLatin1String(name);
        if (names != expected) {
            int at = 0;
            while (at < names.size() && at < expected.size() && names.at(at) == expected.at(at))
                ++at;
            const QString found = at < names.size() ? names.at(at) : QStringLiteral("nothing");
            const QString wanted = at < expected.size() ? expected.at(at) : QStringLiteral("nothing");
            m_report.Problems << QStringLiteral("operation %1 has %2 children; child %3 is %4 where %5 "
                                                "belongs (19 children in a fixed order expected)")
                                     .arg(number)
                                     .arg(names.size())
                                     .arg(at + 1)
                                     .arg(found, wanted);
            return;
        }
        const QString bank = Child_Text(operation, QStringLiteral("Ope_Bank_Type"));
        const bool configuration = bank == QLatin1String("2");
        if (!configuration && bank != QLatin1String("1")) {
            m_report.Problems << QStringLiteral("operation %1 has the unknown bank type \"%2\"")
                                     .arg(number)
                                     .arg(bank);
            return;
        }
        m_report.Lines << QStringLiteral("Operation %1: %2")
                              .arg(number)
                              .arg(configuration ? QStringLiteral("configuration image")
                                                 : QStringLiteral("firmware"));
        m_report.Lines << QStringLiteral("  start address %1, read back %2, go to application after %3")
                              .arg(Child_Text(operation, QStringLiteral("Ope_Start_Address")),
                                   Yes_No(Child_Text(operation, QStringLiteral("Ope_Read_Back"))),
                                   Yes_No(Child_Text(operation, QStringLiteral("Ope_GoToApp_After"))));

        const QString fileName = Child_Text(operation, QStringLiteral("Ope_FileName"));
        const QFileInfo file(QDir::fromNativeSeparators(fileName));
        if (fileName.isEmpty() || !file.isFile()) {
            m_report.Problems << QStringLiteral("operation %1: the file \"%2\" does not exist")
                                     .arg(number)
                                     .arg(fileName);
            return;
        }
        m_report.Lines << QStringLiteral("  file %1 (%2 bytes)").arg(fileName, QString::number(file.size()));
        if (configuration)
            Check_Image(number, file.filePath());
    }

    void Check_Image(int number, const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            m_report.Problems << QStringLiteral("operation %1: cannot read \"%2\": %3")
                                     .arg(number)
                                     .arg(QDir::toNativeSeparators(path), file.errorString());
            return;
        }
        // Never more than one byte past an image, however large the named file is.
        const QByteArray bytes = file.read(Image_Size + 1);
        if (bytes.size() != static_cast<int>(Image_Size)) {
            m_report.Problems << QStringLiteral("operation %1: the image holds %2 bytes, not %3")
                                     .arg(number)
                                     .arg(file.size())
                                     .arg(Image_Size);
            return;
        }
        TImage_Parameters record;
        const uint32_t sum =
            Deserialize_Record(reinterpret_cast<const uint8_t *>(bytes.constData()), record);
        if (sum != record.Byte_Sum) {
            m_report.Problems << QStringLiteral("operation %1: the image's byte sum is %2 but its "
                                                "last four bytes hold %3")
                                     .arg(number)
                                     .arg(sum)
                                     .arg(record.Byte_Sum);
            return;
        }
        m_report.Lines << QStringLiteral("  byte sum %1 matches").arg(sum);
        for (const QString &line : Describe_Image(record))
            m_report.Lines << QStringLiteral("  ") + line;
    }

    TJob_Report &m_report;
    QString m_address;
};

} // namespace

QStringList TJob_Report::Findings() const
{
    QStringList all = Lines;
    for (const QString &problem : Problems)
        all << QStringLiteral("Problem: ") + problem;
    if (!Unlogged.isEmpty())
        all << QStringLiteral("Problem: ") + Unlogged;
    return all;
}

QString TJob_Report::Verdict() const
{
    QString verdict = QStringLiteral("Verdict: the job is sound");
    if (!Sound()) {
        verdict = QStringLiteral("Verdict: the job is broken (%1 %2)")
                      .arg(Problems.size())
                      .arg(Problems.size() == 1 ? QStringLiteral("problem") : QStringLiteral("problems"));
    }
    // The same window must not call the run sound and then say its log failed.
    if (!Unlogged.isEmpty())
        verdict += (Sound() ? QStringLiteral(", but") : QStringLiteral(", and"))
                   + QStringLiteral(" its log Ethernet_Update.log could not be written");
    return verdict + QLatin1Char('.');
}

QString TJob_Report::Text() const
{
    return (Findings() << Verdict()).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

namespace {

// The report around the checks: what it is, the job file, and that no device
// was contacted. unreadable, when not empty, is why the job could not be read.
TJob_Report Job_Report(const QByteArray &bytes, const QString &jobPath, const QString &unreadable)
{
    TJob_Report report;
    report.Lines << QStringLiteral("Ethernet_Update stand-in: checks the job file and the files it names.");
    report.Lines << QStringLiteral("Job file: %1").arg(QDir::toNativeSeparators(jobPath));
    TJob_Checker checker(report);
    if (!unreadable.isEmpty())
        report.Problems << unreadable;
    else if (bytes.size() > Job_File_Limit)
        report.Problems << QStringLiteral("the job file holds more than %1 bytes, more than a job can need")
                               .arg(Job_File_Limit);
    else
        checker.Check_Tree(bytes, jobPath);
    report.Lines << QStringLiteral("No device was contacted: this stand-in speaks to no device, so "
                                   "nothing was sent to \"%1\" and the device is unchanged.")
                        .arg(checker.Address());
    return report;
}

} // namespace

TJob_Report Check_Job_Bytes(const QByteArray &bytes, const QString &jobPath)
{
    return Job_Report(bytes, jobPath, QString());
}

TJob_Report Check_Job(const QString &folder)
{
    const QString jobPath = Join_Path(folder, QStringLiteral("Ethernet_Update.xml"));
    QFile file(jobPath);
    if (!file.open(QIODevice::ReadOnly))
        return Job_Report(QByteArray(), jobPath,
                          QStringLiteral("Cannot open \"%1\": %2")
                              .arg(QDir::toNativeSeparators(jobPath), file.errorString()));
    // One byte past the limit is enough to know the file is too large.
    return Check_Job_Bytes(file.read(Job_File_Limit + 1), jobPath);
}
