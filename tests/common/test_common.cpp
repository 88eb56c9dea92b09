// The shared rules in common/: integers, dotted quads, trimming, and reading and saving XML files.
#include "TestFolder.h"

#include "common/UComon.h"
#include "common/UXmlDoc.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

class TestCommon : public QObject
{
    Q_OBJECT
private slots:
    void integer_rule_data();
    void integer_rule();
    void check_ip_data();
    void check_ip();
    void trim_removes_control_characters();
    void xml_root_is_first_element_data();
    void xml_root_is_first_element();
    void xml_text_of_element_with_children_is_unreadable();
    void xml_writer_bytes();
    void xml_damaged_file_names_file();
    void save_keeps_old_file_when_folder_is_missing();
    void save_never_writes_in_place();
};

void TestCommon::integer_rule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "502" << true << 502;
    QTest::newRow("leading blanks") << "   42" << true << 42;
    QTest::newRow("trailing blank") << "42 " << false << 0;
    QTest::newRow("leading tab") << "\t42" << false << 0;
    QTest::newRow("plus") << "+7" << true << 7;
    QTest::newRow("minus") << "-7" << true << -7;
    QTest::newRow("blank after sign") << "- 7" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blanks only") << "   " << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("digits then letter") << "12a" << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
    QTest::newRow("leading zeros") << "010" << true << 10;
    QTest::newRow("int max") << "2147483647" << true << 2147483647;
    QTest::newRow("int max + 1") << "2147483648" << false << 0;
    QTest::newRow("int min") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("int min - 1") << "-2147483649" << false << 0;
    QTest::newRow("huge") << "99999999999999999999" << false << 0;
    QTest::newRow("dollar hex") << "$FF" << true << 255;
    QTest::newRow("x hex") << "x1f" << true << 31;
    QTest::newRow("X hex") << "X1F" << true << 31;
    QTest::newRow("0x hex") << "0x10" << true << 16;
    QTest::newRow("0X hex") << "0X10" << true << 16;
    QTest::newRow("negative hex") << "-$10" << true << -16;
    QTest::newRow("hex all bits") << "$FFFFFFFF" << true << -1;
    QTest::newRow("hex too wide") << "$100000000" << false << 0;
    QTest::newRow("prefix without digits") << "$" << false << 0;
    QTest::newRow("0x without digits") << "0x" << false << 0;
    QTest::newRow("bad hex digit") << "$FG" << false << 0;
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("full-width digit") << QString::fromUtf8("\xEF\xBC\x91") << false << 0;
}

void TestCommon::integer_rule()
{
    QFETCH(QString, text);
    QFETCH(bool, number);
    QFETCH(int, value);
    int32_t read = 12345;
    QCOMPARE(Try_Read_Integer(text, read), number);
    if (number)
        QCOMPARE(read, value);
    QCOMPARE(Read_Integer(text, -99), number ? value : -99);
}

void TestCommon::check_ip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("plain") << "192.168.2.205" << true << QStringList{"192", "168", "2", "205"};
    QTest::newRow("blanks around") << "  192.168.2.205 \t" << true
                                   << QStringList{"192", "168", "2", "205"};
    QTest::newRow("blanks around every dot") << "192 . 168 . 2 . 205" << true
                                             << QStringList{"192", "168", "2", "205"};
    QTest::newRow("two dots") << "192.168.2" << false << QStringList{"192", "168", "", ""};
    QTest::newRow("five numbers") << "1.2.3.4.5" << false << QStringList{"1", "2", "3", "4.5"};
    QTest::newRow("part 256") << "1.2.3.256" << false << QStringList{"1", "2", "3", "256"};
    QTest::newRow("negative part") << "1.-2.3.4" << false << QStringList{"1", "-2", "3", "4"};
    QTest::newRow("empty part") << "1..3.4" << false << QStringList{"1", "", "3", "4"};
    QTest::newRow("letters") << "a.b.c.d" << false << QStringList{"a", "b", "c", "d"};
    QTest::newRow("leading zeros") << "010.000.002.205" << true
                                   << QStringList{"010", "000", "002", "205"};
    QTest::newRow("hex part") << "$C0.168.0.1" << true << QStringList{"$C0", "168", "0", "1"};
    QTest::newRow("bounds") << "0.255.0.255" << true << QStringList{"0", "255", "0", "255"};
    QTest::newRow("no dot") << "localhost" << false << QStringList{"", "", "", ""};
    QTest::newRow("empty") << "" << false << QStringList{"", "", "", ""};
}

void TestCommon::check_ip()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QStringList, parts);
    QString p1, p2, p3, p4;
    QCOMPARE(Check_IP_Address(text, p1, p2, p3, p4), valid);
    QCOMPARE((QStringList{p1, p2, p3, p4}), parts);
}

void TestCommon::trim_removes_control_characters()
{
    QCOMPARE(Trim_Text(QStringLiteral("\x01\t a b \r\n")), QStringLiteral("a b"));
    QCOMPARE(Trim_Text(QStringLiteral(" \t ")), QString());
    QCOMPARE(Trim_Text(QString::fromUtf8("\xC2\xA0x\xC2\xA0")), QString::fromUtf8("\xC2\xA0x\xC2\xA0"));
}

void TestCommon::xml_root_is_first_element_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("bare") << QByteArray("<R><a>1</a></R>");
    QTest::newRow("declaration") << QByteArray("<?xml version=\"1.0\"?>\n<R><a>1</a></R>");
    QTest::newRow("comment first") << QByteArray("<!-- note --><R><a>1</a></R>");
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF<R>\n  <a>1</a>\n</R>");
}

void TestCommon::xml_root_is_first_element()
{
    QFETCH(QByteArray, bytes);
    TXMLDocument doc;
    QVERIFY(doc.Load_Bytes(bytes));
    QString text;
    QVERIFY(doc.Read_Path({"a"}, text));
    QCOMPARE(text, QStringLiteral("1"));
    QVERIFY(!doc.Read_Path({"b"}, text));
}

void TestCommon::xml_text_of_element_with_children_is_unreadable()
{
    TXMLDocument doc;
    QVERIFY(doc.Load_Bytes("<R><a><b>1</b></a><e/><c>x<!--n-->y</c><s>  </s><d><![CDATA[a<b]]></d></R>"));
    QString text = QStringLiteral("untouched");
    QVERIFY(!doc.Read_Path({"a"}, text));
    QCOMPARE(text, QStringLiteral("untouched"));
    QVERIFY(doc.Read_Path({"e"}, text));
    QCOMPARE(text, QString());
    QVERIFY(doc.Read_Path({"c"}, text));
    QCOMPARE(text, QStringLiteral("xy"));
    // Blanks typed into an edit field come back as they were saved.
    QVERIFY(doc.Read_Path({"s"}, text));
    QCOMPARE(text, QStringLiteral("  "));
    QVERIFY(doc.Read_Path({"d"}, text));
    QCOMPARE(text, QStringLiteral("a<b"));
}

void TestCommon::xml_writer_bytes()
{
    TXMLDocument doc;
    QDomElement root = doc.Add_Root(QStringLiteral("Root"));
    doc.Add_Text_Child(root, QStringLiteral("a"), QStringLiteral("1 & <2>"));
    doc.Add_Text_Child(doc.Add_Child(root, QStringLiteral("g")), QStringLiteral("b"), QString());
    doc.Add_Comment(QStringLiteral("SW_VERSION = 1.102"));
    QCOMPARE(doc.To_Bytes(), QByteArray("<Root><a>1 &amp; &lt;2></a><g><b/></g></Root><!--SW_VERSION = 1.102-->"));
}

void TestCommon::xml_damaged_file_names_file()
{
    TTestFolder dir;
    const QString path = dir.Path(QStringLiteral("bad.xml"));
    QVERIFY(dir.Write_File(QStringLiteral("bad.xml"), "<R><a>1</R>"));
    TXMLDocument doc;
    QString error;
    QVERIFY(!doc.Load_File(path, &error));
    QVERIFY2(error.contains(QStringLiteral("bad.xml")), qPrintable(error));
    QVERIFY(doc.Root().isNull());
}

void TestCommon::save_keeps_old_file_when_folder_is_missing()
{
    TTestFolder dir;
    QString error;
    QVERIFY(!Save_Whole_File(dir.Path(QStringLiteral("missing/x.xml")), "data", &error));
    QVERIFY2(error.contains(QStringLiteral("x.xml")), qPrintable(error));
    const QString path = dir.Path(QStringLiteral("x.xml"));
    QVERIFY(Save_Whole_File(path, "old", &error));
    QVERIFY(Save_Whole_File(path, "new", &error));
    QCOMPARE(dir.Read_File(QStringLiteral("x.xml")), QByteArray("new"));
}

// A folder the writer may not write, holding a file it may: writing the file
// in place could leave half of it behind, so the save is refused instead.
void TestCommon::save_never_writes_in_place()
{
#ifdef Q_OS_WIN
    QSKIP("folder write rights are modes of POSIX systems");
#else
    TTestFolder dir;
    const QString folder = dir.Path(QStringLiteral("locked"));
    const QString path = folder + QStringLiteral("/kept.xml");
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(Save_Whole_File(path, "old", nullptr));
    // Root may write anywhere: the writer then runs as nobody, who owns the file only.
    const uid_t nobody = 65534;
    const bool root = geteuid() == 0;
    QVERIFY(chmod(QFile::encodeName(dir.Folder()).constData(), 0755) == 0);
    QVERIFY(!root || chown(QFile::encodeName(path).constData(), nobody, nobody) == 0);
    QVERIFY(chmod(QFile::encodeName(folder).constData(), 0555) == 0);
    const pid_t child = fork();
    if (child == 0) {
        if (root && (setgid(nobody) != 0 || setuid(nobody) != 0))
            _exit(2);
        _exit(Save_Whole_File(path, "new", nullptr) ? 0 : 1);
    }
    int status = 0;
    QVERIFY(child > 0 && waitpid(child, &status, 0) == child);
    QCOMPARE(WEXITSTATUS(status), 1);
    QCOMPARE(dir.Read_File(QStringLiteral("locked/kept.xml")), QByteArray("old"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kept.xml")});
    chmod(QFile::encodeName(folder).constData(), 0755);
#endif
}

QTEST_GUILESS_MAIN(TestCommon)
#include "test_common.moc"
