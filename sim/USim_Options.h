#pragma once
// The virtual converter's command line.

#include "check/UModbus_Map.h"
#include "console/UConsole_Output.h"

#include <QString>
#include <QStringList>

struct TSim_Options
{
    QStringList Names;   // configurations in the order given
    bool All = false;
    QString Folder;      // the program folder; "" for the program's own
    QString Listen = QStringLiteral("127.0.0.1");
    int Port = 0;        // the first configuration's port, the next one's + 1...; 0: their own
    int Count = Default_Block_Count;
    int Offset = 0;
    bool Silent = false;
};

// Reads the arguments that follow the program's name; on Usage_Error, error
// says what is wrong.
TCli_Request Read_Sim_Options(const QStringList &arguments, TSim_Options &options, QString &error);

QString Sim_Help_Text();
