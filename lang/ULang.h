#pragma once
// The indexed table of every user-interface text, the built-in English texts
// and the language files (.lng) that replace them entry by entry.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

// A string table: one text per entry, in index order. A value, so that code
// below the windows is handed the texts it shows; the windows share one,
// Lang_Strings.
using TLang_Table = QStringList;

extern TLang_Table Lang_Strings;
extern int32_t Lang_Count;

// The 800 built-in English texts in index order.
const QStringList &Default_Strings();

// Entry n of the windows' table, or "" before the table is built.
QString Lang(int index);

void Load_Default_Strings();

// Decodes a language file's bytes: a byte-order mark (UTF-8, UTF-16 LE or BE)
// decides; without one, the ANSI code page on Windows, elsewhere UTF-8 when
// the bytes are valid UTF-8 and Windows-1252 otherwise.
QString Decode_Lang_Bytes(const QByteArray &bytes);

// Applies the lines of a decoded language file to table; an index the table
// does not hold is left out.
void Apply_Lang_Text(TLang_Table &table, const QString &text);

// Reads the whole file before changing any entry. False, with error naming the
// file and the reason, when the file cannot be read; the table is unchanged.
bool Load_Lang_File(TLang_Table &table, const QString &path, QString *error = nullptr);

// The language file of name in folder: name + ".lng", the extension in any
// letter case; "" when there is none.
QString Lang_File_Path(const QString &folder, const QString &name);

// Rebuilds table for the language name from the language files in folder,
// falling back to English when its file is missing; used receives the
// language loaded (name, or "English" after the fallback). False when a file
// exists but cannot be read; the table then holds the English texts.
bool Load_Language(const QString &folder, const QString &name, TLang_Table &table,
                   QString *used = nullptr, QString *error = nullptr);

// Load_Language for the windows' table from Path_Language.
bool Select_Language(const QString &name, QString *used = nullptr, QString *error = nullptr);
