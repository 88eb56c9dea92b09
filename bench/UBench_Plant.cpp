// The plant's overview and report over 1,000 configurations, each with its
// ParGen.xml, bank.bin, and a Check.log and an Update.log of 200 blocks
// each: the rows read (the window's wait; aim: under 300 ms), and velmora-cli
// report --all --pdf timed as the user waits for it, with its peak memory
// (aim: under 3 s and 150 MiB); then Plant Overview itself
// (UBench_Plant_Window).
#include "bench/UBench_Figures.h"
#include "check/UCheck_Log.h"
#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"
#include "params/UParGen_File.h"
#include "plant/UPlant_Rows.h"
#include "update/UUpdate_Log.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Rounds = 5;
constexpr int Configurations = 1000;

bool Make_Configuration(const QString &projects, int number, const QByteArray &checks)
{
    const QString name = QStringLiteral("Line %1").arg(number, 4, 10, QLatin1Char('0'));
    const QString project = Join_Path(projects, name);
    TParGen_Values values = ParGen_Defaults();
    values[PG_ModbusTCPSlave_IP3].Text = QString::number(number / 250);
    values[PG_ModbusTCPSlave_IP4].Text = QString::number(number % 250 + 1);
    TXMLDocument doc;
    TImage image;
    QString error;
    if (!QDir().mkpath(Join_Path(project, QStringLiteral("bin")))
        || !Save_ParGen(doc, ParGen_File_Path(project), values, &error)
        || !Build_Image(doc, ParGen_File_Path(project), image, &error)
        || !Write_Bank_File(project, image.Bytes, &error)) {
        std::fprintf(stderr, "cannot make %s: %s\n", qPrintable(name), qPrintable(error));
        return false;
    }
    TUpdate_Run run;
    run.Started = QDateTime::currentDateTime().addDays(-1);
    run.Device_Address = QStringLiteral("127.0.0.1");
    run.Configured_Address = QStringLiteral("192.168.%1.%2").arg(number / 250).arg(number % 250 + 1);
    run.Has_Byte_Sum = true;
    run.Byte_Sum = image.Byte_Sum();
    QByteArray updates;
    for (int i = 0; i < Update_Log_Keep; ++i)
        updates += Update_Log_Block(run);
    if (!Save_Whole_File(Check_Log_Path(project), checks, &error)
        || !Save_Whole_File(Update_Log_Path(project), updates, &error)) {
        std::fprintf(stderr, "cannot make the records of %s: %s\n", qPrintable(name), qPrintable(error));
        return false;
    }
    return true;
}

struct TCli_Run
{
    double Ms = -1;
    double Peak_MiB = -1;
};

// velmora-cli with arguments, its output dropped: the time from start to
// exit and its peak resident memory, as the system counted them.
TCli_Run Run_Cli(const QStringList &arguments)
{
    std::vector<QByteArray> texts{QFile::encodeName(QStringLiteral(VELMORA_DIST_DIR "/velmora-cli"))};
    for (const QString &argument : arguments)
        texts.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "velmora-cli %s failed\n", qPrintable(arguments.join(QLatin1Char(' '))));
        return TCli_Run();
    }
    return {clock.nsecsElapsed() / 1e6, usage.ru_maxrss / 1024.0};
}

} // namespace

bool Bench_Plant()
{
    QTemporaryDir folder;
    const QString projects = Join_Path(folder.path(), QStringLiteral("PROJECTS"));
    QByteArray checks;
    for (int i = 0; i < Check_Log_Keep; ++i)
        checks += Answered_Check_Block();
    for (int number = 0; number < Configurations; ++number) {
        if (!Make_Configuration(projects, number, checks))
            return false;
    }

    QList<double> reads;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        const QList<TPlant_Row> rows = Read_Plant(projects);
        reads.append(clock.nsecsElapsed() / 1e6);
        if (rows.size() != Configurations || rows.last().State != TPlant_State::Commissioned) {
            std::fprintf(stderr, "the plant's rows are not what was made\n");
            return false;
        }
    }
    QList<double> reports;
    QList<double> peaks;
    const QString pdf = Join_Path(folder.path(), QStringLiteral("report.pdf"));
    for (int round = 0; round < Rounds; ++round) {
        const TCli_Run run = Run_Cli({"--folder", folder.path(), "report", "--all", "--pdf", pdf});
        if (run.Ms < 0)
            return false;
        reports.append(run.Ms);
        peaks.append(run.Peak_MiB);
    }
    std::printf("Plant overview, %d configurations with Check.log and Update.log of %d blocks each (%.0f KiB a "
                "configuration), %d cores:\n",
                Configurations, Check_Log_Keep, (checks.size() + QFileInfo(Update_Log_Path(Join_Path(projects, QStringLiteral("Line 0000")))).size()) / 1024.0,
                QThread::idealThreadCount());
    Print_Figure("rows read (aim: under 300 ms)", reads, "ms");
    Print_Figure("report --all --pdf (aim: under 3 s)", reports, "ms");
    Print_Figure("its peak memory (aim: under 150 MiB)", peaks, "MiB");
    std::printf("  the PDF: %.0f KiB\n", QFileInfo(pdf).size() / 1024.0);
    return Bench_Plant_Window(folder.path(), Configurations);
}
