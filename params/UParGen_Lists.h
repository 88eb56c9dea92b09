#pragma once
// The item texts of the Set Communication dialog's five lists, in list order,
// so that every place that shows or reads a list position agrees with the dialog.

#include "lang/ULang.h"

#include <QStringList>

// The items of a list element's list; the send types are entries 411-413 of
// texts. Empty for an element that is no list.
QStringList ParGen_List_Items(int id, const TLang_Table &texts);
