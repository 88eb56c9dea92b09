#pragma once
// The checks a parameter set must pass before ParGen.xml is written: a fixed
// order, each on one value, some only while a list position or a check box
// asks for the value.

#include "params/UParGen_File.h"

// The string-table entry of the first failing check's message, or 0 when
// every value is acceptable. Values are read by the integer reading rule;
// text that is no number fails wherever it is checked.
int ParGen_Check(const TParGen_Values &values);
