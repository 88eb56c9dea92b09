// The string table: the built-in English texts, the .lng line grammar, encodings and unreadable files.
#include "TestFolder.h"

#include "common/UComon.h"
#include "lang/ULang.h"

#include <QDir>
#include <QStringEncoder>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

class TestLangTable : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void defaults();
    void default_blanks_data();
    void default_blanks();
    void line_grammar_data();
    void line_grammar();
    void line_ends_and_later_lines_win();
    void encodings_data();
    void encodings();
    void unreadable_file_keeps_table();
    void select_language_data();
    void select_language();

private:
    TTestFolder m_dir;
};

void TestLangTable::init()
{
    Reset_Shared_State();
    Load_Default_Strings();
}

void TestLangTable::defaults()
{
    QCOMPARE(Lang_Count, 800);
    QCOMPARE(Lang_Strings.size(), 800);
    QCOMPARE(Lang(0), QStringLiteral("Begin"));
    QCOMPARE(Lang(17), QStringLiteral("Update Device"));
    QCOMPARE(Lang(18), QStringLiteral("Error! Project not Valid"));
    QCOMPARE(Lang(644), QStringLiteral("Create a new configuration before to donwload it"));
    int texts = 0;
    for (const QString &s : std::as_const(Lang_Strings)) {
        QVERIFY(!s.isEmpty());
        if (s != QLatin1String(" "))
            ++texts;
    }
    // 231 of the dialogs the table was made for, 113 of Check Device, 40 of
    // the plant's rows and report, 39 of Plant Overview, the update record's
    // failure.
    QCOMPARE(texts, 424);
    // Only the dialogs' blocks carry text.
    const QList<QPair<int, int>> blocks{{0, 24},    {100, 110}, {200, 207}, {300, 321}, {400, 598},
                                        {600, 644}, {646, 646}, {650, 663}, {700, 798}};
    for (int i = 0; i < 800; ++i) {
        bool inBlock = false;
        for (const auto &b : blocks)
            inBlock = inBlock || (i >= b.first && i <= b.second);
        if (!inBlock)
            QVERIFY2(Lang(i) == QLatin1String(" "), qPrintable(QString::number(i)));
    }
}

void TestLangTable::default_blanks_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("9") << 9 << "None Configuration Opened ";
    QTest::newRow("11") << 11 << "Opened Configuration of the Converter : ";
    QTest::newRow("304") << 304 << "Selected Language : ";
    QTest::newRow("305") << 305 << "Page ";
    QTest::newRow("306") << 306 << " / ";
    QTest::newRow("316") << 316 << "Do you want to change the Language from ";
    QTest::newRow("317") << 317 << " to ";
    QTest::newRow("406") << 406 << " Serial ";
    QTest::newRow("424") << 424 << " Modbus Slave ";
    QTest::newRow("441") << 441 << " Ethernet ";
    QTest::newRow("442") << 442 << " Modbus TCP Slave ";
    QTest::newRow("25") << 25 << " ";
    QTest::newRow("399") << 399 << " ";
    QTest::newRow("645") << 645 << " ";
    QTest::newRow("799") << 799 << " ";
}

void TestLangTable::default_blanks()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(Lang(index), text);
}

void TestLangTable::line_grammar_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");
    const QString pilcrow = QString(QChar(0x00B6));
    QTest::newRow("plain") << "STR17 = Aggiorna" << 17 << "Aggiorna";
    QTest::newRow("no gap before = sets index without last digit") << "STR12=Text" << 1 << "Text";
    QTest::newRow("no gap leaves the named index") << "STR12=Text" << 12 << "Information";
    QTest::newRow("blank after STR") << "STR 12 = Text" << 12 << "Text";
    QTest::newRow("indented") << "   \tSTR13 = Opzioni  " << 13 << "Opzioni";
    QTest::newRow("small letters ignored") << "str13 = x" << 13 << "Options";
    QTest::newRow("no equals ignored") << "STR13 x" << 13 << "Options";
    QTest::newRow("index 800 ignored") << "STR800 = x" << 799 << " ";
    QTest::newRow("negative ignored") << "STR-1 = x" << 0 << "Begin";
    QTest::newRow("no index ignored") << "STR = x" << 0 << "Begin";
    QTest::newRow("hex index") << "STR$11 = x" << 17 << "x";
    QTest::newRow("empty text keeps default") << "STR13 =   " << 13 << "Options";
    QTest::newRow("empty after comment cut") << "STR13 = /#/ note" << 13 << "";
    QTest::newRow("comment") << "STR16 = Open /#/ shown on button" << 16 << "Open";
    QTest::newRow("pilcrows keep blanks") << "STR305 = " + pilcrow + " Page " + pilcrow << 305 << " Page ";
    QTest::newRow("pilcrow alone") << "STR305 = " + pilcrow << 305 << "";
    QTest::newRow("inner pilcrow cuts") << "STR13 = a" + pilcrow + "b" << 13 << "a";
    QTest::newRow("pilcrow then comment") << "STR306 = " + pilcrow + " / " + pilcrow + " /#/ x" << 306 << " / ";
    QTest::newRow("second equals is text") << "STR13 = a = b" << 13 << "a = b";
    QTest::newRow("title line ignored") << "Italiano" << 0 << "Begin";
}

void TestLangTable::line_grammar()
{
    QFETCH(QString, line);
    QFETCH(int, index);
    QFETCH(QString, expected);
    Apply_Lang_Text(Lang_Strings, line);
    QCOMPARE(Lang(index), expected);
    QCOMPARE(Lang_Count, 800);
    QCOMPARE(Lang_Strings.size(), 800);
}

void TestLangTable::line_ends_and_later_lines_win()
{
    Apply_Lang_Text(Lang_Strings, QStringLiteral("STR1 = a\rSTR2 = b\nSTR3 = c\r\nSTR1 = d\r\n\r\nSTR4 = e"));
    QCOMPARE(Lang(1), QStringLiteral("d"));
    QCOMPARE(Lang(2), QStringLiteral("b"));
    QCOMPARE(Lang(3), QStringLiteral("c"));
    QCOMPARE(Lang(4), QStringLiteral("e"));
}

void TestLangTable::encodings_data()
{
    const QString text = QString::fromUtf8("; Français\r\nSTR0 = Début\r\nSTR1 = Étape ¶1 \r\nSTR2 = €uro");
    QStringEncoder utf16le(QStringEncoder::Utf16LE);
    QStringEncoder utf16be(QStringEncoder::Utf16BE);
    QByteArray cp1252 = text.toLatin1();
    cp1252.replace(QByteArray("?uro"), QByteArray("\x80uro"));
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QTest::newRow("utf-16 le") << QByteArray("\xFF\xFE") + QByteArray(utf16le.encode(text));
    QTest::newRow("utf-16 be") << QByteArray("\xFE\xFF") + QByteArray(utf16be.encode(text));
#ifndef Q_OS_WIN
    QTest::newRow("utf-8 without mark") << text.toUtf8();
    QTest::newRow("windows-1252 without mark") << cp1252;
#else
    QTest::newRow("ANSI code page without mark") << cp1252;
#endif
}

void TestLangTable::encodings()
{
    QFETCH(QByteArray, bytes);
#ifdef Q_OS_WIN
    // The bytes are those of code page 1252, the ANSI code page of Western
    // European Windows and of Wine.
    if (QTest::currentDataTag() == QLatin1String("ANSI code page without mark") && GetACP() != 1252)
        QSKIP(qPrintable(QStringLiteral("the ANSI code page here is %1, not 1252").arg(GetACP())));
#endif
    QString error;
    QVERIFY(m_dir.Write_File(QStringLiteral("enc.lng"), bytes));
    QVERIFY(Load_Lang_File(Lang_Strings, m_dir.Path(QStringLiteral("enc.lng")), &error));
    QCOMPARE(Lang(0), QString::fromUtf8("Début"));
    QCOMPARE(Lang(1), QString::fromUtf8("Étape "));
    QCOMPARE(Lang(2), QString::fromUtf8("€uro"));
}

void TestLangTable::unreadable_file_keeps_table()
{
    // A folder where the file belongs cannot be read as a file.
    QDir(m_dir.Folder()).mkdir(QStringLiteral("Folder.lng"));
    QString error;
    QVERIFY(!Load_Lang_File(Lang_Strings, m_dir.Path(QStringLiteral("Folder.lng")), &error));
    QVERIFY2(error.contains(QStringLiteral("Folder.lng")), qPrintable(error));
    QCOMPARE(Lang_Strings, Default_Strings());
}

void TestLangTable::select_language_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("withItalian");
    QTest::addColumn<bool>("withEnglish");
    QTest::addColumn<QString>("afterLanguage");
    QTest::addColumn<QString>("entry17");
    QTest::newRow("file present") << "Italiano" << true << false << "Italiano" << "Aggiorna";
    QTest::newRow("missing file, no English file") << "Klingon" << true << false << "English" << "Update Device";
    QTest::newRow("missing file, English file") << "Klingon" << false << true << "English" << "Refresh";
    QTest::newRow("empty name") << "" << false << false << "English" << "Update Device";
}

void TestLangTable::select_language()
{
    QFETCH(QString, language);
    QFETCH(bool, withItalian);
    QFETCH(bool, withEnglish);
    QFETCH(QString, afterLanguage);
    QFETCH(QString, entry17);
    TTestFolder folder;
    Path_Language = folder.Folder();
    if (withItalian)
        QVERIFY(folder.Write_File(QStringLiteral("Italiano.lng"), "STR17 = Aggiorna\nSTR0 = Inizio\n"));
    if (withEnglish)
        QVERIFY(folder.Write_File(QStringLiteral("English.lng"), "STR17 = Refresh\n"));
    // A previous language's entries never survive a change.
    Apply_Lang_Text(Lang_Strings, QStringLiteral("STR0 = Stale"));
    QString used;
    QVERIFY(Select_Language(language, &used));
    QCOMPARE(used, afterLanguage);
    QCOMPARE(Lang(17), entry17);
    QCOMPARE(Lang(0), withItalian && language == QLatin1String("Italiano") ? QStringLiteral("Inizio")
                                                                             : QStringLiteral("Begin"));
}

QTEST_GUILESS_MAIN(TestLangTable)
#include "test_lang_table.moc"
