// Which language files the Options dialog offers on Windows, by their file
// attributes set through SetFileAttributesW: read-only ones never, hidden,
// system and archived ones as any other.

#include "options/ULang_List.h"

#include <windows.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestLangListWin : public QObject
{
    Q_OBJECT
private slots:
    void attributes_data();
    void attributes();
};

void TestLangListWin::attributes_data()
{
    QTest::addColumn<uint>("attributes");
    QTest::addColumn<bool>("offered");
    QTest::newRow("normal") << uint(FILE_ATTRIBUTE_NORMAL) << true;
    QTest::newRow("archive") << uint(FILE_ATTRIBUTE_ARCHIVE) << true;
    QTest::newRow("hidden") << uint(FILE_ATTRIBUTE_HIDDEN) << true;
    QTest::newRow("system") << uint(FILE_ATTRIBUTE_SYSTEM) << true;
    QTest::newRow("hidden and system") << uint(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) << true;
    QTest::newRow("read-only") << uint(FILE_ATTRIBUTE_READONLY) << false;
    QTest::newRow("read-only and hidden") << uint(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN) << false;
    QTest::newRow("read-only and system") << uint(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM) << false;
}

void TestLangListWin::attributes()
{
    QFETCH(uint, attributes);
    QFETCH(bool, offered);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Lingua.lng"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("STR0 = x\r\n") > 0);
    file.close();
    const QString native = QDir::toNativeSeparators(path);
    const auto *name = reinterpret_cast<LPCWSTR>(native.utf16());
    QVERIFY(SetFileAttributesW(name, attributes));
    // The marks themselves are checked, as root could still write a
    // read-only file; the archive mark may come along (Wine sets it on every file).
    const uint marks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    QCOMPARE(uint(GetFileAttributesW(name)) & marks, attributes & marks);
    QCOMPARE(Build_Lang_List(folder.path()), offered ? QStringList{"Lingua.lng"} : QStringList());
    // Cleared again so the folder can be removed.
    SetFileAttributesW(name, FILE_ATTRIBUTE_NORMAL);
}

QTEST_GUILESS_MAIN(TestLangListWin)
#include "test_lang_list_win.moc"
