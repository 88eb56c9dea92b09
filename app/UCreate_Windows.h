#pragma once
// Creates the seven windows, each once, in the program's fixed order; the main
// window's creation runs the whole start-up in exeFolder.

#include <QString>

void Create_Windows(const QString &exeFolder);
// Deletes the seven windows (tests create them again in another folder).
void Destroy_Windows();
