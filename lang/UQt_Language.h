#pragma once
// Qt's own texts (the standard buttons of message boxes: Yes, No, OK,
// Cancel) in the language the windows show, from the translation files Qt
// ships for it (qtbase_de.qm, ...), which the program folder carries in
// "translations".

#include <QString>

// The code Qt's files go by for the language a language file is named after
// in its own words: "de" for "Deutsch", "es" for "Español"; "" for a name
// that is no language's.
QString Qt_Language_Code(const QString &name);

// Puts Qt's translation for language name from folder in place of the one
// installed before; Qt's own English when folder holds none for it. True
// when a translation was installed.
bool Select_Qt_Language(const QString &folder, const QString &name);
