#include "common/UCsv_Table.h"

#include <QStringDecoder>
#include <algorithm>

namespace {

const QChar Quote = QLatin1Char('"');
const QChar CR = QLatin1Char('\r');
const QChar LF = QLatin1Char('\n');
// At the start of a table a reader takes it for the byte-order mark.
const QChar Byte_Order_Mark(0xFEFF);

// The length of the line break at text[i] (CRLF, LF or a lone CR), 0 for none.
template <class Text>
int Break_At(const Text &text, int i)
{
    if (i >= text.size())
        return 0;
    if (text.at(i) == '\n')
        return 1;
    if (text.at(i) != '\r')
        return 0;
    return i + 1 < text.size() && text.at(i + 1) == '\n' ? 2 : 1;
}

// The line of the first byte sequence that is no UTF-8; no sequence spans a
// line break, so each line can be decoded on its own.
int First_Bad_Line(const QByteArray &bytes)
{
    int line = 1;
    int start = 0;
    while (start <= bytes.size()) {
        int end = start;
        while (end < bytes.size() && Break_At(bytes, end) == 0)
            ++end;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString ignored = utf8.decode(bytes.mid(start, end - start));
        if (utf8.hasError())
            return line;
        if (end >= bytes.size())
            break;
        start = end + Break_At(bytes, end);
        ++line;
    }
    return line;
}

class TCsv_Reader
{
public:
    TCsv_Reader(const QString &text, TCsv_Table &table) : m_text(text), m_table(table) {}

    bool Read(int &errorLine, QString &error)
    {
        while (m_pos < m_text.size()) {
            if (!Read_Row()) {
                errorLine = m_errorLine;
                error = m_error;
                return false;
            }
        }
        return true;
    }

private:
    bool Fail(int line, const char *reason)
    {
        m_errorLine = line;
        m_error = QLatin1String(reason);
        return false;
    }

    // Until the separator is known (the header row), a comma and a semicolon
    // both end a field, and the first one met decides for the whole table.
    bool Is_Separator(QChar c)
    {
        if (m_known)
            return c == m_table.Separator;
        if (c != QLatin1Char(',') && c != QLatin1Char(';'))
            return false;
        m_table.Separator = c;
        m_known = true;
        return true;
    }

    bool Read_Row()
    {
        TCsv_Row row;
        row.Line = m_line;
        for (;;) {
            QString field;
            if (!Read_Field(field))
                return false;
            row.Fields.append(field);
            if (m_pos < m_text.size() && Is_Separator(m_text.at(m_pos))) {
                ++m_pos;
                continue;
            }
            break;
        }
        m_pos += Break_At(m_text, m_pos);
        ++m_line;
        const bool blank = std::all_of(row.Fields.cbegin(), row.Fields.cend(),
                                       [](const QString &f) { return f.isEmpty(); });
        if (!blank) {
            m_table.Rows.append(row);
            // A header without a separator leaves the comma.
            m_known = true;
        } else if (m_table.Rows.isEmpty()) {
            // Only the header row decides, not a blank line of separators before it.
            m_known = false;
            m_table.Separator = QLatin1Char(',');
        }
        return true;
    }

    bool Read_Field(QString &field)
    {
        if (m_pos < m_text.size() && m_text.at(m_pos) == Quote)
            return Read_Quoted(field);
        const int start = m_pos;
        while (m_pos < m_text.size() && Break_At(m_text, m_pos) == 0) {
            const QChar c = m_text.at(m_pos);
            if (c == Quote)
                return Fail(m_line, "a quote inside a field that does not start with one");
            if (Is_Separator(c))
                break;
            ++m_pos;
        }
        field = m_text.mid(start, m_pos - start);
        return true;
    }

    bool Read_Quoted(QString &field)
    {
        const int opened = m_line;
        ++m_pos;
        for (;;) {
            const int quote = m_text.indexOf(Quote, m_pos);
            if (quote < 0)
                return Fail(opened, "a quoted field is never closed");
            for (int i = m_pos; i < quote; i += std::max(1, Break_At(m_text, i))) {
                if (Break_At(m_text, i) > 0)
                    ++m_line;
            }
            field += QStringView(m_text).mid(m_pos, quote - m_pos);
            m_pos = quote + 1;
            if (m_pos < m_text.size() && m_text.at(m_pos) == Quote) {
                field += Quote;
                ++m_pos;
                continue;
            }
            break;
        }
        if (m_pos < m_text.size() && Break_At(m_text, m_pos) == 0 && !Is_Separator(m_text.at(m_pos)))
            return Fail(m_line, "text after the closing quote of a field");
        // Is_Separator has taken the separator for Read_Row to see again.
        return true;
    }

    const QString &m_text;
    TCsv_Table &m_table;
    int m_pos = 0;
    int m_line = 1;
    bool m_known = false;
    int m_errorLine = 0;
    QString m_error;
};

} // namespace

bool Read_Csv_Table(const QByteArray &bytes, TCsv_Table &table, int &errorLine, QString &error)
{
    table = TCsv_Table();
    // The decoder drops a leading byte-order mark.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        errorLine = First_Bad_Line(bytes);
        error = QStringLiteral("the table is not UTF-8 text");
        return false;
    }
    return TCsv_Reader(text, table).Read(errorLine, error);
}

QByteArray Csv_Row_Bytes(const QStringList &fields, QChar separator)
{
    QStringList written;
    for (const QString &field : fields) {
        const bool quoted = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char(';'))
                            || field.contains(Quote) || field.contains(CR) || field.contains(LF)
                            || field.startsWith(QLatin1Char(' ')) || field.endsWith(QLatin1Char(' '))
                            || field.startsWith(Byte_Order_Mark);
        if (quoted)
            written << Quote + QString(field).replace(Quote, QStringLiteral("\"\"")) + Quote;
        else
            written << field;
    }
    return (written.join(separator) + QStringLiteral("\r\n")).toUtf8();
}
