#pragma once
// The configuration image: the program-wide parameter record, filled from
// its defaults and from the project's ParGen.xml, serialised into the image
// buffer and written to the project's bin/bank.bin.

#include "image/UImage_Record.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class QDomElement;
class TXMLDocument;

constexpr uint32_t Image_Buffer_Size = 100000;

extern TImage_Parameters Image_Parameters;
extern uint8_t Image_Buffer[Image_Buffer_Size];
extern int32_t Image_Length;

void Set_Default_Parameters();

// The rate of a position in the baud-rate list; 9600 for any other integer.
uint32_t Baud_Rate_Of_Index(int32_t index);

// Overwrites the fields that File_ParGen controls, each element on its own
// with its fallback. A missing file leaves the defaults; a file that exists
// but cannot be loaded gives false with the parser's message.
bool Read_ParGen_Parameters(TXMLDocument &doc, QString *error);
// The same steps over a loaded document's root, whose name is not checked.
void Apply_ParGen_Parameters(const QDomElement &root);

// Image_Parameters serialised at buffer[start..]; see Serialize_Record.
uint32_t Serialize_Parameters(uint32_t start, uint8_t *buffer, uint32_t capacity);

// Defaults, then ParGen.xml (read through doc), then the 2048 bytes at the
// start of Image_Buffer. False only when ParGen.xml exists but cannot be loaded.
bool Build_Image(TXMLDocument &doc, QString *error);

// The first Image_Length bytes of Image_Buffer: the last image built.
QByteArray Image_Bytes();

// project/bin/bank.bin, replaced whole by image. False with a message naming
// the file and the reason; nothing is written for project "" (no
// configuration is open). Touches no program-wide state, so the images of
// several configurations can be written side by side.
bool Write_Bank_File(const QString &project, const QByteArray &image, QString *error);
// Update Device's write: Write_Bank_File for the open configuration
// (Path_Project) and the last image built.
bool Write_Bank_File(QString *error);

// project/bin/bank.bin, and the open configuration's (Path_Project).
QString Bank_File_Path(const QString &project);
QString Bank_File_Path();
