#pragma once
// The options of probe, the Modbus TCP check of configurations: read from
// the command line with the others, and laid over each configuration's check.

#include "check/UModbus_Check.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QPair>
#include <QString>

struct TProbe_Options
{
    int Unit = Default_Unit;
    int Time_Limit_Ms = Default_Time_Limit_Ms;
    int Count = Default_Block_Count;   // registers per data block
    QList<QPair<TRegister_Role, int>> Functions;   // --function ROLE=3|4, in their order
    QString Address;                   // "" for each configuration's own
    int Port = 0;                      // 0 for each configuration's own
    bool Echo = true;
};

QList<QCommandLineOption> Probe_Options();

// Reads the probe options from a parser that has parsed the command line;
// false, with error, for a value out of range or for probe options given to
// another command.
bool Read_Probe_Options(const QCommandLineParser &parser, bool probe, TProbe_Options &options,
                        QString &error);

// The options laid over a configuration's check.
void Apply_Probe_Options(const TProbe_Options &options, TCheck_Request &request);
