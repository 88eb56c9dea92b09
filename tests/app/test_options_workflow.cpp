// The Software Options dialog through the main window: the language it
// chooses reaching every window and the settings, its flags kept on OK, and
// the main window's version-check timer that follows them.
#include "TestData.h"
#include "TestEnv.h"
#include "TestHttpServer.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "common/UVersion.h"
#include "lang/ULang.h"
#include "options/USoftOptions.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtTest>
#include <optional>

class TestOptionsWorkflow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void language_change_no_yes_cancel();
    void ok_stores_the_language_through_main_window();
    void extension_in_capitals_is_the_file_loaded();
    void unreadable_language_file();
    void ok_and_cancel_store_flags();
    void timer_follows_both_flags_data();
    void timer_follows_both_flags();
    void timer_ticks_data();
    void timer_ticks();
    void options_ok_switches_timer();
    void running_timer_keeps_its_time();

private:
    void Start();
    // Opens the dialog from the main window's Options button, as the user
    // does, and runs steps while it shows; they end with OK or Cancel.
    void Run_Options(const std::function<void()> &steps);

    std::optional<TTestEnv> env;
    TTestPlatform *platform = nullptr;
};

void TestOptionsWorkflow::init()
{
    env.emplace();
    platform = &env->Platform;
}

void TestOptionsWorkflow::cleanup()
{
    if (FSoftOptions)
        FSoftOptions->hide();
    env.reset();
}

void TestOptionsWorkflow::Start()
{
    env->Start();
    platform->Clear();
}

void TestOptionsWorkflow::Run_Options(const std::function<void()> &steps)
{
    When_Modal_Shows([steps](QWidget *) {
        steps();
        // A failed check inside steps must not leave the dialog waiting.
        if (FSoftOptions->isVisible())
            FSoftOptions->reject();
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Opz, Qt::LeftButton);
}

void TestOptionsWorkflow::language_change_no_yes_cancel()
{
    env->Write_File("LANGUAGE/Deutsch.lng", German_Lng);
    env->Write_File("LANGUAGE/English.lng", "STR0 = Begin\r\n");
    Start();
    FSoftOptions->show();
    QCOMPARE(FSoftOptions->L_L[0]->text(), QStringLiteral("Deutsch"));

    platform->Answers = {false};
    QTest::mouseClick(FSoftOptions->L_L[0], Qt::LeftButton);
    QCOMPARE(platform->Questions,
             QStringList{"Do you want to change the Language from English to Deutsch?"});
    QCOMPARE(Lang(17), QStringLiteral("Update Device"));
    QCOMPARE(FVelmoraeFirmWare->Btn_CreateBin->Caption(), QStringLiteral("Update Device"));
    QCOMPARE(FSoftOptions->Language_In_Use, QStringLiteral("English"));

    platform->Answers = {true};
    QTest::mouseClick(FSoftOptions->I_L[0], Qt::LeftButton);
    QCOMPARE(platform->Questions.size(), 2);
    QCOMPARE(Lang(17), QStringLiteral("Gerät aktualisieren"));
    QCOMPARE(FVelmoraeFirmWare->Btn_CreateBin->Caption(), QStringLiteral("Gerät aktualisieren"));
    QCOMPARE(FSoftOptions->windowTitle(), QStringLiteral("Software-Optionen"));
    QCOMPARE(FSoftOptions->L_Sel_Lang->text(), QStringLiteral("Gewählte Sprache : Deutsch"));
    QCOMPARE(FSoftOptions->Language_In_Use, QStringLiteral("Deutsch"));
    QCOMPARE(Language, QStringLiteral("English"));

    QTest::mouseClick(FSoftOptions->Btn_Cancel, Qt::LeftButton);
    QVERIFY(FSoftOptions->isHidden());
    QCOMPARE(FSoftOptions->result(), int(QDialog::Rejected));
    QCOMPARE(Language, QStringLiteral("English"));
    QCOMPARE(FVelmoraeFirmWare->Btn_CreateBin->Caption(), QStringLiteral("Gerät aktualisieren"));

    // Shown again, the dialog starts from the shared Language; the question
    // now comes in the chosen texts.
    FSoftOptions->show();
    QCOMPARE(FSoftOptions->Language_In_Use, QStringLiteral("English"));
    platform->Answers = {false};
    QTest::mouseClick(FSoftOptions->L_L[0], Qt::LeftButton);
    QCOMPARE(platform->Questions.last(), QStringLiteral("Sprache von English zu Deutsch wechseln?"));
    QVERIFY(platform->Errors.isEmpty());
}

void TestOptionsWorkflow::ok_stores_the_language_through_main_window()
{
    env->Write_File("LANGUAGE/Deutsch.lng", German_Lng);
    Start();
    When_Modal_Shows([this](QWidget *modal) {
        QCOMPARE(modal, static_cast<QWidget *>(FSoftOptions));
        platform->Answers = {true};
        QTest::mouseClick(FSoftOptions->L_L[0], Qt::LeftButton);
        QTest::mouseClick(FSoftOptions->Btn_OK, Qt::LeftButton);
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Opz, Qt::LeftButton);
    QCOMPARE(FSoftOptions->result(), int(QDialog::Accepted));
    QCOMPARE(Language, QStringLiteral("Deutsch"));
    QVERIFY(env->Read_File("Velmora.xml").contains("<language>Deutsch</language>"));
    QVERIFY(platform->Errors.isEmpty());
}

void TestOptionsWorkflow::extension_in_capitals_is_the_file_loaded()
{
    env->Write_File("LANGUAGE/Deutsch.LNG", German_Lng);
    Start();
    Run_Options([this] {
        platform->Answers = {true};
        QTest::mouseClick(FSoftOptions->L_L[0], Qt::LeftButton);
        QCOMPARE(Lang(17), QStringLiteral("Gerät aktualisieren"));
        QCOMPARE(FSoftOptions->L_Sel_Lang->text(), QStringLiteral("Gewählte Sprache : Deutsch"));
        QTest::mouseClick(FSoftOptions->Btn_OK, Qt::LeftButton);
    });
    QCOMPARE(Language, QStringLiteral("Deutsch"));
    // The next start loads the same file.
    env->Stop();
    Start();
    QCOMPARE(Language, QStringLiteral("Deutsch"));
    QCOMPARE(Lang(17), QStringLiteral("Gerät aktualisieren"));
}

void TestOptionsWorkflow::unreadable_language_file()
{
    env->Write_File("LANGUAGE/Deutsch.lng", German_Lng);
    env->Write_File("LANGUAGE/Zulu.lng", "STR17 = Zulu\r\n");
    Start();
    Run_Options([this] {
        // Chosen, then the file turns into something that cannot be read.
        const QString path = env->Folder() + "/LANGUAGE/Zulu.lng";
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        platform->Answers = {true};
        QTest::mouseClick(FSoftOptions->L_L[1], Qt::LeftButton);
        QCOMPARE(platform->Errors.size(), 1);
        QVERIFY2(platform->Errors.at(0).contains("Zulu.lng"), qPrintable(platform->Errors.at(0)));
        QCOMPARE(Lang(17), QStringLiteral("Update Device"));
        QCOMPARE(Lang_Count, 800);
        QCOMPARE(Language, QStringLiteral("English"));
        QCOMPARE(FSoftOptions->Language_In_Use, QStringLiteral("English"));
        QVERIFY(FSoftOptions->isVisible());

        // Still usable: another language, then OK.
        platform->Answers = {true};
        QTest::mouseClick(FSoftOptions->L_L[0], Qt::LeftButton);
        QCOMPARE(Lang(17), QStringLiteral("Gerät aktualisieren"));
        QTest::mouseClick(FSoftOptions->Btn_OK, Qt::LeftButton);
    });
    QCOMPARE(Language, QStringLiteral("Deutsch"));
}

void TestOptionsWorkflow::ok_and_cancel_store_flags()
{
    Start();
    Run_Options([] {
        for (QCheckBox *box : {FSoftOptions->CB_En_Con, FSoftOptions->CB_Update,
                               FSoftOptions->CB_Soft_Set_Jump_Table, FSoftOptions->CB_DoubleClick_Auto_Size})
            box->setChecked(true);
        QTest::mouseClick(FSoftOptions->Btn_Cancel, Qt::LeftButton);
    });
    QVERIFY(!Enable_Internet && !Enable_Update && !Enable_Jump_Field_Tables && !Double_Click_Auto_Size);

    Run_Options([] {
        FSoftOptions->CB_Update->setChecked(true);
        FSoftOptions->CB_Soft_Set_Jump_Table->setChecked(true);
        FSoftOptions->CB_DoubleClick_Auto_Size->setChecked(true);
        // The update box counts even while it is disabled.
        QVERIFY(!FSoftOptions->CB_Update->isEnabled());
        QTest::mouseClick(FSoftOptions->Btn_OK, Qt::LeftButton);
    });
    QCOMPARE(FSoftOptions->result(), int(QDialog::Accepted));
    QVERIFY(!Enable_Internet);
    QVERIFY(Enable_Update && Enable_Jump_Field_Tables && Double_Click_Auto_Size);
    QVERIFY(!FVelmoraeFirmWare->Timer_Update.isActive());
}

void TestOptionsWorkflow::timer_follows_both_flags_data()
{
    QTest::addColumn<bool>("internet");
    QTest::addColumn<bool>("update");
    QTest::newRow("neither") << false << false;
    QTest::newRow("internet only") << true << false;
    QTest::newRow("update only") << false << true;
    QTest::newRow("both") << true << true;
}

void TestOptionsWorkflow::timer_follows_both_flags()
{
    QFETCH(bool, internet);
    QFETCH(bool, update);
    env->Write_File(QStringLiteral("Velmora.xml"), Settings_Xml(QString(), QStringLiteral("English"), internet, update));
    Start();
    QTimer &timer = FVelmoraeFirmWare->Timer_Update;
    QCOMPARE(timer.isActive(), internet && update);
    QCOMPARE(timer.interval(), 60000);
    QVERIFY(FVelmoraeFirmWare->LL_Update->isHidden());
}

void TestOptionsWorkflow::timer_ticks_data()
{
    QTest::addColumn<QByteArray>("answer"); // empty: nothing listens
    QTest::addColumn<bool>("newer");
    QTest::newRow("newer") << Http_Answer("200 OK", "VER. 1.103") << true;
    QTest::newRow("equal") << Http_Answer("200 OK", "VER. 1.102") << false;
    QTest::newRow("refused") << QByteArray() << false;
}

void TestOptionsWorkflow::timer_ticks()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, newer);
    TTestHttpServer server;
    platform->Web_Base_Url = Serve(server, answer);
    env->Write_File(QStringLiteral("Velmora.xml"), Settings_Xml(QString(), QStringLiteral("English"), true, true));
    Start();
    QTimer &timer = FVelmoraeFirmWare->Timer_Update;
    QLabel *link = FVelmoraeFirmWare->LL_Update;
    link->show();
    timer.setInterval(50);
    timer.start();
    QTRY_COMPARE_WITH_TIMEOUT(timer.interval(), 7200000, 5000);
    QVERIFY(timer.isActive());
    QVERIFY(timer.remainingTime() > 7200000 - 5000);
    QCOMPARE(link->isHidden(), !newer);
    if (newer) {
        QCOMPARE(link->text(), Link_Html(Download_Page_Url(platform->Web_Base()), Lang(19)));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, link->height() / 2));
        QCOMPARE(platform->Opened_Urls, QStringList{Download_Page_Url(platform->Web_Base())});
    }
    QVERIFY(platform->Errors.isEmpty() && platform->Warnings.isEmpty());
}

void TestOptionsWorkflow::options_ok_switches_timer()
{
    env->Write_File(QStringLiteral("Velmora.xml"), Settings_Xml(QString(), QStringLiteral("English"), true, true));
    Start();
    QTimer &timer = FVelmoraeFirmWare->Timer_Update;
    platform->Web_Base_Url = Refused_Url();
    FVelmoraeFirmWare->Timer_UpdateTimer();
    QCOMPARE(timer.interval(), 7200000);

    const auto Options_Ok = [](bool internet, bool update) {
        When_Modal_Shows([internet, update](QWidget *) {
            FSoftOptions->CB_En_Con->setChecked(internet);
            FSoftOptions->CB_Update->setChecked(update);
            QTest::mouseClick(FSoftOptions->Btn_OK, Qt::LeftButton);
        });
        QTest::mouseClick(FVelmoraeFirmWare->Btn_Opz, Qt::LeftButton);
    };
    Options_Ok(false, true);
    QVERIFY(!timer.isActive());
    QVERIFY(env->Read_File("Velmora.xml").contains("<enable_internet>0</enable_internet>"));
    Options_Ok(true, false);
    QVERIFY(!timer.isActive());
    Options_Ok(true, true);
    QVERIFY(timer.isActive());
    QCOMPARE(timer.interval(), 7200000);
    QVERIFY(timer.remainingTime() > 7200000 - 2000);

    // Cancel leaves the timer as it was.
    When_Modal_Shows([](QWidget *) {
        FSoftOptions->CB_En_Con->setChecked(false);
        QTest::mouseClick(FSoftOptions->Btn_Cancel, Qt::LeftButton);
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Opz, Qt::LeftButton);
    QVERIFY(timer.isActive());
    QVERIFY(Enable_Internet);
}

void TestOptionsWorkflow::running_timer_keeps_its_time()
{
    env->Write_File(QStringLiteral("Velmora.xml"), Settings_Xml(QString(), QStringLiteral("English"), true, true));
    Start();
    platform->Web_Base_Url = Refused_Url();
    QTimer &timer = FVelmoraeFirmWare->Timer_Update;
    QSignalSpy ticks(&timer, &QTimer::timeout);
    QElapsedTimer clock;
    timer.setInterval(1000);
    timer.start();
    clock.start();
    QTest::qWait(600);
    FVelmoraeFirmWare->Switch_Update_Timer();
    QVERIFY(timer.isActive());
    // Restarted, it would tick about 1600 ms after the start.
    QVERIFY(ticks.wait(3000));
    QVERIFY2(clock.elapsed() < 1400, QByteArray::number(clock.elapsed()).constData());
}

QTEST_MAIN(TestOptionsWorkflow)
#include "test_options_workflow.moc"
