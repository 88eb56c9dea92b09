#pragma once
// The benchmark's figures: each measurement is run several times and printed
// as its minimum and median, one line per figure.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One line: what was measured, minimum and median in unit, and the count.
void Print_Figure(const char *what, QList<double> values, const char *unit);

// The peak resident memory of a running process in MiB, or -1 where the
// system does not tell it (/proc/<pid>/status, line VmHWM).
double Peak_Memory_MiB(qint64 pid);

class QProcess;

// The first of count consecutive ports free on 127.0.0.1, or 0.
int Free_Ports(int count);

// Starts the program folder's velmora-sim with arguments and waits until it
// says that it serves expected configurations; false (the process stopped)
// otherwise, with its standard error in error.
bool Start_Sim(QProcess &sim, const QStringList &arguments, int expected, QString &error);
// Ends velmora-sim as Ctrl+C or SIGTERM would; true when it stopped cleanly.
bool Stop_Sim(QProcess &sim);

// The block of a check of the default map that was answered throughout, as
// Check.log holds it.
QByteArray Answered_Check_Block();

// The measurements; each prints its heading and figures and returns false
// (after saying why on standard error) when it could not be made.
bool Bench_Image();
bool Bench_Echo();
bool Bench_Version_Check();
bool Bench_Startup();
bool Bench_Cli();
bool Bench_Sim();
bool Bench_Modbus();
bool Bench_Record();
bool Bench_Plant();
// Plant Overview opened over the program folder exe (its PROJECTS holding
// configurations), and a Check All of 200 configurations velmora-sim serves;
// called by Bench_Plant.
bool Bench_Plant_Window(const QString &exeFolder, int configurations);
