#pragma once
// Web addresses go to the system's default browser.

#include <QString>

// The shell's "open" of url, shown; a failure is not reported.
void Open_Web_Address(const QString &url);
