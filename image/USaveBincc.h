#pragma once
// The configuration image: the parameter record, filled from its defaults
// and from a configuration's ParGen.xml, serialised into the image and
// written to the configuration's bin/bank.bin. Everything here takes and
// returns values, so the images of several configurations can be built and
// written side by side.

#include "image/UImage_Record.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class QDomElement;
class TXMLDocument;

// One built image: the record it was made from, for reports, and its bytes.
struct TImage
{
    TImage_Parameters Record{};   // Byte_Sum included
    QByteArray Bytes;             // the content of bank.bin

    int32_t Length() const { return static_cast<int32_t>(Bytes.size()); }
    uint32_t Byte_Sum() const { return Record.Byte_Sum; }
};

void Set_Default_Parameters(TImage_Parameters &record);

// The rate of a position in the baud-rate list; 9600 for any other integer.
uint32_t Baud_Rate_Of_Index(int32_t index);

// Overwrites the fields of record that the file parGen controls, each element
// on its own with its fallback. A missing file leaves the record as it is; a
// file that exists but cannot be loaded gives false with the parser's message.
bool Read_ParGen_Parameters(TXMLDocument &doc, const QString &parGen, TImage_Parameters &record,
                            QString *error);
// The same steps over a loaded document's root, whose name is not checked.
void Apply_ParGen_Parameters(const QDomElement &root, TImage_Parameters &record);

// Defaults, then the file parGen (read through doc), then the 2048 bytes.
// False only when parGen exists but cannot be loaded; image is then unchanged.
bool Build_Image(TXMLDocument &doc, const QString &parGen, TImage &image, QString *error);

// project/bin/bank.bin, replaced whole by image. False with a message naming
// the file and the reason; nothing is written for project "" (no
// configuration is open).
bool Write_Bank_File(const QString &project, const QByteArray &image, QString *error);

// project/bin/bank.bin.
QString Bank_File_Path(const QString &project);
// The image of project's ParGen.xml built (Build_Image) and written to its
// bin/bank.bin (Write_Bank_File), as Update Device does; false with the first
// step's error. Takes no shared document, so many run side by side.
bool Build_Bank_File(const QString &project, TImage &image, QString *error);

// The image of a record as Build_Image makes it: its 2048 bytes, its sum in
// the record.
TImage Image_Of_Record(const TImage_Parameters &record);

enum class TBank_State { Missing, Image, Damaged };

// project/bin/bank.bin read back: Image with its record and bytes; Missing
// when there is none; Damaged, with why, when it cannot be read or is no
// image (not 2048 bytes, or its last four bytes not the sum of the others).
// At most one byte more than an image is read.
TBank_State Read_Bank_File(const QString &project, TImage &image, QString *why);
