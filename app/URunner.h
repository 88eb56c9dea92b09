#pragma once
// The program runner: starts an outside program and waits until it ends, at
// most limitMs. The caller learns nothing: not whether it started, nor how it
// ended. While it waits the windows repaint but take no input.

#include <QString>

void Run_Program(const QString &program, const QString &parameters, bool hidden, int limitMs);
