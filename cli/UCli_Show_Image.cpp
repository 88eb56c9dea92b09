#include "cli/UCli_Show_Image.h"

#include "console/UConsole_Output.h"

#include "common/UXmlDoc.h"
#include "image/UImage_Report.h"
#include "image/USaveBincc.h"
#include "params/UParGen_File.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace {

// Where each field of the image lies, in image order: the record's layout is
// the image's (checked where the record is declared).
struct TField_Spans
{
    const char *Base;
    std::vector<std::pair<int, int>> Spans;   // offset, size

    template <class T>
    void operator()(const T &field)
    {
        Spans.emplace_back(static_cast<int>(reinterpret_cast<const char *>(&field) - Base),
                           static_cast<int>(sizeof(T)));
    }
};

std::vector<std::pair<int, int>> Field_Spans()
{
    const TImage_Parameters record{};
    TField_Spans spans{reinterpret_cast<const char *>(&record), {}};
    Visit_Image_Fields(record, spans);
    return spans.Spans;
}

// "Caption: value" lines that differ, as "Caption: stored in bin/bank.bin, built from ParGen.xml".
QStringList Differing_Lines(const QStringList &stored, const QStringList &built)
{
    QStringList lines;
    for (int i = 0; i < stored.size() && i < built.size(); ++i) {
        if (stored.at(i) == built.at(i))
            continue;
        const int colon = stored.at(i).indexOf(QStringLiteral(": "));
        lines << QStringLiteral("    %1: %2 in bin/bank.bin, %3 from ParGen.xml")
                     .arg(stored.at(i).left(colon), stored.at(i).mid(colon + 2),
                          built.at(i).mid(colon + 2));
    }
    return lines;
}

void Print_Differences(const QByteArray &stored, const TImage_Parameters &storedRecord,
                       const TImage &image)
{
    const QByteArray &built = image.Bytes;
    if (built == stored) {
        Print_Result(QStringLiteral("  It is the image the current ParGen.xml gives."));
        return;
    }
    Print_Result(QStringLiteral("  It differs from the image the current ParGen.xml gives "
                                "(an image built from an older ParGen.xml):"));
    const QStringList lines =
        Differing_Lines(Describe_Image(storedRecord), Describe_Image(image.Record));
    for (const QString &line : lines)
        Print_Result(line);
    QStringList fields;
    for (const auto &[offset, size] : Field_Spans()) {
        if (stored.mid(offset, size) != built.mid(offset, size))
            fields << QStringLiteral("0x%1 (%2 bytes)")
                          .arg(QString::number(offset, 16).toUpper().rightJustified(3, QLatin1Char('0')))
                          .arg(size);
    }
    Print_Result(QStringLiteral("    fields that differ, by offset in the image: ")
                 + fields.join(QStringLiteral(", ")));
}

} // namespace

bool Show_Bank_File(const QString &project)
{
    const QString path = Bank_File_Path(project);
    if (!QFileInfo::exists(path)) {
        Print_Result(QStringLiteral("bin/bank.bin: none yet"));
        return true;
    }
    QFile file(path);
    // One byte more than an image tells a longer file from an image.
    const QByteArray stored = file.open(QIODevice::ReadOnly) ? file.read(Image_Size + 1) : QByteArray();
    if (file.error() != QFileDevice::NoError) {
        Print_Problem(QStringLiteral("Cannot read \"%1\": %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    const int size = static_cast<int>(Image_Size);
    if (stored.size() != size) {
        Print_Result(QStringLiteral("bin/bank.bin: %1%2 bytes, not a configuration image of %3 bytes")
                         .arg(stored.size() > size ? QStringLiteral("more than ") : QString())
                         .arg(qMin(stored.size(), size))
                         .arg(size));
        return true;
    }
    TImage_Parameters record;
    const uint32_t sum = Deserialize_Record(reinterpret_cast<const uint8_t *>(stored.constData()), record);
    const QString damaged =
        QStringLiteral(", but its bytes add up to %1: the image is damaged").arg(sum);
    Print_Result(QStringLiteral("bin/bank.bin: %1 bytes, byte sum %2%3")
                     .arg(stored.size())
                     .arg(record.Byte_Sum)
                     .arg(sum == record.Byte_Sum ? QString() : damaged));
    for (const QString &line : Describe_Image(record))
        Print_Result(QStringLiteral("    ") + line);
    TXMLDocument doc;
    QString error;
    TImage built;
    if (!Build_Image(doc, ParGen_File_Path(project), built, &error)) {
        Print_Problem(error);
        return false;
    }
    Print_Differences(stored, record, built);
    return true;
}
