#pragma once
// The language files offered in the Software Options dialog: which files of
// the language folder count, their order, the pages of six and the flags.

#include <QString>
#include <QStringList>

class QFileInfo;

constexpr int Languages_Per_Page = 6;

// True when an entry of the language folder may be offered: a regular file
// (no folder, no link) that is not read-only. On Windows every attribute must
// lie in hidden, system, archive, normal, sparse and not-content-indexed;
// elsewhere a file whose owner write bit is off counts as read-only.
bool Is_Offered_Lang_File(const QFileInfo &entry);

// The file names (with ".lng", matched without regard to case) of the offered
// language files in folder, sorted without regard to case in the user's
// locale order. Empty when the folder is missing.
QStringList Build_Lang_List(const QString &folder);

// (n + 5) div 6: 0 when there is no language file.
int Lang_Page_Count(int files);

// The language name of a list entry: the file name without ".lng".
QString Lang_Name(const QString &fileName);

// The flag picture of a language: the file <name>.bmp, else the file
// DefaultFlag.bmp, else "".
QString Flag_File(const QString &folder, const QString &name);
