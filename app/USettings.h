#pragma once
// The settings file Velmora.xml beside the program.

#include "common/UXmlDoc.h"

#include <QString>

QString Settings_File();

// Start-up steps 2 and 3: reads the settings file into the shared state, or
// gives the defaults when it is missing. A file that is not well-formed, or
// that exists but cannot be opened, also gives the defaults; warning then
// names the file, the reason and Velmora.xml.damaged, where the next save
// first keeps the damaged bytes or moves the file that could not be opened
// (an earlier Velmora.xml.damaged becomes Velmora.xml.damaged.1).
void Read_Settings(TXMLDocument &doc, QString *warning);
// Takes every value from a loaded settings document, each with its own default.
void Apply_Settings(const TXMLDocument &doc);

// Rebuilds the settings document from the shared state.
void Build_Settings_Document(TXMLDocument &doc);
// Writes the settings file whole from the shared state (after keeping a
// damaged or unopened file met at start beside it; when that fails nothing is
// written).
bool Save_Setting(TXMLDocument &doc, QString *error);
