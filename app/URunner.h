#pragma once
// The program runner: starts an outside program and waits until it ends, at
// most limitMs, and tells how the run ended: the program's exit status, or
// why it never ran or was left running. While it waits the windows repaint
// but take no input.

#include "platform/UProcess.h"

#include <QString>

TRun_Result Run_Program(const QString &program, const QString &parameters, bool hidden, int limitMs);
