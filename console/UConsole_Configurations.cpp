#include "console/UConsole_Configurations.h"

#include "common/UComon.h"
#include "console/UConsole_Output.h"
#include "project/UProject_Folders.h"

#include <QDir>

QList<TCli_Configuration> Chosen_Configurations(const QString &projects, bool all, const QStringList &names,
                                                bool &missing)
{
    const QStringList listed = List_Configurations(projects);
    QStringList chosenNames;
    if (all)
        chosenNames = listed;
    for (const QString &name : names) {
        const int found = Search_Configuration(listed, name);
        if (found < 0) {
            Print_Problem(QStringLiteral("%1: no configuration of that name in \"%2\"")
                              .arg(name, QDir::toNativeSeparators(projects)));
            missing = true;
        } else if (!chosenNames.contains(listed.at(found))) {
            // Two writers on one configuration's files would race.
            chosenNames.append(listed.at(found));
        }
    }
    QList<TCli_Configuration> chosen;
    for (const QString &name : std::as_const(chosenNames))
        chosen.append({name, Join_Path(projects, name)});
    return chosen;
}

bool Load_Configuration(const TCli_Configuration &configuration, TParGen_Values &values)
{
    TXMLDocument doc;
    QString error;
    if (Load_ParGen(doc, ParGen_File_Path(configuration.Path), values, &error))
        return true;
    Print_Problem(configuration.Name + QStringLiteral(": ") + error);
    return false;
}
