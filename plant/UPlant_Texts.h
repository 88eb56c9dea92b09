#pragma once
// The plant's rows in words: the columns of the overview and of the report,
// each row's cells, the state words and the summary line, in the language of
// the texts handed in (entries 520-559 of the string table, with Status
// Word, Byte Count, State and the send types from the dialogs' entries).
// The check's verdict stays in the record's English, as Check.log holds it.

#include "lang/ULang.h"
#include "plant/UPlant_Rows.h"

#include <QString>
#include <QStringList>

enum class TPlant_Column {
    Configuration,   // the name
    Address,         // "192.168.0.21:502", "(address shared)" after it when shared
    Serial_Line,     // "RS485/RS422, 115200, 8, EVEN, End Character"
    Settings,        // OK, the first failing check's message, or why ParGen.xml is no help
    Image,           // none, current or stale with the byte sum, no image
    Last_Update,     // "2026-12-10 14:05 done", how it ended
    Last_Check,      // "2026-12-10 14:07 answers with the configured map"
    Status_Word,     // what the newest check read: "17 (0x0011)"
    Byte_Count,
    State            // the state word
};
constexpr int Plant_Column_Count = int(TPlant_Column::State) + 1;

QString Plant_Column_Title(TPlant_Column column, const TLang_Table &texts);
QStringList Plant_Column_Titles(const TLang_Table &texts);

// One cell as the overview and the report show it; "" where there is
// nothing to show.
QString Plant_Cell(const TPlant_Row &row, TPlant_Column column, const TLang_Table &texts);
QStringList Plant_Cells(const TPlant_Row &row, const TLang_Table &texts);

QString Plant_State_Word(TPlant_State state, const TLang_Table &texts);

// "RS485/RS422, 115200, 8, EVEN, End Character"; a position outside its list
// shows as its number.
QString Serial_Line_Text(const TSerial_Line &line, const TLang_Table &texts);

// "48 configurations: 40 answer with their map, 3 fail, 5 not checked; 2
// addresses shared".
QString Plant_Summary_Text(const TPlant_Summary &summary, const TLang_Table &texts);

// A record's time as the rows show it: "2026-12-10 14:05", in the time zone
// it was written in.
QString Plant_Time_Text(const QDateTime &time);
