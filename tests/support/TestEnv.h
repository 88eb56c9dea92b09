#pragma once
// A program folder in a temporary directory with the seven windows created in
// it, as the program does at start, over the platform's test double.

#include "TestFolder.h"
#include "TestPlatform.h"
#include "TestWindows.h"

class TTestEnv : public TTestFolder
{
public:
    // folderName: as for TTestFolder.
    explicit TTestEnv(const QString &folderName = QString()) : TTestFolder(folderName) {}
    ~TTestEnv();

    // Resets the shared state and creates the seven windows here.
    void Start();
    // Closes the main window (which saves the settings) and deletes the windows.
    void Stop();

    // In place from before the windows exist until after they are gone.
    TTestPlatform Platform;

private:
    bool m_started = false;
};
