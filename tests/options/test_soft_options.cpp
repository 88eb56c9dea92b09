// The Software Options dialog built on its own over a real program folder:
// language pages, the change of language, the connection controls and the
// check by hand. What the main window does with its choices is in
// tests/app/test_options_workflow.
#include "TestData.h"
#include "TestDialogs.h"
#include "TestHttpServer.h"

#include "common/UComon.h"
#include "common/UVersion.h"
#include "lang/ULang.h"
#include "options/ULang_List.h"
#include "options/USoftOptions.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTabWidget>
#include <QtTest>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
// A symbolic link; QFile::link would make a shell shortcut on Windows, which
// is an ordinary file there.
bool Make_Link(const QString &target, const QString &link)
{
#ifdef Q_OS_WIN
    const QString native_target = QDir::toNativeSeparators(target);
    const QString native_link = QDir::toNativeSeparators(link);
    return CreateSymbolicLinkW(reinterpret_cast<LPCWSTR>(native_link.utf16()),
                               reinterpret_cast<LPCWSTR>(native_target.utf16()),
                               SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
#else
    return QFile::link(target, link);
#endif
}

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

// Page label, the names on view, then "<" and ">" for the paging buttons shown.
QString Page_State(const TFSoftOptions *d)
{
    QStringList names;
    for (QLabel *label : d->L_L)
        if (!label->isHidden())
            names.append(label->text());
    QString state = d->L_Page_Lang->text() + " [" + names.join(',') + "]";
    if (!d->Btn_Prev->isHidden())
        state += " <";
    if (!d->Btn_Next->isHidden())
        state += " >";
    return state;
}

QColor Flag_Colour(const TFSoftOptions *d, int slot)
{
    return d->I_L[slot]->pixmap().toImage().pixelColor(1, 1);
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
    void same_language_still_asks();
    void page_label_survives_language_change();
    void connection_controls_data();
    void connection_controls();
    void check_by_hand_data();
    void check_by_hand();

private:
    // Builds the dialog over the files written so far.
    void Start();

    std::optional<TDialog_Env<TFSoftOptions>> env;
    TTestPlatform *platform = nullptr;
    TFSoftOptions *dialog = nullptr;
};

void TestSoftOptions::init()
{
    env.emplace();
    platform = &env->Platform;
}

void TestSoftOptions::cleanup()
{
    env.reset();
    dialog = nullptr;
}

void TestSoftOptions::Start()
{
    dialog = env->Build();
    // A chosen language reaches the dialog's own texts through the main window.
    connect(dialog, &TFSoftOptions::Language_Chosen, dialog, &TFSoftOptions::Set_Lang);
    platform->Clear();
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
    dialog->show();
    QCOMPARE(dialog->PC_Options->currentWidget(), dialog->TS_Language);
    QCOMPARE(dialog->L_Sel_Lang->text(), QStringLiteral("Selected Language : English"));
    QCOMPARE(Page_State(dialog), states.at(0));
    QTest::mouseClick(dialog->Btn_Next, Qt::LeftButton);
    QCOMPARE(Page_State(dialog), states.at(1));
    dialog->Btn_NextClick(dialog->Btn_Next);
    QCOMPARE(Page_State(dialog), states.at(2));
    dialog->Btn_NextClick(dialog->Btn_Prev);
    QCOMPARE(Page_State(dialog), states.at(3));
}

void TestSoftOptions::offered_files()
{
    for (const char *name : {"francais.lng", "English.lng", "deutsch.lng", "ITALIANO.LNG",
                             ".Hidden.lng", "readonly.lng", "notes.txt", "old.lng.bak"})
        env->Write_File(QStringLiteral("LANGUAGE/") + name, "STR0 = x\r\n");
    const QString folder = env->Folder() + "/LANGUAGE";
    QFile::setPermissions(folder + "/readonly.lng", QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QVERIFY(Make_Link(folder + "/English.lng", folder + "/link.lng"));
    QVERIFY(QDir(folder).mkdir("folder.lng"));

    const QStringList list = Build_Lang_List(folder);
    QCOMPARE(list.size(), 5);
    QVERIFY(list.contains(".Hidden.lng"));
    QStringList ordered = list;
    ordered.removeAll(".Hidden.lng");
    QCOMPARE(ordered, (QStringList{"deutsch.lng", "English.lng", "francais.lng", "ITALIANO.LNG"}));

    Start();
    dialog->show();
    QCOMPARE(dialog->SL_Languages, list);
    QVERIFY(Page_State(dialog).startsWith("Page 1 / 1 ["));
    QVERIFY(Page_State(dialog).contains("deutsch,English,francais,ITALIANO"));
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
    env->Write_File("LANGUAGE/Deutsch.lng", German_Lng);
    if (!folder.isEmpty())
        QVERIFY(QDir(env->Folder()).mkpath("LANGUAGE/" + folder));
    if (own)
        env->Write_File("LANGUAGE/Deutsch.bmp", ownBytes);
    if (fallback)
        env->Write_File("LANGUAGE/DefaultFlag.bmp", Bmp(Qt::red));
    Start();
    dialog->show();
    QVERIFY(!dialog->L_L[0]->isHidden());
    QCOMPARE(dialog->L_L[0]->text(), QStringLiteral("Deutsch"));
    QCOMPARE(dialog->I_L[0]->isHidden(), !shown.isValid());
    if (shown.isValid())
        QCOMPARE(Flag_Colour(dialog, 0), shown);
    QVERIFY(platform->Errors.isEmpty());
    if (!folder.isEmpty())
        QVERIFY(!Flag_File(Path_Language, QStringLiteral("Deutsch")).endsWith(folder));
}

void TestSoftOptions::same_language_still_asks()
{
    env->Write_File("LANGUAGE/English.lng", "STR17 = Refresh Device\r\n");
    Start();
    QCOMPARE(Lang(17), QStringLiteral("Refresh Device"));
    Lang_Strings[17] = QStringLiteral("changed");
    dialog->show();
    platform->Answers = {true};
    // The names are reached with the keyboard too.
    QVERIFY(dialog->L_L[0]->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(dialog->L_L[0], Qt::Key_Return);
    QCOMPARE(platform->Questions,
             QStringList{"Do you want to change the Language from English to English?"});
    QCOMPARE(Lang(17), QStringLiteral("Refresh Device"));
}

void TestSoftOptions::page_label_survives_language_change()
{
    for (const char *name : {"A", "B", "C", "D", "E", "F"})
        env->Write_File(QStringLiteral("LANGUAGE/%1.lng").arg(name), "STR0 = x\r\n");
    env->Write_File("LANGUAGE/Zz.lng", German_Lng);
    Start();
    dialog->show();
    QTest::mouseClick(dialog->Btn_Next, Qt::LeftButton);
    platform->Answers = {true};
    QTest::mouseClick(dialog->L_L[0], Qt::LeftButton);
    QCOMPARE(Page_State(dialog), QStringLiteral("Seite 2 / 2 [Zz] <"));
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
    dialog->show();
    dialog->hide();
    Enable_Internet = internet;
    Enable_Update = update;
    dialog->show();
    QCOMPARE(dialog->CB_En_Con->isChecked(), internet);
    QCOMPARE(dialog->CB_Update->isChecked(), update);
    QCOMPARE(dialog->CB_Update->isEnabled(), updateEnabled);
    QCOMPARE(dialog->Btn_Check_Update->isEnabled(), checkEnabled);

    // Ticking the internet box with the update box ticked enables both.
    dialog->CB_Update->setChecked(true);
    QTest::mouseClick(dialog->CB_En_Con, Qt::LeftButton);
    QCOMPARE(dialog->CB_En_Con->isChecked(), !internet);
    QCOMPARE(dialog->CB_Update->isEnabled(), !internet);
    QCOMPARE(dialog->Btn_Check_Update->isEnabled(), !internet);
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
    platform->Web_Base_Url = Serve(server, answer);
    Start();
    Enable_Internet = true;
    Enable_Update = true;
    dialog->show();
    dialog->PC_Options->setCurrentWidget(dialog->TS_Con_Options);
    QVERIFY(dialog->LL_Check_Update->isHidden());
    QTest::mouseClick(dialog->Btn_Check_Update, Qt::LeftButton);
    QLabel *result = dialog->LL_Check_Update;
    QVERIFY(!result->isHidden());
    if (newer) {
        QCOMPARE(result->text(), Link_Html(Download_Page_Url(platform->Web_Base()), Lang(314)));
        QTest::mouseClick(result, Qt::LeftButton, {}, QPoint(4, result->height() / 2));
        QCOMPARE(platform->Opened_Urls, QStringList{Download_Page_Url(platform->Web_Base())});
        QVERIFY(Download_Page_Url(platform->Web_Base()).endsWith("/Home/download/download.asp#QH40318"));
    } else {
        QCOMPARE(result->text(), QStringLiteral("No Update Available"));
        QCOMPARE(result->textFormat(), Qt::PlainText);
    }
    QVERIFY(platform->Errors.isEmpty() && platform->Warnings.isEmpty());
    dialog->hide();
    dialog->show();
    QVERIFY(dialog->LL_Check_Update->isHidden());
}

QTEST_MAIN(TestSoftOptions)
#include "test_soft_options.moc"
