// Ethernet_Update stand-in: takes the updater's place beside the configurator.
// It reads the job file that the configurator wrote beside it, checks what
// can be checked without a device, shows the report in a window (where there
// is a screen to show it on), prints it, keeps it in Ethernet_Update.log and
// exits 0 for a sound job, 1 otherwise.

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "standin/UJob_Check.h"
#include "standin/UReport_Window.h"

#include <QApplication>
#include <QProcessEnvironment>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    const bool window = Report_Window_Wanted(QProcessEnvironment::systemEnvironment());
    const std::unique_ptr<QCoreApplication> app(window ? new QApplication(argc, argv)
                                                       : new QCoreApplication(argc, argv));
    const QString folder = QCoreApplication::applicationDirPath();
    TJob_Report report = Check_Job(folder);
    QString error;
    const bool logged = Save_Whole_File(Join_Path(folder, QStringLiteral("Ethernet_Update.log")),
                                        report.Text().toUtf8(), &error);
    if (!logged) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        report.Unlogged = error;
    }
    // The report as logged, or with why it could not be.
    const QByteArray text = report.Text().toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    std::fflush(stdout);
    if (window) {
        TReport_Window shown(report);
        shown.exec();
    }
    return logged && report.Sound() ? 0 : 1;
}
