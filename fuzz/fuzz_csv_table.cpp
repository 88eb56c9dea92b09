// The table reader over any bytes: it refuses with a line that lies in the
// input, or gives rows in line order that the table writer writes and the
// reader reads back the same, separator and all.
#include "common/UCsv_Table.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    TCsv_Table table;
    int line = 0;
    QString error;
    if (!Read_Csv_Table(bytes, table, line, error)) {
        if (error.isEmpty() || line < 1 || line > bytes.count('\n') + bytes.count('\r') + 1)
            std::abort();
        return 0;
    }
    QByteArray written;
    int previous = 0;
    for (const TCsv_Row &row : table.Rows) {
        if (row.Line <= previous)
            std::abort();
        previous = row.Line;
        written += Csv_Row_Bytes(row.Fields, table.Separator);
    }
    TCsv_Table again;
    if (!Read_Csv_Table(written, again, line, error) || again.Separator != table.Separator
        || again.Rows.size() != table.Rows.size())
        std::abort();
    for (int i = 0; i < table.Rows.size(); ++i) {
        if (again.Rows.at(i).Fields != table.Rows.at(i).Fields)
            std::abort();
    }
    return 0;
}
