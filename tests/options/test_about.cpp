// The About box keeps its fixed English texts whatever the language.
#include "TestEnv.h"
#include "TestPlatform.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "options/UAbout.h"
#include "options/USoftOptions.h"

#include <QtTest>

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void texts_after_language_change_data();
    void texts_after_language_change();
    void link_and_logo_open_home_page();
    void ok_closes_from_main_window();

private:
    TTestPlatform platform;
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
    TTestEnv env;
    env.Write_File("LANGUAGE/Deutsch.lng", "STR12 = Information DE\r\nSTR300 = Optionen\r\n");
    env.Start();
    FSoftOptions->show();
    platform.Answers = {true};
    FSoftOptions->LangClick(1);
    QCOMPARE(FSoftOptions->windowTitle(), QStringLiteral("Optionen"));
    FSoftOptions->hide();

    FAbout->show();
    QCOMPARE(FAbout->windowTitle(), QStringLiteral("About..."));
    QCOMPARE(FAbout->size(), QSize(406, 148));
    auto *label = FAbout->findChild<QLabel *>(control);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QVERIFY(!label->isHidden());
    FAbout->hide();
}

void TestAbout::link_and_logo_open_home_page()
{
    TTestEnv env;
    env.Start();
    FAbout->show();
    platform.Clear();
    QTest::mouseClick(FAbout->Label4, Qt::LeftButton);
    QTest::mouseClick(FAbout->Image2, Qt::LeftButton);
    const QString home = "http://" + Maker_Host + "/HOME/default.asp?frompg=QV40318";
    QCOMPARE(platform.Opened_Urls, (QStringList{home, home}));
    QVERIFY(!FAbout->Image2->pixmap().isNull());
    FAbout->hide();
}

void TestAbout::ok_closes_from_main_window()
{
    TTestEnv env;
    env.Start();
    When_Modal_Shows([](QWidget *modal) {
        QCOMPARE(modal, static_cast<QWidget *>(FAbout));
        QTest::mouseClick(FAbout->LbButton1, Qt::LeftButton);
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Info, Qt::LeftButton);
    QCOMPARE(FAbout->result(), int(QDialog::Accepted));
    QVERIFY(FAbout->isHidden());
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
