// Ethernet_Update stand-in: takes the updater's place beside the configurator.
// It reads the job file that the configurator wrote beside it, checks what
// can be checked without a device, prints the report, keeps it in
// Ethernet_Update.log and exits 0 for a sound job, 1 otherwise.

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "update/standin/UJob_Check.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    const TJob_Report report = Check_Job(folder);
    const QByteArray text = report.Text().toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    std::fflush(stdout);

    QString error;
    if (!Save_Whole_File(Join_Path(folder, QStringLiteral("Ethernet_Update.log")), text, &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return report.Sound() ? 0 : 1;
}
