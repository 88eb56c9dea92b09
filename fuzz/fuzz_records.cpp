// The readers of Update.log's and Check.log's newest blocks over any bytes:
// they never fail but by returning false, an update's block they read is
// written back the same way each time (the record's writer and reader
// agree), and a check's block reads the same twice.
#include "check/UCheck_Log.h"
#include "update/UUpdate_Log.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    TUpdate_Run run;
    if (Read_Update_Block(bytes, run)) {
        const QByteArray written = Update_Log_Block(run);
        TUpdate_Run again;
        if (!Read_Update_Block(written, again) || Update_Log_Block(again) != written || again.End != run.End
            || again.Code != run.Code || again.Started != run.Started)
            std::abort();
    }
    TRecorded_Check check;
    TRecorded_Check twice;
    const bool read = Read_Check_Block(bytes, check);
    if (read != Read_Check_Block(bytes, twice) || check.Verdict != twice.Verdict
        || check.Status_Word != twice.Status_Word || (read && !check.Started.isValid()))
        std::abort();
    return 0;
}
