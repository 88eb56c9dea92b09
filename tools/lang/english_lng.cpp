// Build tool: writes the built-in English texts as the language file
// English.lng, so English is offered on the language page beside the other
// languages and can be chosen again after one of them. Made from the table
// the program starts with, the file never differs from it.
//
//   velmora_english_lng OUT_FILE

#include "lang/ULang.h"

#include <QSaveFile>
#include <cstdio>

namespace {

const QChar Pilcrow(0x00B6);

bool Fail(const QString &text)
{
    std::fprintf(stderr, "velmora_english_lng: %s\n", qPrintable(text));
    return false;
}

// The text after "STRn = " that reads back as entry: between pilcrows when
// blanks (any character up to 32) at its ends must be kept. Empty when no
// line can hold entry.
QString Line_Text(const QString &entry)
{
    if (entry.isEmpty() || entry.contains(Pilcrow) || entry.contains(QLatin1String("/#/"))
        || entry.contains(QLatin1Char('\r')) || entry.contains(QLatin1Char('\n')))
        return QString();
    if (entry.front().unicode() <= 32 || entry.back().unicode() <= 32)
        return Pilcrow + entry + Pilcrow;
    return entry;
}

bool Write_English(const QString &path)
{
    QString text = QStringLiteral("/#/ Velmora configurator - English\n"
                                  "/#/ The built-in texts, written when the program was built.\n"
                                  "/#/ One entry per line: STRn = text, with a blank before \"=\".\n"
                                  "/#/ A text between pilcrows keeps its leading and trailing blanks.\n"
                                  "/#/ Saved as UTF-8 with byte-order mark.\n\n");
    const QStringList &table = Default_Strings();
    for (int i = 0; i < table.size(); ++i) {
        // The entries no window uses hold the blank every table starts with.
        if (table.at(i) == QLatin1String(" "))
            continue;
        const QString line = Line_Text(table.at(i));
        if (line.isEmpty())
            return Fail(QStringLiteral("entry %1 cannot be written as a line of a language file").arg(i));
        text += QStringLiteral("STR%1 = %2\n").arg(QString::number(i), line);
    }
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        Fail(QStringLiteral("usage: velmora_english_lng OUT_FILE"));
        return 1;
    }
    return Write_English(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
