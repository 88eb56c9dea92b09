// The Software Options dialog as a real widget over a real program folder:
// language pages, the change of language, the connection controls, the check
// by hand and the main window's version-check timer.
#include "TestHttpServer.h"
#include "TestEnv.h"
#include "TestPlatform.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "options/ULang_List.h"
#include "options/USoftOptions.h"
#include "options/UVersion.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTabWidget>
#include <QtTest>

namespace {
QByteArray Bmp(const QColor &colour)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

const QByteArray German = QByteArrayLiteral(
    "Deutsch\r\nSTR17 = Gerät aktualisieren\r\nSTR300 = Software-Optionen\r\n"
    "STR304 = ¶Gewählte Sprache : ¶\r\nSTR305 = ¶Seite ¶\r\nSTR316 = ¶Sprache von ¶\r\n"
    "STR317 = ¶ zu ¶\r\nSTR318 = ¶ wechseln?¶\r\nSTR19 = Neue Version\r\n");

// Page label, the names on view, then "<" and ">" for the paging buttons shown.
QString Page_State()
{
    QStringList names;
    for (QLabel *label : FSoftOptions->L_L)
        if (!label->isHidden())
            names.append(label->text());
    QString state = FSoftOptions->L_Page_Lang->text() + " [" + names.join(',') + "]";
    if (!FSoftOptions->Btn_Prev->isHidden())
        state += " <";
    if (!FSoftOptions->Btn_Next->isHidden())
        state += " >";
    return state;
}

// Points the check at server answering answer, or at a refused port when
// answer is empty.
void Serve(TTestPlatform &platform, TTestHttpServer &server, const QByteArray &answer)
{
    server.Reply = answer;
    platform.Web_Base_Url = answer.isEmpty()
                                ? QStringLiteral("http://127.0.0.1:%1").arg(Refused_Port())
                                : server.Base_Url();
}

QColor Flag_Colour(int slot)
{
    return FSoftOptions->I_L[slot]->pixmap().toImage().pixelColor(1, 1);
}
} // namespace

class TestSoftOptions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void language_pages_data();
    void language_pages();
    void offered_files();
    void flags_data();
    void flags();
    void language_change_no_yes_cancel();
    void same_language_still_asks();
    void ok_stores_the_language_through_main_window();
    void extension_in_capitals_is_the_file_loaded();
    void unreadable_language_file();
    void page_label_survives_language_change();
    void connection_controls_data();
    void connection_controls();
    void check_by_hand_data();
    void check_by_hand();
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
    void Write_Settings(bool internet, bool update);

    TTestPlatform platform;
    TTestEnv *env = nullptr;
};

void TestSoftOptions::init()
{
    platform.Clear();
    env = new TTestEnv;
}

void TestSoftOptions::cleanup()
{
    if (FSoftOptions)
        FSoftOptions->hide();
    delete env;
    env = nullptr;
}

void TestSoftOptions::Start()
{
    env->Start();
    platform.Clear();
}

void TestSoftOptions::Run_Options(const std::function<void()> &steps)
{
    When_Modal_Shows([steps](QWidget *) {
        steps();
        // A failed check inside steps must not leave the dialog waiting.
        if (FSoftOptions->isVisible())
            FSoftOptions->reject();
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Opz, Qt::LeftButton);
}

void TestSoftOptions::Write_Settings(bool internet, bool update)
{
    env->Write_File(QStringLiteral("Velmora.xml"),
                    QByteArray("<Conf_Settings><lastlang><language>English</language></lastlang>"
                               "<lastinternet><enable_internet>")
                        + (internet ? "1" : "0") + "</enable_internet><enable_update>"
                        + (update ? "1" : "0") + "</enable_update></lastinternet></Conf_Settings>");
}

void TestSoftOptions::language_pages_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("states"); // shown, Next, Next, Prev
    QTest::newRow("seven") << QStringList{"A", "B", "C", "D", "E", "F", "G"}
                           << QStringList{"Page 1 / 2 [A,B,C,D,E,F] >", "Page 2 / 2 [G] <",
                                          "Page 2 / 2 [G] <", "Page 1 / 2 [A,B,C,D,E,F] >"};
    QTest::newRow("exactly six") << QStringList{"A", "B", "C", "D", "E", "F"}
                                 << QStringList{"Page 1 / 1 [A,B,C,D,E,F]", "Page 1 / 1 [A,B,C,D,E,F]",
                                                "Page 1 / 1 [A,B,C,D,E,F]", "Page 1 / 1 [A,B,C,D,E,F]"};
    QTest::newRow("none") << QStringList{}
                          << QStringList{"Page 1 / 0 [] >", "Page 1 / 0 [] >", "Page 1 / 0 [] >",
                                         "Page 1 / 0 [] >"};
    QTest::newRow("thirteen") << QStringList{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M"}
                              << QStringList{"Page 1 / 3 [A,B,C,D,E,F] >", "Page 2 / 3 [G,H,I,J,K,L] < >",
                                             "Page 3 / 3 [M] <", "Page 2 / 3 [G,H,I,J,K,L] < >"};
}

void TestSoftOptions::language_pages()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, states);
    for (const QString &name : files)
        env->Write_File("LANGUAGE/" + name + ".lng", "STR0 = x\r\n");
    Start();
    FSoftOptions->show();
    QCOMPARE(FSoftOptions->PC_Options->currentWidget(), FSoftOptions->TS_Language);
    QCOMPARE(FSoftOptions->L_Sel_Lang->text(), QStringLiteral("Selected Language : English"));
    QCOMPARE(Page_State(), states.at(0));
    QTest::mouseClick(FSoftOptions->Btn_Next, Qt::LeftButton);
    QCOMPARE(Page_State(), states.at(1));
    FSoftOptions->Btn_NextClick(FSoftOptions->Btn_Next);
    QCOMPARE(Page_State(), states.at(2));
    FSoftOptions->Btn_NextClick(FSoftOptions->Btn_Prev);
    QCOMPARE(Page_State(), states.at(3));
}

void TestSoftOptions::offered_files()
{
    for (const char *name : {"francais.lng", "English.lng", "deutsch.lng", "ITALIANO.LNG",
                             ".Hidden.lng", "readonly.lng", "notes.txt", "old.lng.bak"})
        env->Write_File(QStringLiteral("LANGUAGE/") + name, "STR0 = x\r\n");
    const QString folder = env->Folder() + "/LANGUAGE";
    QFile::setPermissions(folder + "/readonly.lng", QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QVERIFY(QFile::link(folder + "/English.lng", folder + "/link.lng"));
    QVERIFY(QDir(folder).mkdir("folder.lng"));

    const QStringList list = Build_Lang_List(folder);
    QCOMPARE(list.size(), 5);
    QVERIFY(list.contains(".Hidden.lng"));
    QStringList ordered = list;
    ordered.removeAll(".Hidden.lng");
    QCOMPARE(ordered, (QStringList{"deutsch.lng", "English.lng", "francais.lng", "ITALIANO.LNG"}));

    Start();
    FSoftOptions->show();
    QCOMPARE(FSoftOptions->SL_Languages, list);
    QVERIFY(Page_State().startsWith("Page 1 / 1 ["));
    QVERIFY(Page_State().contains("deutsch,English,francais,ITALIANO"));
}

void TestSoftOptions::flags_data()
{
    QTest::addColumn<bool>("own");          // Deutsch.bmp: blue, or unreadable when false
    QTest::addColumn<QByteArray>("ownBytes");
    QTest::addColumn<bool>("fallback");     // a red DefaultFlag.bmp
    QTest::addColumn<QColor>("shown");      // invalid: no picture
    QTest::addColumn<QString>("folder");    // a folder bearing a picture's name
    QTest::newRow("own flag") << true << Bmp(Qt::blue) << true << QColor(Qt::blue) << QString();
    QTest::newRow("default flag") << false << QByteArray() << true << QColor(Qt::red) << QString();
    QTest::newRow("no flag at all") << false << QByteArray() << false << QColor() << QString();
    QTest::newRow("unreadable own flag") << true << QByteArray("not a picture") << true << QColor() << QString();
    QTest::newRow("own flag is a folder") << false << QByteArray() << true << QColor(Qt::red) << "Deutsch.bmp";
    QTest::newRow("default flag is a folder") << false << QByteArray() << false << QColor() << "DefaultFlag.bmp";
}

void TestSoftOptions::flags()
{
    QFETCH(bool, own);
    QFETCH(QByteArray, ownBytes);
    QFETCH(bool, fallback);
    QFETCH(QColor, shown);
    QFETCH(QString, folder);
    env->Write_File("LANGUAGE/Deutsch.lng", German);
    if (!folder.isEmpty())
        QVERIFY(QDir(env->Folder()).mkpath("LANGUAGE/" + folder));
    if (own)
        env->Write_File("LANGUAGE/Deutsch.bmp", ownBytes);
    if (fallback)
        env->Write_File("LANGUAGE/DefaultFlag.bmp", Bmp(Qt::red));
    Start();
    FSoftOptions->show();
    QVERIFY(!FSoftOptions->L_L[0]->isHidden());
    QCOMPARE(FSoftOptions->L_L[0]->text(), QStringLiteral("Deutsch"));
    QCOMPARE(FSoftOptions->I_L[0]->isHidden(), !shown.isValid());
    if (shown.isValid())
        QCOMPARE(Flag_Colour(0), shown);
    QVERIFY(platform.Errors.isEmpty());
    if (!folder.isEmpty())
        QVERIFY(!Flag_File(Path_Language, QStringLiteral("Deutsch")).endsWith(folder));
}

void TestSoftOptions::language_change_no_yes_cancel()
{
    env->Write_File("LANGUAGE/Deutsch.lng", German);
    env->Write_File("LANGUAGE/English.lng", "STR0 = Begin\r\n");
    Start();
    FSoftOptions->show();
    QCOMPARE(FSoftOptions->L_L[0]->text(), QStringLiteral("Deutsch"));

    platform.Answers = {false};
    QTest::mouseClick(FSoftOptions->L_L[0], Qt::LeftButton);
    QCOMPARE(platform.Questions,
             QStringList{"Do you want to change the Language from English to Deutsch?"});
    QCOMPARE(Lang(17), QStringLiteral("Update Device"));
    QCOMPARE(FVelmoraeFirmWare->Btn_CreateBin->Caption(), QStringLiteral("Update Device"));
    QCOMPARE(FSoftOptions->Language_In_Use, QStringLiteral("English"));

    platform.Answers = {true};
    QTest::mouseClick(FSoftOptions->I_L[0], Qt::LeftButton);
    QCOMPARE(platform.Questions.size(), 2);
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
    platform.Answers = {false};
    QTest::mouseClick(FSoftOptions->L_L[0], Qt::LeftButton);
    QCOMPARE(platform.Questions.last(), QStringLiteral("Sprache von English zu Deutsch wechseln?"));
    QVERIFY(platform.Errors.isEmpty());
}

void TestSoftOptions::same_language_still_asks()
{
    env->Write_File("LANGUAGE/English.lng", "STR17 = Refresh Device\r\n");
    Start();
    QCOMPARE(Lang(17), QStringLiteral("Refresh Device"));
    Lang_Strings[17] = QStringLiteral("changed");
    FSoftOptions->show();
    platform.Answers = {true};
    // The names are reached with the keyboard too.
    QVERIFY(FSoftOptions->L_L[0]->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(FSoftOptions->L_L[0], Qt::Key_Return);
    QCOMPARE(platform.Questions,
             QStringList{"Do you want to change the Language from English to English?"});
    QCOMPARE(Lang(17), QStringLiteral("Refresh Device"));
}

void TestSoftOptions::ok_stores_the_language_through_main_window()
{
    env->Write_File("LANGUAGE/Deutsch.lng", German);
    Start();
    When_Modal_Shows([this](QWidget *modal) {
        QCOMPARE(modal, static_cast<QWidget *>(FSoftOptions));
        platform.Answers = {true};
        QTest::mouseClick(FSoftOptions->L_L[0], Qt::LeftButton);
        QTest::mouseClick(FSoftOptions->Btn_OK, Qt::LeftButton);
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Opz, Qt::LeftButton);
    QCOMPARE(FSoftOptions->result(), int(QDialog::Accepted));
    QCOMPARE(Language, QStringLiteral("Deutsch"));
    QVERIFY(env->Read_File("Velmora.xml").contains("<language>Deutsch</language>"));
    QVERIFY(platform.Errors.isEmpty());
}

void TestSoftOptions::extension_in_capitals_is_the_file_loaded()
{
    env->Write_File("LANGUAGE/Deutsch.LNG", German);
    Start();
    Run_Options([this] {
        platform.Answers = {true};
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

void TestSoftOptions::unreadable_language_file()
{
    env->Write_File("LANGUAGE/Deutsch.lng", German);
    env->Write_File("LANGUAGE/Zulu.lng", "STR17 = Zulu\r\n");
    Start();
    Run_Options([this] {
        // Chosen, then the file turns into something that cannot be read.
        const QString path = env->Folder() + "/LANGUAGE/Zulu.lng";
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        platform.Answers = {true};
        QTest::mouseClick(FSoftOptions->L_L[1], Qt::LeftButton);
        QCOMPARE(platform.Errors.size(), 1);
        QVERIFY2(platform.Errors.at(0).contains("Zulu.lng"), qPrintable(platform.Errors.at(0)));
        QCOMPARE(Lang(17), QStringLiteral("Update Device"));
        QCOMPARE(Lang_Count, 800);
        QCOMPARE(Language, QStringLiteral("English"));
        QCOMPARE(FSoftOptions->Language_In_Use, QStringLiteral("English"));
        QVERIFY(FSoftOptions->isVisible());

        // Still usable: another language, then OK.
        platform.Answers = {true};
        QTest::mouseClick(FSoftOptions->L_L[0], Qt::LeftButton);
        QCOMPARE(Lang(17), QStringLiteral("Gerät aktualisieren"));
        QTest::mouseClick(FSoftOptions->Btn_OK, Qt::LeftButton);
    });
    QCOMPARE(Language, QStringLiteral("Deutsch"));
}

void TestSoftOptions::page_label_survives_language_change()
{
    for (const char *name : {"A", "B", "C", "D", "E", "F"})
        env->Write_File(QStringLiteral("LANGUAGE/%1.lng").arg(name), "STR0 = x\r\n");
    env->Write_File("LANGUAGE/Zz.lng", German);
    Start();
    FSoftOptions->show();
    QTest::mouseClick(FSoftOptions->Btn_Next, Qt::LeftButton);
    platform.Answers = {true};
    QTest::mouseClick(FSoftOptions->L_L[0], Qt::LeftButton);
    QCOMPARE(Page_State(), QStringLiteral("Seite 2 / 2 [Zz] <"));
}

void TestSoftOptions::connection_controls_data()
{
    QTest::addColumn<bool>("internet");
    QTest::addColumn<bool>("update");
    QTest::addColumn<bool>("updateEnabled");
    QTest::addColumn<bool>("checkEnabled");
    QTest::newRow("neither") << false << false << false << false;
    QTest::newRow("update only") << false << true << false << false;
    QTest::newRow("internet only") << true << false << true << false;
    QTest::newRow("both") << true << true << true << true;
}

void TestSoftOptions::connection_controls()
{
    QFETCH(bool, internet);
    QFETCH(bool, update);
    QFETCH(bool, updateEnabled);
    QFETCH(bool, checkEnabled);
    Start();
    // Shown once with the opposite states, so showing again must change them.
    Enable_Internet = !internet;
    Enable_Update = !update;
    FSoftOptions->show();
    FSoftOptions->hide();
    Enable_Internet = internet;
    Enable_Update = update;
    FSoftOptions->show();
    QCOMPARE(FSoftOptions->CB_En_Con->isChecked(), internet);
    QCOMPARE(FSoftOptions->CB_Update->isChecked(), update);
    QCOMPARE(FSoftOptions->CB_Update->isEnabled(), updateEnabled);
    QCOMPARE(FSoftOptions->Btn_Check_Update->isEnabled(), checkEnabled);

    // Ticking the internet box with the update box ticked enables both.
    FSoftOptions->CB_Update->setChecked(true);
    QTest::mouseClick(FSoftOptions->CB_En_Con, Qt::LeftButton);
    QCOMPARE(FSoftOptions->CB_En_Con->isChecked(), !internet);
    QCOMPARE(FSoftOptions->CB_Update->isEnabled(), !internet);
    QCOMPARE(FSoftOptions->Btn_Check_Update->isEnabled(), !internet);
}

void TestSoftOptions::check_by_hand_data()
{
    QTest::addColumn<QByteArray>("answer"); // empty: nothing listens
    QTest::addColumn<bool>("newer");
    QTest::newRow("newer") << Http_Answer("200 OK", "VER. 1.200") << true;
    QTest::newRow("none offered") << Http_Answer("200 OK", "VER. 0.000") << false;
    QTest::newRow("error status") << Http_Answer("503 Service Unavailable", "") << false;
    QTest::newRow("refused") << QByteArray() << false;
}

void TestSoftOptions::check_by_hand()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, newer);
    TTestHttpServer server;
    Serve(platform, server, answer);
    Start();
    Enable_Internet = true;
    Enable_Update = true;
    FSoftOptions->show();
    FSoftOptions->PC_Options->setCurrentWidget(FSoftOptions->TS_Con_Options);
    QVERIFY(FSoftOptions->LL_Check_Update->isHidden());
    QTest::mouseClick(FSoftOptions->Btn_Check_Update, Qt::LeftButton);
    QLabel *result = FSoftOptions->LL_Check_Update;
    QVERIFY(!result->isHidden());
    if (newer) {
        QCOMPARE(result->text(), Link_Html(Download_Page_Url(platform.Web_Base()), Lang(314)));
        QTest::mouseClick(result, Qt::LeftButton, {}, QPoint(4, result->height() / 2));
        QCOMPARE(platform.Opened_Urls, QStringList{Download_Page_Url(platform.Web_Base())});
        QVERIFY(Download_Page_Url(platform.Web_Base()).endsWith("/Home/download/download.asp#QH40318"));
    } else {
        QCOMPARE(result->text(), QStringLiteral("No Update Available"));
        QCOMPARE(result->textFormat(), Qt::PlainText);
    }
    QVERIFY(platform.Errors.isEmpty() && platform.Warnings.isEmpty());
    FSoftOptions->hide();
    FSoftOptions->show();
    QVERIFY(FSoftOptions->LL_Check_Update->isHidden());
}

void TestSoftOptions::ok_and_cancel_store_flags()
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

void TestSoftOptions::timer_follows_both_flags_data()
{
    QTest::addColumn<bool>("internet");
    QTest::addColumn<bool>("update");
    QTest::newRow("neither") << false << false;
    QTest::newRow("internet only") << true << false;
    QTest::newRow("update only") << false << true;
    QTest::newRow("both") << true << true;
}

void TestSoftOptions::timer_follows_both_flags()
{
    QFETCH(bool, internet);
    QFETCH(bool, update);
    Write_Settings(internet, update);
    Start();
    QTimer &timer = FVelmoraeFirmWare->Timer_Update;
    QCOMPARE(timer.isActive(), internet && update);
    QCOMPARE(timer.interval(), 60000);
    QVERIFY(FVelmoraeFirmWare->LL_Update->isHidden());
}

void TestSoftOptions::timer_ticks_data()
{
    QTest::addColumn<QByteArray>("answer"); // empty: nothing listens
    QTest::addColumn<bool>("newer");
    QTest::newRow("newer") << Http_Answer("200 OK", "VER. 1.103") << true;
    QTest::newRow("equal") << Http_Answer("200 OK", "VER. 1.102") << false;
    QTest::newRow("refused") << QByteArray() << false;
}

void TestSoftOptions::timer_ticks()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, newer);
    TTestHttpServer server;
    Serve(platform, server, answer);
    Write_Settings(true, true);
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
        QCOMPARE(link->text(), Link_Html(Download_Page_Url(platform.Web_Base()), Lang(19)));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, link->height() / 2));
        QCOMPARE(platform.Opened_Urls, QStringList{Download_Page_Url(platform.Web_Base())});
    }
    QVERIFY(platform.Errors.isEmpty() && platform.Warnings.isEmpty());
}

void TestSoftOptions::options_ok_switches_timer()
{
    Write_Settings(true, true);
    Start();
    QTimer &timer = FVelmoraeFirmWare->Timer_Update;
    platform.Web_Base_Url = QStringLiteral("http://127.0.0.1:%1").arg(Refused_Port());
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

void TestSoftOptions::running_timer_keeps_its_time()
{
    Write_Settings(true, true);
    Start();
    platform.Web_Base_Url = QStringLiteral("http://127.0.0.1:%1").arg(Refused_Port());
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

QTEST_MAIN(TestSoftOptions)
#include "test_soft_options.moc"
