#include "cli/UCli_Configurations.h"

#include "cli/UCli_Output.h"
#include "common/UComon.h"
#include "project/UProject_Folders.h"

#include <QDir>

QList<TCli_Configuration> Chosen_Configurations(const TCli_Options &options, bool &missing)
{
    const QStringList listed = List_Configurations(Path_Projects);
    QStringList names;
    if (options.All)
        names = listed;
    for (const QString &name : std::as_const(options.Arguments)) {
        const int found = Search_Configuration(listed, name);
        if (found < 0) {
            Print_Problem(QStringLiteral("%1: no configuration of that name in \"%2\"")
                              .arg(name, QDir::toNativeSeparators(Path_Projects)));
            missing = true;
        } else if (!names.contains(listed.at(found))) {
            // Two writers on one configuration's files would race.
            names.append(listed.at(found));
        }
    }
    QList<TCli_Configuration> chosen;
    for (const QString &name : std::as_const(names))
        chosen.append({name, Join_Path(Path_Projects, name)});
    return chosen;
}

void Open_Configuration(const TCli_Configuration &configuration)
{
    Name_Project = configuration.Name;
    Path_Project = configuration.Path;
    File_ParGen = ParGen_File_Path(Path_Project);
}

bool Load_Configuration(const TCli_Configuration &configuration, TParGen_Values &values)
{
    Open_Configuration(configuration);
    TXMLDocument doc;
    QString error;
    if (Load_ParGen(doc, File_ParGen, values, &error))
        return true;
    Print_Problem(configuration.Name + QStringLiteral(": ") + error);
    return false;
}
