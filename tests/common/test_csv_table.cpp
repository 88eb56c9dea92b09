// The CSV table reader (velmora-cli import's tables): the tables it reads and the ones it refuses, with the line to blame.
#include "common/UCsv_Table.h"

#include <QtTest>

// Each row as "line:field|field".
static QStringList Rows_Text(const TCsv_Table &table)
{
    QStringList rows;
    for (const TCsv_Row &row : table.Rows)
        rows << QString::number(row.Line) + QLatin1Char(':') + row.Fields.join(QLatin1Char('|'));
    return rows;
}

class TestCsvTable : public QObject
{
    Q_OBJECT
private slots:
    void reading_data();
    void reading();
    void refusing_data();
    void refusing();
};

void TestCsvTable::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("byte-order mark, CRLF, no last break")
        << QByteArray("\xEF\xBB\xBFName,X\r\n\xC3\xA4,2") << "," << QStringList{"1:Name|X", "2:\u00e4|2"};
    QTest::newRow("semicolons, decimal comma")
        << QByteArray("a;b\r\n1,5;2\r\n") << ";" << QStringList{"1:a|b", "2:1,5|2"};
    QTest::newRow("first separator of the header decides")
        << QByteArray("a,b;c\n") << "," << QStringList{"1:a|b;c"};
    QTest::newRow("quoted separator does not decide")
        << QByteArray("\"a,b\";c\n") << ";" << QStringList{"1:a,b|c"};
    QTest::newRow("blank separator line before the header does not decide")
        << QByteArray(";;\na,b\n") << "," << QStringList{"2:a|b"};
    QTest::newRow("blank separator line before a semicolon header")
        << QByteArray(";;;\r\na;b\r\n") << ";" << QStringList{"2:a|b"};
    QTest::newRow("one column keeps the comma")
        << QByteArray("Name\nx;y\n") << "," << QStringList{"1:Name", "2:x;y"};
    QTest::newRow("quoted separators, quotes and line breaks")
        << QByteArray("a,b\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\r\nlines\",\"\"\nq,w")
        << "," << QStringList{"1:a|b", "2:x,y|say \"hi\"", "3:two\r\nlines|", "5:q|w"};
    QTest::newRow("blank rows left out, empty fields kept")
        << QByteArray("a,b\n\n,\n\"\",\"\"\n1,\n,2\n") << ","
        << QStringList{"1:a|b", "5:1|", "6:|2"};
    QTest::newRow("lone CR ends a line, blanks kept") << QByteArray(" a \r1\r") << "," << QStringList{"1: a ", "2:1"};
    QTest::newRow("a second byte-order mark is text")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\na") << "," << QStringList{"1:\ufeff", "2:a"};
}

void TestCsvTable::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, separator);
    QFETCH(QStringList, rows);
    TCsv_Table table;
    int line = 0;
    QString error;
    QVERIFY2(Read_Csv_Table(bytes, table, line, error), qPrintable(error));
    QCOMPARE(QString(table.Separator), separator);
    QCOMPARE(Rows_Text(table), rows);
}

void TestCsvTable::refusing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("error");
    QTest::newRow("quote never closed")
        << QByteArray("a\n\"b,\nc\n") << 2 << "a quoted field is never closed";
    QTest::newRow("quote inside a field")
        << QByteArray("a\nb\"c\n") << 2 << "a quote inside a field that does not start with one";
    QTest::newRow("text after the closing quote")
        << QByteArray("a\n\"x\ny\",\"z\" q\n") << 3 << "text after the closing quote of a field";
    QTest::newRow("not UTF-8") << QByteArray("a\r\nb\r\n\xFF\r\n") << 3 << "the table is not UTF-8 text";
    QTest::newRow("cut UTF-8 sequence at the end")
        << QByteArray("a\n\xC3") << 2 << "the table is not UTF-8 text";
}

void TestCsvTable::refusing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(QString, error);
    TCsv_Table table;
    int errorLine = 0;
    QString message;
    QVERIFY(!Read_Csv_Table(bytes, table, errorLine, message));
    QCOMPARE(errorLine, line);
    QCOMPARE(message, error);
}

QTEST_GUILESS_MAIN(TestCsvTable)
#include "test_csv_table.moc"
