#include "lang/ULang.h"

#include "common/UComon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

TLang_Table Lang_Strings;
int32_t Lang_Count = 0;

QString Lang(int index)
{
    if (index < 0 || index >= Lang_Strings.size())
        return QString();
    return Lang_Strings.at(index);
}

void Load_Default_Strings()
{
    Lang_Strings = Default_Strings();
    Lang_Count = static_cast<int32_t>(Lang_Strings.size());
}

#ifndef Q_OS_WIN
// Windows reads a file without a mark in its own ANSI code page instead.
static QString Decode_Windows_1252(const QByteArray &bytes)
{
    // 0x80..0x9F differ from Latin-1; the five undefined codes keep their value.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(high[b - 0x80]) : QChar(b));
    }
    return text;
}
#endif

QString Decode_Lang_Bytes(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        return decoder.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
        return decoder.decode(bytes.mid(2));
    }
#ifdef Q_OS_WIN
    QStringDecoder ansi(QStringDecoder::System);
    return ansi.decode(bytes);
#else
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return Decode_Windows_1252(bytes);
#endif
}

static const QChar Pilcrow(0x00B6);

void Apply_Lang_Text(TLang_Table &table, const QString &text)
{
    int start = 0;
    const int n = text.size();
    while (start <= n) {
        int end = start;
        while (end < n && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
            ++end;
        const QString line = Trim_Text(text.mid(start, end - start));
        if (end < n && text.at(end) == QLatin1Char('\r') && end + 1 < n
            && text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        start = end + 1;

        if (!line.startsWith(QLatin1String("STR")))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        // Everything between "STR" and "=" except the one character before "=".
        const QString indexText = eq - 4 > 0 ? Trim_Text(line.mid(3, eq - 4)) : QString();
        const int32_t index = Read_Integer(indexText, -1);
        if (index < 0 || index >= table.size())
            continue;
        QString entry = Trim_Text(line.mid(eq + 1));
        if (entry.isEmpty())
            continue;
        const int comment = entry.indexOf(QLatin1String("/#/"));
        if (comment >= 0)
            entry = Trim_Text(entry.left(comment));
        if (entry.startsWith(Pilcrow))
            entry.remove(0, 1);
        const int mark = entry.indexOf(Pilcrow);
        if (mark >= 0)
            entry.truncate(mark);
        table[index] = entry;
    }
}

bool Load_Lang_File(TLang_Table &table, const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read the language file \"%1\": %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read the language file \"%1\": %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    Apply_Lang_Text(table, Decode_Lang_Bytes(bytes));
    return true;
}

QString Lang_File_Path(const QString &folder, const QString &name)
{
    const QString exact = Join_Path(folder, name + QStringLiteral(".lng"));
    if (QFileInfo::exists(exact))
        return exact;
    // The language list takes the extension in any letter case; the file it
    // offers is the file loaded, also where the file system tells case apart.
    const QStringList entries =
        QDir(folder).entryList({name + QStringLiteral(".lng")},
                               QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.startsWith(name) && entry.size() == name.size() + 4)
            return Join_Path(folder, entry);
    }
    return QString();
}

bool Load_Language(const QString &folder, const QString &name, TLang_Table &table,
                   QString *used, QString *error)
{
    table = Default_Strings();
    const QString chosen = Lang_File_Path(folder, name);
    if (used)
        *used = chosen.isEmpty() ? QStringLiteral("English") : name;
    if (!chosen.isEmpty())
        return Load_Lang_File(table, chosen, error);
    const QString english = Lang_File_Path(folder, QStringLiteral("English"));
    if (!english.isEmpty())
        return Load_Lang_File(table, english, error);
    return true;
}

bool Select_Language(const QString &name, QString *used, QString *error)
{
    const bool read = Load_Language(Path_Language, name, Lang_Strings, used, error);
    Lang_Count = static_cast<int32_t>(Lang_Strings.size());
    return read;
}
