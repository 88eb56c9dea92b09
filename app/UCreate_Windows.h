#pragma once
// Creates the seven windows of the program's fixed order, each once, and then
// Check Device; the main window's creation runs the whole start-up in exeFolder.

#include <QString>

void Create_Windows(const QString &exeFolder);
// Deletes the windows (tests create them again in another folder).
void Destroy_Windows();
