#pragma once
// Web addresses go to the system's default browser, a file's URL to the
// program the system opens the file with.

#include <QString>

// The shell's "open" of url, shown; a failure is not reported.
void Open_Web_Address(const QString &url);
