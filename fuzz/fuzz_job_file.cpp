// The updater stand-in's job check over any bytes: it always ends with its
// verdict, and a job it calls sound has the tree the configurator writes.
// The seed jobs name /tmp/velmora_fuzz_job/bin/bank.bin and
// /tmp/velmora_fuzz_job/MASTER/sim40318.sim, which the target makes first (a
// sound image and a firmware file), so the checks of the named files run too.
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"
#include "standin/UJob_Check.h"

#include <QByteArray>
#include <QDir>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const QDir folder(QStringLiteral("/tmp/velmora_fuzz_job"));
    TImage_Parameters record;
    Set_Default_Parameters(record);
    QByteArray image(static_cast<int>(Image_Size), '\0');
    Serialize_Record(record, 0, reinterpret_cast<uint8_t *>(image.data()), Image_Size);
    QString error;
    if (!folder.mkpath(QStringLiteral("bin")) || !folder.mkpath(QStringLiteral("MASTER"))
        || !Save_Whole_File(folder.filePath(QStringLiteral("bin/bank.bin")), image, &error)
        || !Save_Whole_File(folder.filePath(QStringLiteral("MASTER/sim40318.sim")), QByteArray(64, 'F'),
                            &error)) {
        std::fprintf(stderr, "cannot prepare %s: %s\n", qPrintable(folder.path()), qPrintable(error));
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const TJob_Report report = Check_Job_Bytes(bytes, QStringLiteral("Ethernet_Update.xml"));
    const QString text = report.Text();
    if (!text.endsWith(report.Sound() ? QStringLiteral("Verdict: the job is sound.\n")
                                      : QStringLiteral(").\n")))
        std::abort();
    if (report.Sound()) {
        TXMLDocument doc;
        QString version;
        if (!doc.Load_Bytes(bytes) || doc.Root().tagName() != QLatin1String("Ethernet_Update")
            || !doc.Read_Path({QStringLiteral("Version")}, version) || version != QLatin1String("1000"))
            std::abort();
    }
    return 0;
}
