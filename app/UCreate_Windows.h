#pragma once
// Creates the seven windows of the program's fixed order, each once; the main
// window's creation runs the whole start-up in exeFolder. Check Device is made
// when Step 4 first needs it (TFVelmoraeFirmWare::Check_Device_Window), and
// Plant Overview when its button is first used, so they cost the start nothing.

#include <QString>

void Create_Windows(const QString &exeFolder);
// Deletes the windows (tests create them again in another folder).
void Destroy_Windows();
