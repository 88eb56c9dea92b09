// The configuration folders under PROJECTS: creating, listing and searching them.
#include "TestFolder.h"

#include "common/UComon.h"
#include "project/UProject_Folders.h"

#include <QDir>
#include <QDirIterator>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

Q_DECLARE_METATYPE(TNew_Project_Result)

// Every path below root, so a test sees anything created anywhere.
static QStringList Tree(const QString &root)
{
    QStringList paths;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.append(it.next().mid(root.size()));
    paths.sort();
    return paths;
}

class TestProjectFolders : public QObject
{
    Q_OBJECT
private slots:
    void create_data();
    void create();
    void missing_projects_folder_creates_nothing();
    void listing_data();
    void listing();
    void unreadable_projects_folder_lists_nothing();
#ifdef Q_OS_WIN
    void listing_attributes_data();
    void listing_attributes();
#endif
    void search_data();
    void search();
};

void TestProjectFolders::create_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<TNew_Project_Result>("expected");
    using R = TNew_Project_Result;

    QTest::newRow("empty") << QString() << R::Empty_Name;
    QTest::newRow("existing") << "Alpha" << R::Already_Exists;
    QTest::newRow("existing, other case") << "alpha" << R::Already_Exists;
    QTest::newRow("existing, upper case") << "ALPHA" << R::Already_Exists;
    QTest::newRow("a plain file of that name") << "NOTES.TXT" << R::Not_Valid;
    QTest::newRow("slash") << "a/b" << R::Not_Valid;
    QTest::newRow("backslash") << "a\\b" << R::Not_Valid;
    QTest::newRow("climbs out") << "../escape" << R::Not_Valid;
    QTest::newRow("control character") << QStringLiteral("tab\there") << R::Not_Valid;
    QTest::newRow("character 31") << QString(QStringLiteral("x") + QChar(31)) << R::Not_Valid;
    for (const char *c : {"<", ">", ":", "\"", "|", "?", "*"})
        QTest::newRow(qPrintable(QStringLiteral("holds %1").arg(QLatin1String(c))))
            << QStringLiteral("a%1b").arg(QLatin1String(c)) << R::Not_Valid;
    QTest::newRow("ends in a dot") << "name." << R::Not_Valid;
    QTest::newRow("ends in a blank") << "name " << R::Not_Valid;
    QTest::newRow("only blanks") << "   " << R::Not_Valid;
    QTest::newRow("dot") << "." << R::Not_Valid;
    QTest::newRow("dot dot") << ".." << R::Not_Valid;
#ifdef Q_OS_WIN
    // A leading dot hides nothing on Windows: an ordinary name there.
    QTest::newRow("leading dot") << ".config" << R::Created;
#else
    QTest::newRow("hidden in the list") << ".config" << R::Not_Valid;
#endif
    for (const char *device : {"CON", "con", "Prn", "AUX", "nul", "COM1", "com9", "LPT1", "lpt9",
                               "CON.txt", "nul.tar.gz", "Com3.cfg"})
        QTest::newRow(qPrintable(QStringLiteral("device %1").arg(QLatin1String(device))))
            << QString::fromLatin1(device) << R::Not_Valid;
    for (const char *fine : {"Beta", "COM0", "COM10", "LPT", "CONSOLE", "con-1", "a.b", " lead",
                             "Line 4 (north)"})
        QTest::newRow(qPrintable(QStringLiteral("valid %1").arg(QLatin1String(fine))))
            << QString::fromLatin1(fine) << R::Created;
    QTest::newRow("valid non-ASCII") << QStringLiteral("Stra\u00dfe \u00c4") << R::Created;
}

void TestProjectFolders::create()
{
    QFETCH(QString, name);
    QFETCH(TNew_Project_Result, expected);
    TTestFolder root;
    const QString projects = root.Path(QStringLiteral("PROJECTS"));
    QVERIFY(QDir().mkpath(projects + QStringLiteral("/Alpha/bin")));
    QVERIFY(root.Write_File(QStringLiteral("PROJECTS/notes.txt"), QByteArray()));
    const QStringList before = Tree(root.Folder());

    QCOMPARE(Create_Project_Folder(projects, name), expected);

    QStringList after = Tree(root.Folder());
    if (expected == TNew_Project_Result::Created) {
        const QString folder = QStringLiteral("/PROJECTS/") + name;
        QStringList wanted = before;
        wanted << folder << folder + QStringLiteral("/bin");
        wanted.sort();
        QCOMPARE(after, wanted);
    } else {
        QCOMPARE(after, before);
    }
}

void TestProjectFolders::missing_projects_folder_creates_nothing()
{
    TTestFolder root;
    const QString projects = root.Path(QStringLiteral("PROJECTS"));
    QCOMPARE(Create_Project_Folder(projects, QStringLiteral("Site")), TNew_Project_Result::Not_Valid);
    QVERIFY(Tree(root.Folder()).isEmpty());
}

void TestProjectFolders::listing_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty") << QStringList() << QStringList() << QStringList();
    QTest::newRow("sorted without regard to case")
        << QStringList{"zeta", "Alpha", "beta", "Delta", "charlie"} << QStringList()
        << QStringList{"Alpha", "beta", "charlie", "Delta", "zeta"};
#ifdef Q_OS_WIN
    QTest::newRow("leading dots are ordinary names")
        << QStringList{"Plant", ".git", ".cache"} << QStringList{"readme.txt", ".hidden", "ParGen.xml"}
        << QStringList{".cache", ".git", "Plant"};
#else
    QTest::newRow("hidden folders and files left out")
        << QStringList{"Plant", ".git", ".cache"} << QStringList{"readme.txt", ".hidden", "ParGen.xml"}
        << QStringList{"Plant"};
#endif
#ifdef Q_OS_WIN
    // Names that differ only in case name one folder on Windows.
    QTest::newRow("names equal but for case are one folder")
        << QStringList{"abc", "ABC", "Abc"} << QStringList() << QStringList{"abc"};
#else
    QTest::newRow("names equal but for case keep a fixed order")
        << QStringList{"abc", "ABC", "Abc"} << QStringList() << QStringList{"ABC", "Abc", "abc"};
#endif
    QTest::newRow("only files") << QStringList() << QStringList{"a", "b"} << QStringList();
}

void TestProjectFolders::listing()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    TTestFolder root;
    for (const QString &folder : folders)
        QVERIFY(QDir(root.Folder()).mkpath(folder + QStringLiteral("/bin")));
    for (const QString &file : files)
        QVERIFY(root.Write_File(file, QByteArray()));
    QCOMPARE(List_Configurations(root.Folder()), expected);
}

void TestProjectFolders::unreadable_projects_folder_lists_nothing()
{
    TTestFolder root;
    QCOMPARE(List_Configurations(root.Path(QStringLiteral("missing"))), QStringList());
    const QString file = root.Path(QStringLiteral("PROJECTS"));
    QVERIFY(root.Write_File(QStringLiteral("PROJECTS"), QByteArray()));
    QCOMPARE(List_Configurations(file), QStringList());
}

#ifdef Q_OS_WIN
void TestProjectFolders::listing_attributes_data()
{
    QTest::addColumn<uint>("attributes");
    QTest::addColumn<bool>("listed");
    QTest::newRow("hidden") << uint(FILE_ATTRIBUTE_HIDDEN) << false;
    QTest::newRow("system") << uint(FILE_ATTRIBUTE_SYSTEM) << false;
    QTest::newRow("hidden with a leading dot") << uint(FILE_ATTRIBUTE_HIDDEN) << false;
    QTest::newRow("no mark with a leading dot") << uint(FILE_ATTRIBUTE_NORMAL) << true;
}

void TestProjectFolders::listing_attributes()
{
    QFETCH(uint, attributes);
    QFETCH(bool, listed);
    QTemporaryDir root;
    const QString name = QString::fromLatin1(QTest::currentDataTag()).contains(QLatin1String("dot"))
                             ? QStringLiteral(".Cfg")
                             : QStringLiteral("Cfg");
    QVERIFY(QDir(root.path()).mkdir(name));
    const QString path = QDir::toNativeSeparators(root.filePath(name));
    QVERIFY(SetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()), attributes));
    const DWORD marks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    QCOMPARE(GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16())) & marks, attributes & marks);
    QCOMPARE(List_Configurations(root.path()), listed ? QStringList{name} : QStringList());
}
#endif

void TestProjectFolders::search_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("expected");
    QTest::newRow("same") << "Beta" << 1;
    QTest::newRow("other case") << "ALPHA" << 0;
    QTest::newRow("first of two equal in upper case") << "delta" << 2;
    QTest::newRow("of two equal in upper case, the one spelled so") << "DELTA" << 3;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("absent") << "gamma" << -1;
    QTest::newRow("non-ASCII letters keep their case") << QStringLiteral("\u00e4rger") << -1;
    QTest::newRow("non-ASCII, same case") << QStringLiteral("\u00c4rger") << 4;
}

void TestProjectFolders::search()
{
    QFETCH(QString, name);
    QFETCH(int, expected);
    const QStringList names{"Alpha", "Beta", "Delta", "DELTA", QStringLiteral("\u00c4rger")};
    QCOMPARE(Search_Configuration(names, name), expected);
}

QTEST_GUILESS_MAIN(TestProjectFolders)
#include "test_project_folders.moc"
