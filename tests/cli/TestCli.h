#pragma once
// The built console program run as a child process over a program folder,
// and ParGen.xml as Set Communication's own writer writes it.

#include "TestFolder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct TCli_Run
{
    int Status = -1;
    QStringList Out;   // lines
    QStringList Err;
};

// The built velmora-cli in the program folder of the build.
QString Cli_Program();

// velmora-cli --folder folder arguments..., started in folder; standard
// output goes into the file output where one is named.
TCli_Run Run_Cli(const QString &folder, const QStringList &arguments, const QString &output = QString());

// The defaults with "Element=text" changes, as Compile_XML_Parameter writes them.
QByteArray Dialog_ParGen(const QStringList &changes);

// Makes PROJECTS/name with its bin folder and writes its ParGen.xml with the
// changes (no file for "-").
void Make_Configuration(const TTestFolder &folder, const QString &name, const QStringList &changes);

// Each text with "{folder}" replaced by the folder as messages name it.
QStringList With_Folder(const QString &folder, QStringList texts);
