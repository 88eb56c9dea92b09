// The About box keeps its fixed English texts whatever the language. Built on
// its own; opening it from the main window is in tests/app/test_workflow.
#include "TestDialogs.h"

#include "common/UComon.h"
#include "lang/ULang.h"
#include "options/UAbout.h"

#include <QtTest>

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void texts_after_language_change_data();
    void texts_after_language_change();
    void link_and_logo_open_home_page();
};

void TestAbout::texts_after_language_change_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("title") << "Label1" << "Software Velmora ";
    QTest::newRow("description") << "Label2" << "Serial / Modbus TCP Slave - Converter";
    QTest::newRow("code caption") << "Label6" << "Software Code : ";
    QTest::newRow("code") << "Label9" << "QV40318";
    QTest::newRow("version caption") << "Label3" << "Version :";
    QTest::newRow("version") << "Label10" << SW_Version;
    QTest::newRow("document caption") << "Label8" << "Document Code :";
    QTest::newRow("document") << "Label12" << "QM40318";
    QTest::newRow("link") << "Label4" << Maker_Host;
}

void TestAbout::texts_after_language_change()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    TDialog_Env<TFAbout> env;
    env.Write_File("LANGUAGE/Deutsch.lng", "STR12 = Information DE\r\nSTR300 = Optionen\r\n");
    TFAbout *about = env.Build();
    // The language is changed after the box was built, as the options dialog does.
    QVERIFY(Select_Language(QStringLiteral("Deutsch")));
    QCOMPARE(Lang(300), QStringLiteral("Optionen"));

    about->show();
    QCOMPARE(about->windowTitle(), QStringLiteral("About..."));
    QCOMPARE(about->size(), QSize(406, 148));
    auto *label = about->findChild<QLabel *>(control);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QVERIFY(!label->isHidden());
    about->hide();
}

void TestAbout::link_and_logo_open_home_page()
{
    TDialog_Env<TFAbout> env;
    TFAbout *about = env.Build();
    about->show();
    env.Platform.Clear();
    QTest::mouseClick(about->Label4, Qt::LeftButton);
    QTest::mouseClick(about->Image2, Qt::LeftButton);
    const QString home = "http://" + Maker_Host + "/HOME/default.asp?frompg=QV40318";
    QCOMPARE(env.Platform.Opened_Urls, (QStringList{home, home}));
    QVERIFY(!about->Image2->pixmap().isNull());
    about->hide();
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
