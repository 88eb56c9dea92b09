// The shipped language files and flags: the set, every text in each, their copies in the program folder.
#include "common/UComon.h"
#include "lang/ULang.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtTest>

// The language files and flag pictures that ship with the program, read
// through the program's own reader exactly as a user's start-up would.
class TestLangFiles : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanupTestCase();
    void shipped_set();
    void every_text_set_data();
    void every_text_set();
    void select_language_from_program_folder_data();
    void select_language_from_program_folder();
    void flags_data();
    void flags();
    void program_folder_copies_data();
    void program_folder_copies();
    void english_file_is_the_built_in_table();

private:
    static QDir Source_Dir() { return QDir(QStringLiteral(VELMORA_LANG_FILES_DIR)); }
    static QString Dist_Language_Dir();
    static QByteArray Read_All(const QString &path);
    static QString Load_Over_Marks(const QString &path);
    static void Lng_Rows();
};

// A text no file would ever hold: an entry still carrying it was not set.
static const QString Unset = QStringLiteral("\x01unset\x01");

void TestLangFiles::init()
{
    Reset_Shared_State();
}

void TestLangFiles::cleanupTestCase()
{
    Reset_Shared_State();
}

QString TestLangFiles::Dist_Language_Dir()
{
    return Join_Path(qEnvironmentVariable("VELMORA_DIST_DIR"), QStringLiteral("LANGUAGE"));
}

QByteArray TestLangFiles::Read_All(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Reads a language file, UTF-8 with its mark as shipped, over a table whose
// every entry is marked, so an index the file names shows whatever it holds.
// The reason when it cannot, else "".
QString TestLangFiles::Load_Over_Marks(const QString &path)
{
    if (!Read_All(path).startsWith("\xEF\xBB\xBF"))
        return path + QStringLiteral(": missing, or without its byte-order mark");
    Load_Default_Strings();
    for (QString &entry : Lang_Strings)
        entry = Unset;
    QString error;
    Load_Lang_File(Lang_Strings, path, &error);
    return error;
}

void TestLangFiles::Lng_Rows()
{
    QTest::addColumn<QString>("stem");
    const QStringList files =
        Source_Dir().entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QString stem = QFileInfo(file).completeBaseName();
        QTest::newRow(stem.toUtf8().constData()) << stem;
    }
}

void TestLangFiles::shipped_set()
{
    const QStringList lng =
        Source_Dir().entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name);
    QCOMPARE(lng, (QStringList{QStringLiteral("Deutsch.lng"), QStringLiteral("Español.lng"),
                               QStringLiteral("Français.lng"), QStringLiteral("Italiano.lng")}));
    const QStringList bmp =
        Source_Dir().entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
    QCOMPARE(bmp, (QStringList{QStringLiteral("DefaultFlag.bmp"), QStringLiteral("Deutsch.bmp"),
                               QStringLiteral("English.bmp"), QStringLiteral("Español.bmp"),
                               QStringLiteral("Français.bmp"), QStringLiteral("Italiano.bmp")}));
}

void TestLangFiles::every_text_set_data()
{
    Lng_Rows();
}

void TestLangFiles::every_text_set()
{
    QFETCH(QString, stem);
    const QString error = Load_Over_Marks(Source_Dir().filePath(stem + QStringLiteral(".lng")));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(Lang_Count, 800);
    QCOMPARE(Lang_Strings.size(), 800);

    const QStringList &english = Default_Strings();
    int set = 0;
    for (int i = 0; i < 800; ++i) {
        const QString &text = Lang_Strings.at(i);
        const QString &en = english.at(i);
        const QByteArray where = QByteArray::number(i) + ": " + text.toUtf8();
        if (en == QLatin1String(" ")) {
            QVERIFY2(text == Unset, where.constData());
            continue;
        }
        QVERIFY2(text != Unset, where.constData());
        QVERIFY2(!Trim_Text(text).isEmpty(), where.constData());
        QVERIFY2(!text.contains(QChar(0x00B6)) && !text.contains(QLatin1String("/#/")),
                 where.constData());
        // Texts joined with others keep the blanks at their ends.
        QVERIFY2(text.startsWith(QLatin1Char(' ')) == en.startsWith(QLatin1Char(' ')),
                 where.constData());
        QVERIFY2(text.endsWith(QLatin1Char(' ')) == en.endsWith(QLatin1Char(' ')),
                 where.constData());
        QVERIFY2(Trim_Text(text).size() + (en.size() - Trim_Text(en).size()) == text.size(),
                 where.constData());
        ++set;
    }
    QCOMPARE(set, 424);
}

void TestLangFiles::select_language_from_program_folder_data()
{
    Lng_Rows();
}

void TestLangFiles::select_language_from_program_folder()
{
    QFETCH(QString, stem);
    Path_Language = Dist_Language_Dir();
    Language = stem;
    QString error;
    QVERIFY2(Select_Language(Language, &Language, &error), qPrintable(error));
    // A missing file would have switched to English.
    QCOMPARE(Language, stem);
    QCOMPARE(Lang_Count, 800);
    const QStringList &english = Default_Strings();
    int translated = 0;
    for (int i = 0; i < 800; ++i) {
        if (english.at(i) == QLatin1String(" "))
            QCOMPARE(Lang(i), QStringLiteral(" "));
        else if (Lang(i) != english.at(i))
            ++translated;
    }
    // Codes and names ("OK", "Firmware", "Ethernet") may stay as they are,
    // but most of the texts must really be in the language.
    QVERIFY2(translated > 200, qPrintable(QString::number(translated)));
    QCOMPARE(Lang(306), QStringLiteral(" / "));
}

void TestLangFiles::flags_data()
{
    Lng_Rows();
    QTest::newRow("English") << QStringLiteral("English");
    QTest::newRow("DefaultFlag") << QStringLiteral("DefaultFlag");
}

void TestLangFiles::flags()
{
    QFETCH(QString, stem);
    const QString path = Source_Dir().filePath(stem + QStringLiteral(".bmp"));
    const QByteArray bytes = Read_All(path);
    QVERIFY2(bytes.size() > 54, qPrintable(path));
    QVERIFY(bytes.startsWith("BM"));
    QCOMPARE(int(static_cast<unsigned char>(bytes.at(28))), 24); // bits per pixel
    const QImage image(path, "BMP");
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(48, 48));
}

void TestLangFiles::program_folder_copies_data()
{
    QTest::addColumn<QString>("name");
    const QStringList files = Source_Dir().entryList(
        {QStringLiteral("*.lng"), QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        QTest::newRow(file.toUtf8().constData()) << file;
}

void TestLangFiles::program_folder_copies()
{
    QFETCH(QString, name);
    const QByteArray source = Read_All(Source_Dir().filePath(name));
    QVERIFY(!source.isEmpty());
    QCOMPARE(Read_All(Join_Path(Dist_Language_Dir(), name)), source);
}

// Written from the built-in table at build time, so choosing English after
// another language gives back exactly the texts the program started with.
void TestLangFiles::english_file_is_the_built_in_table()
{
    const QString error = Load_Over_Marks(Join_Path(Dist_Language_Dir(), QStringLiteral("English.lng")));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QStringList &english = Default_Strings();
    for (int i = 0; i < 800; ++i) {
        const QString expected = english.at(i) == QLatin1String(" ") ? Unset : english.at(i);
        QCOMPARE(Lang(i), expected);
    }
}

QTEST_MAIN(TestLangFiles)
#include "test_lang_files.moc"
