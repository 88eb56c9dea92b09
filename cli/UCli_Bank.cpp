// bank: bin/bank.bin of each configuration, built and written as Update
// Device does (Build_Bank_File). Each configuration is built
// and written by a job of its own, side by side: the builder reads the
// configuration's ParGen.xml and hands the image back as a value.
#include "cli/UCli_Commands.h"
#include "console/UConsole_Configurations.h"
#include "console/UConsole_Output.h"
#include "common/UParallel_Writes.h"

#include "image/USaveBincc.h"

#include <QDir>

int Run_Bank(const TCli_Options &options)
{
    bool failed = false;
    const QList<TCli_Configuration> chosen = Chosen_Configurations(options, failed);
    // Sized before any job starts: each job fills only its own image.
    std::vector<TImage> images(static_cast<size_t>(chosen.size()));
    std::vector<std::function<QString()>> jobs;
    for (qsizetype i = 0; i < chosen.size(); ++i) {
        jobs.push_back([project = chosen.at(i).Path, &image = images[static_cast<size_t>(i)]] {
            QString error;
            return Build_Bank_File(project, image, &error) ? QString() : error;
        });
    }
    const std::vector<QString> answers = Run_Writes(jobs);
    for (qsizetype i = 0; i < chosen.size(); ++i) {
        const TCli_Configuration &configuration = chosen.at(i);
        const QString &answer = answers.at(static_cast<size_t>(i));
        if (!answer.isEmpty()) {
            Print_Problem(configuration.Name + QStringLiteral(": ") + answer);
            failed = true;
            continue;
        }
        const TImage &image = images.at(static_cast<size_t>(i));
        Print_Result(QStringLiteral("%1: %2 bytes, byte sum %3")
                         .arg(QDir::toNativeSeparators(Bank_File_Path(configuration.Path)),
                              QString::number(image.Length()), QString::number(image.Byte_Sum())));
    }
    return failed ? Exit_Failed : Exit_Done;
}
