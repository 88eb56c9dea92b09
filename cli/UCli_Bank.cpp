// bank: bin/bank.bin of each configuration, built by Update Device's
// Build_Image and written by its Write_Bank_File. The images are built one by
// one (the builder works on the program-wide record); their writes then run
// side by side, each on its own configuration's file.
#include "cli/UCli_Commands.h"
#include "cli/UCli_Configurations.h"
#include "cli/UCli_Output.h"
#include "cli/UCli_Writes.h"

#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"

#include <QDir>

namespace {

struct TBuilt
{
    QString Name;
    QString Project;
    QByteArray Image;
    uint32_t Sum;
};

} // namespace

int Run_Bank(const TCli_Options &options)
{
    bool failed = false;
    QList<TBuilt> built;
    for (const TCli_Configuration &configuration : Chosen_Configurations(options, failed)) {
        Open_Configuration(configuration);
        TXMLDocument doc;
        QString error;
        if (!Build_Image(doc, &error)) {
            Print_Problem(configuration.Name + QStringLiteral(": ") + error);
            failed = true;
            continue;
        }
        built.append({configuration.Name, configuration.Path, Image_Bytes(), Image_Parameters.Byte_Sum});
    }
    std::vector<std::function<QString()>> jobs;
    for (const TBuilt &image : built) {
        jobs.push_back([image] {
            QString error;
            return Write_Bank_File(image.Project, image.Image, &error) ? QString() : error;
        });
    }
    const std::vector<QString> answers = Run_Writes(jobs);
    for (qsizetype i = 0; i < built.size(); ++i) {
        const TBuilt &image = built.at(i);
        const QString &answer = answers.at(static_cast<size_t>(i));
        if (!answer.isEmpty()) {
            Print_Problem(image.Name + QStringLiteral(": ") + answer);
            failed = true;
            continue;
        }
        Print_Result(QStringLiteral("%1: %2 bytes, byte sum %3")
                         .arg(QDir::toNativeSeparators(Bank_File_Path(image.Project)),
                              QString::number(image.Image.size()), QString::number(image.Sum)));
    }
    return failed ? Exit_Failed : Exit_Done;
}
