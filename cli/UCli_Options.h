#pragma once
// The console program's command line: one command, its arguments and the
// options, checked against what each command takes.

#include "cli/UCli_Probe_Options.h"
#include "common/UComon.h"
#include "console/UConsole_Configurations.h"
#include "console/UConsole_Output.h"
#include "lang/ULang.h"

#include <QString>
#include <QStringList>

struct TCli_Options
{
    QString Command;          // import, bank, show, check, export, probe or report
    int (*Run)(const TCli_Options &) = nullptr;   // the command's own
    QStringList Arguments;    // the table, or configuration names
    QString Folder;           // the program folder; "" for the program's own
    QString Language_Name = QStringLiteral("English");
    // Set by the program from Folder and Language_Name before the command
    // runs: a command works on these and on no program-wide state.
    TProgram_Paths Paths;
    TLang_Table Texts;   // the messages in the chosen language
    bool Replace = false;
    bool Dry_Run = false;
    bool All = false;
    bool Csv = false;         // probe, report: a table on standard output
    QString Pdf_File;         // report: the PDF to write; "" for none
    TProbe_Options Probe;
};

// Reads the arguments that follow the program's name; on Usage_Error, error
// says what is wrong.
TCli_Request Read_Cli_Options(const QStringList &arguments, TCli_Options &options, QString &error);

QString Cli_Help_Text();

// Whether the command line asks for a command that draws (report, which
// needs a QGuiApplication); read before the application exists.
bool Cli_Needs_Gui(const QStringList &arguments);

// The configurations the command names (or every one, with --all), as the
// console programs find them.
inline QList<TCli_Configuration> Chosen_Configurations(const TCli_Options &options, bool &missing)
{
    return Chosen_Configurations(options.Paths.Projects, options.All, options.Arguments, missing);
}
