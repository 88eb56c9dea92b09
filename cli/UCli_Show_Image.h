#pragma once
// show's second half: what a configuration's bin/bank.bin holds, and where it
// differs from the image its current ParGen.xml gives, which is what Update
// Device would write now.

#include <QString>

// Prints it all for the configuration folder project; false after reporting
// a file that cannot be read.
bool Show_Bank_File(const QString &project);
