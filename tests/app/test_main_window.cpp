// The main window: first start, saved settings and language, the timer rule, links, names and icons.
#include "TestData.h"
#include "TestEnv.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "params/UParGen.h"
#include "project/UNew_Project.h"
#include "project/UOpenConf.h"
#include "ui/UWidgets.h"
#include "update/UBoot.h"
#include "check/UCheck_Device.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmapCache>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void first_start_in_empty_folder();
    void controls_at_their_places_data();
    void controls_at_their_places();
    void restores_saved_configuration_data();
    void restores_saved_configuration();
    void refuses_without_configuration_data();
    void refuses_without_configuration();
    void timer_rule_data();
    void timer_rule();
    void language_change_updates_labels_at_once();
    void qt_buttons_in_the_language_data();
    void qt_buttons_in_the_language();
    void damaged_settings_warn_and_start();
    void unreadable_language_file_warns_and_keeps_english();
    void close_writes_settings_even_when_it_cannot();
    void maker_link_opens_home_page();
    void buttons_are_accessible();
    void inputs_named_by_their_labels_data();
    void inputs_named_by_their_labels();
    void centred_on_the_screen();
    void texts_shown_literally_data();
    void texts_shown_literally();
    void unstorable_values_refused_data();
    void unstorable_values_refused();
    void icons_drawn_from_pictures_of_their_size();
    void divider_shows_at_every_scale_data();
    void divider_shows_at_every_scale();
};

void TestMainWindow::first_start_in_empty_folder()
{
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    env.Start();
    for (const char *name : {"MASTER", "PROJECTS", "LANGUAGE"})
        QVERIFY(QFileInfo(env.Folder() + QLatin1Char('/') + QLatin1String(name)).isDir());
    QVERIFY(!QFileInfo::exists(env.Folder() + QStringLiteral("/Velmora.xml")));
    TFVelmoraeFirmWare *w = FVelmoraeFirmWare;
    QCOMPARE(w->windowTitle(), QStringLiteral("Kestrixnet - Configurator QV40318 - Serial / Modbus TCP Slave "));
    QCOMPARE(w->L_SW_Code->text(), QStringLiteral("QV40318"));
    QCOMPARE(w->L_SW_Desc->text(), QStringLiteral("Serial / Modbus TCP Slave - Converter"));
    QCOMPARE(w->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    QCOMPARE(w->L_Name_Conf_L2->text(), QStringLiteral("Use Step1 to open or create new configuration"));
    QCOMPARE(w->L_Step_1->text(), QStringLiteral("Step 1"));
    QCOMPARE(w->Btn_CreateBin->Caption(), QStringLiteral("Update Device"));
    QCOMPARE(w->Btn_Prm_Gen->Caption(), QStringLiteral("Set Communication"));
    QCOMPARE(w->Btn_Open->Hint(), QStringLiteral("Open an exists configuration"));
    QCOMPARE(w->Btn_Plant_Overview->Caption(), QStringLiteral("Plant Overview"));
    QCOMPARE(w->Btn_Plant_Overview->Hint(),
             QStringLiteral("See every configuration of the plant at a glance, check their devices and save the commissioning report"));
    QVERIFY(!w->Timer_Update.isActive());
    QCOMPARE(w->Timer_Update.interval(), 60000);
    QVERIFY(!w->LL_Update->isVisible());
    QCOMPARE(Path_Project, QString());
    QCOMPARE(File_ParGen, QStringLiteral("/ParGen.xml"));
    QCOMPARE(Lang_Count, 800);
    QVERIFY(platform.Warnings.isEmpty() && platform.Errors.isEmpty());
    env.Stop();
    const QByteArray saved = env.Read_File(QStringLiteral("Velmora.xml"));
    QVERIFY(saved.startsWith("<Conf_Settings><lastproj><projectname/></lastproj>"));
    QVERIFY(saved.contains("<language>English</language>"));
}

void TestMainWindow::controls_at_their_places_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Btn_Info") << "Btn_Info" << QRect(516, 8, 50, 50);
    QTest::newRow("Btn_Opz") << "Btn_Opz" << QRect(574, 8, 50, 50);
    QTest::newRow("Btn_Close") << "Btn_Close" << QRect(632, 8, 50, 50);
    QTest::newRow("Btn_New") << "Btn_New" << QRect(80, 112, 170, 36);
    QTest::newRow("Btn_Open") << "Btn_Open" << QRect(258, 112, 170, 36);
    QTest::newRow("Btn_Prm_Gen") << "Btn_Prm_Gen" << QRect(80, 156, 170, 36);
    QTest::newRow("Btn_CreateBin") << "Btn_CreateBin" << QRect(80, 200, 170, 36);
    QTest::newRow("Btn_Check_Device") << "Btn_Check_Device" << QRect(80, 244, 170, 36);
    QTest::newRow("Btn_Plant_Overview") << "Btn_Plant_Overview" << QRect(258, 244, 170, 36);
    QTest::newRow("Shape2") << "Shape2" << QRect(80, 70, 348, 36);
    QTest::newRow("Shape1") << "Shape1" << QRect(10, 295, 674, 1);
}

void TestMainWindow::controls_at_their_places()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    TTestEnv env;
    env.Start();
    QWidget *control = FVelmoraeFirmWare->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(FVelmoraeFirmWare->size(), QSize(694, 396));
    for (const char *label : {"L_SW_Code", "L_SW_Desc", "L_Begin", "L_Name_Conf", "L_Name_Conf_L2",
                              "L_Step_1", "L_Step_2", "L_Step_3", "L_Step_4", "L_Kestrix", "LL_Update"})
        QVERIFY2(FVelmoraeFirmWare->findChild<QLabel *>(QLatin1String(label)), label);
    // The web address ends where the icon buttons end.
    QCOMPARE(FVelmoraeFirmWare->L_Kestrix->y(), 216);
    QCOMPARE(FVelmoraeFirmWare->L_Kestrix->geometry().right(),
             FVelmoraeFirmWare->Btn_Close->geometry().right());
}

void TestMainWindow::restores_saved_configuration_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("open");
    QTest::newRow("folder exists") << "Line 4" << "Line 4" << true;
    QTest::newRow("plain file of that name") << "notes.txt" << "" << false;
    QTest::newRow("folder missing") << "Gone" << "" << false;
    QTest::newRow("parent folder name") << ".." << "" << false;
    QTest::newRow("path with separator") << "../PROJECTS" << "" << false;
    QTest::newRow("empty name") << "" << "" << false;
}

void TestMainWindow::restores_saved_configuration()
{
    QFETCH(QString, saved);
    QFETCH(QString, folder);
    QFETCH(bool, open);
    TTestEnv env;
    env.Write_File(QStringLiteral("Velmora.xml"), Settings_Xml(saved));
    if (!folder.isEmpty())
        QVERIFY(QDir(env.Folder()).mkpath(QStringLiteral("PROJECTS/") + folder));
    env.Write_File(QStringLiteral("PROJECTS/notes.txt"), "not a configuration");
    env.Start();
    QCOMPARE(Name_Project, saved);
    if (open) {
        QCOMPARE(Path_Project, env.Folder() + QStringLiteral("/PROJECTS/") + folder);
        QCOMPARE(File_ParGen, Path_Project + QStringLiteral("/ParGen.xml"));
        QCOMPARE(FVelmoraeFirmWare->L_Name_Conf->text(), QStringLiteral("Opened Configuration of the Converter : "));
        QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), saved);
    } else {
        QCOMPARE(Path_Project, QString());
        QCOMPARE(FVelmoraeFirmWare->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    }
    env.Stop();
    // The saved name is written back whether or not it could be opened.
    QVERIFY(env.Read_File(QStringLiteral("Velmora.xml")).contains(
        saved.isEmpty() ? QByteArray("<projectname/>")
                        : "<projectname>" + saved.toUtf8() + "</projectname>"));
}

void TestMainWindow::refuses_without_configuration_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Set Communication") << "Btn_Prm_Gen";
    QTest::newRow("Update Device") << "Btn_CreateBin";
    QTest::newRow("Check Device") << "Btn_Check_Device";
}

void TestMainWindow::refuses_without_configuration()
{
    QFETCH(QString, button);
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    env.Start();
    FVelmoraeFirmWare->show();
    auto *target = FVelmoraeFirmWare->findChild<TImageButton *>(button);
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton);
    QCOMPARE(platform.Errors, QStringList{QStringLiteral("Error! Project not Valid")});
    QVERIFY(!FParGen->isVisible());
    QVERIFY(!FBoot->isVisible() && !FCheck_Device);
    QVERIFY(!QFileInfo::exists(env.Folder() + QStringLiteral("/PROJECTS/bin")));
    // Keyboard users get the same answer.
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Space);
    QCOMPARE(platform.Errors.size(), 2);
}

void TestMainWindow::timer_rule_data()
{
    QTest::addColumn<bool>("internet");
    QTest::addColumn<bool>("update");
    QTest::addColumn<bool>("active");
    QTest::newRow("both") << true << true << true;
    QTest::newRow("internet only") << true << false << false;
    QTest::newRow("update only") << false << true << false;
    QTest::newRow("none") << false << false << false;
}

void TestMainWindow::timer_rule()
{
    QFETCH(bool, internet);
    QFETCH(bool, update);
    QFETCH(bool, active);
    TTestEnv env;
    env.Write_File(QStringLiteral("Velmora.xml"),
                   Settings_Xml(QString(), QStringLiteral("English"), internet, update));
    env.Start();
    QCOMPARE(FVelmoraeFirmWare->Timer_Update.isActive(), active);
    QCOMPARE(FVelmoraeFirmWare->Timer_Update.interval(), 60000);
    Enable_Internet = !Enable_Internet;
    FVelmoraeFirmWare->Switch_Update_Timer();
    QCOMPARE(FVelmoraeFirmWare->Timer_Update.isActive(), Enable_Internet && Enable_Update);
}

void TestMainWindow::language_change_updates_labels_at_once()
{
    TTestEnv env;
    env.Write_File(QStringLiteral("LANGUAGE/Italiano.lng"),
                   QString::fromUtf8("\xEF\xBB\xBFSTR1 = Passo 1\nSTR11 = Aperta : \nSTR17 = Aggiorna Dispositivo\n").toUtf8());
    QVERIFY(QDir(env.Folder()).mkpath(QStringLiteral("PROJECTS/P")));
    env.Write_File(QStringLiteral("Velmora.xml"), Settings_Xml(QStringLiteral("P")));
    env.Start();
    QCOMPARE(FVelmoraeFirmWare->L_Step_1->text(), QStringLiteral("Step 1"));
    Language = QStringLiteral("Italiano");
    QVERIFY(Select_Language(Language));
    FVelmoraeFirmWare->Change_Language(Language);
    QCOMPARE(FVelmoraeFirmWare->L_Step_1->text(), QStringLiteral("Passo 1"));
    QCOMPARE(FVelmoraeFirmWare->Btn_CreateBin->Caption(), QStringLiteral("Aggiorna Dispositivo"));
    QCOMPARE(FVelmoraeFirmWare->Btn_CreateBin->accessibleName(), QStringLiteral("Aggiorna Dispositivo"));
    // The active-configuration box follows at once too.
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf->text(), QStringLiteral("Aperta :"));
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), QStringLiteral("P"));
    env.Stop();
    QVERIFY(env.Read_File(QStringLiteral("Velmora.xml")).contains("<language>Italiano</language>"));
}

void TestMainWindow::qt_buttons_in_the_language_data()
{
    QTest::addColumn<QString>("started");   // the language saved at start
    QTest::addColumn<QString>("chosen");    // then chosen, or "" for none
    QTest::addColumn<QStringList>("buttons");   // Yes and No of a confirmation
    QTest::newRow("Deutsch at start") << "Deutsch" << "" << QStringList{"&Ja", "&Nein"};
    QTest::newRow("Italiano chosen") << "English" << "Italiano" << QStringList{"&S\u00ec", "&No"};
    QTest::newRow("Fran\u00e7ais chosen") << "English" << QString::fromUtf8("Fran\u00e7ais") << QStringList{"&Oui", "&Non"};
    QTest::newRow("Espa\u00f1ol chosen") << "Deutsch" << QString::fromUtf8("Espa\u00f1ol") << QStringList{"&S\u00ed", "&No"};
    QTest::newRow("English chosen again") << "Deutsch" << "English" << QStringList{"&Yes", "&No"};
    // A language Qt has no translation of: its own English.
    QTest::newRow("a language of one's own") << "Deutsch" << "Vecchio" << QStringList{"&Yes", "&No"};
}

// The confirmation box's buttons (Qt's own texts) speak the language the
// program starts in or changes to, from the program folder's translations.
void TestMainWindow::qt_buttons_in_the_language()
{
    QFETCH(QString, started);
    QFETCH(QString, chosen);
    QFETCH(QStringList, buttons);
    TTestEnv env;
    const QString dist = qEnvironmentVariable("VELMORA_DIST_DIR");
    for (const QString &file : {QStringLiteral("LANGUAGE/Deutsch.lng"), QStringLiteral("LANGUAGE/Italiano.lng"),
                                QStringLiteral("LANGUAGE/Fran\u00e7ais.lng"), QStringLiteral("LANGUAGE/Espa\u00f1ol.lng")}) {
        QFile shipped(Join_Path(dist, file));
        QVERIFY2(shipped.open(QIODevice::ReadOnly), qPrintable(shipped.fileName()));
        env.Write_File(file, shipped.readAll());
    }
    env.Write_File(QStringLiteral("LANGUAGE/Vecchio.lng"), "STR17 = Aggiorna\n");
    QVERIFY(QDir(env.Folder()).mkpath(QStringLiteral("translations")));
    for (const QString &code : {QStringLiteral("de"), QStringLiteral("es"), QStringLiteral("fr"), QStringLiteral("it")}) {
        const QString name = QStringLiteral("translations/qtbase_%1.qm").arg(code);
        QVERIFY2(QFile::copy(Join_Path(dist, name), env.Path(name)), qPrintable(name));
    }
    env.Write_File(QStringLiteral("Velmora.xml"), Settings_Xml(QString(), started));
    env.Start();
    if (!chosen.isEmpty()) {
        Language = chosen;
        QVERIFY(Select_Language(Language));
        FVelmoraeFirmWare->Change_Language(Language);
    }
    QStringList shown;
    When_Modal_Shows([&shown](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            shown = QStringList{box->button(QMessageBox::Yes)->text(), box->button(QMessageBox::No)->text()};
        modal->close();
    });
    // The real box, not the test double's record of it.
    env.Platform.TPlatform::Confirm_Box(FVelmoraeFirmWare, QStringLiteral("?"));
    QCOMPARE(shown, buttons);
}

void TestMainWindow::damaged_settings_warn_and_start()
{
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    const QByteArray damaged = "<Conf_Settings><lastproj>";
    env.Write_File(QStringLiteral("Velmora.xml"), damaged);
    env.Write_File(QStringLiteral("Velmora.xml.damaged"), "kept from an older start");
    env.Start();
    QCOMPARE(platform.Warnings.size(), 1);
    QVERIFY(platform.Warnings.first().contains(QStringLiteral("Velmora.xml")));
    QVERIFY(platform.Warnings.first().contains(QStringLiteral("Velmora.xml.damaged")));
    QCOMPARE(Language, QStringLiteral("English"));
    QCOMPARE(FVelmoraeFirmWare->L_Step_3->text(), QStringLiteral("Step 3"));
    // The defaults written at close never take the user's only copy.
    env.Stop();
    QCOMPARE(env.Read_File(QStringLiteral("Velmora.xml.damaged")), damaged);
    QCOMPARE(env.Read_File(QStringLiteral("Velmora.xml.damaged.1")), QByteArray("kept from an older start"));
    QVERIFY(env.Read_File(QStringLiteral("Velmora.xml")).startsWith("<Conf_Settings><lastproj><projectname/>"));
}

void TestMainWindow::unreadable_language_file_warns_and_keeps_english()
{
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    QVERIFY(QDir(env.Folder()).mkpath(QStringLiteral("LANGUAGE/Deutsch.lng")));
    QVERIFY(QDir(env.Folder()).mkpath(QStringLiteral("PROJECTS/P")));
    env.Write_File(QStringLiteral("Velmora.xml"), Settings_Xml(QStringLiteral("P"), QStringLiteral("Deutsch")));
    env.Start();
    QCOMPARE(platform.Warnings.size(), 1);
    QVERIFY(platform.Warnings.first().contains(QStringLiteral("Deutsch.lng")));
    QCOMPARE(FVelmoraeFirmWare->L_Step_2->text(), QStringLiteral("Step 2"));
    // The rest of the first state still ran.
    QCOMPARE(Path_Project, env.Folder() + QStringLiteral("/PROJECTS/P"));
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), QStringLiteral("P"));
}

void TestMainWindow::close_writes_settings_even_when_it_cannot()
{
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    env.Start();
    Last_IP_Address = QStringLiteral("10.0.0.7");
    QVERIFY(QDir(env.Folder()).mkdir(QStringLiteral("Velmora.xml")));
    FVelmoraeFirmWare->show();
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Close, Qt::LeftButton);
    QVERIFY(!FVelmoraeFirmWare->isVisible());
    QCOMPARE(platform.Errors.size(), 1);
    QVERIFY(platform.Errors.first().contains(QStringLiteral("Velmora.xml")));
    QVERIFY(QDir(env.Folder()).rmdir(QStringLiteral("Velmora.xml")));
    QVERIFY(FVelmoraeFirmWare->Save_Settings_Reported());
    QVERIFY(env.Read_File(QStringLiteral("Velmora.xml")).contains("<ipaddress>10.0.0.7</ipaddress>"));
}

void TestMainWindow::maker_link_opens_home_page()
{
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    env.Start();
    FVelmoraeFirmWare->show();
    QTest::mouseClick(FVelmoraeFirmWare->L_Kestrix, Qt::LeftButton);
    QCOMPARE(platform.Opened_Urls.size(), 1);
    QVERIFY(platform.Opened_Urls.first().endsWith(QStringLiteral("/HOME/default.asp?frompg=QV40318")));
    QVERIFY(platform.Opened_Urls.first().startsWith(QStringLiteral("http://") + Maker_Host));
    QVERIFY(FVelmoraeFirmWare->L_Kestrix->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(FVelmoraeFirmWare->L_Kestrix, Qt::Key_Return);
    QCOMPARE(platform.Opened_Urls.size(), 2);
}

void TestMainWindow::buttons_are_accessible()
{
    TTestEnv env;
    env.Start();
    for (TImageButton *button : FVelmoraeFirmWare->findChildren<TImageButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        QVERIFY2(!button->accessibleName().trimmed().isEmpty(), qPrintable(button->objectName()));
        QVERIFY2(!button->toolTip().isEmpty(), qPrintable(button->objectName()));
        QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
    }
    QCOMPARE(FVelmoraeFirmWare->Btn_Info->accessibleName(), QStringLiteral("Information"));
}

void TestMainWindow::inputs_named_by_their_labels_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("new name") << "FNew_Project" << "E_New_Proj" << "Name of the new Configuration";
    QTest::newRow("open list") << "FOpenConf" << "ListBox1" << "List of Avaliable Configurations";
    QTest::newRow("baud rate") << "FParGen" << "CB_Serial_Baud" << "Baudrate";
    QTest::newRow("time-out") << "FParGen" << "E_Serial_TimeOut" << "TimeOut Data RX";
    QTest::newRow("device address") << "FParGen" << "E_ModbusTCPSlave_IP1" << "IP ADDRESS";
    QTest::newRow("status word") << "FParGen" << "E_ModbusTCPSlave_Status" << "Status Word";
    QTest::newRow("update address") << "FBoot" << "E_IP1" << "Insert the IP Address of Device";
    QTest::newRow("update option") << "FBoot" << "CB_Update_Options" << "Select Update Options";
}

void TestMainWindow::inputs_named_by_their_labels()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    TTestEnv env;
    env.Start();
    auto *dialog = FVelmoraeFirmWare->findChild<QWidget *>(window);
    QVERIFY(dialog);
    auto *input = dialog->findChild<QWidget *>(control);
    QVERIFY(input);
    QAccessibleInterface *access = QAccessible::queryAccessibleInterface(input);
    QVERIFY(access);
    // The reader takes the name, or the label of the "labelled by" relation.
    QStringList labels{access->text(QAccessible::Name)};
    for (const auto &relation : access->relations(QAccessible::Label))
        labels << relation.first->text(QAccessible::Name);
    QVERIFY2(labels.contains(name), qPrintable(labels.join(QLatin1Char('|'))));
}

void TestMainWindow::centred_on_the_screen()
{
    TTestEnv env;
    env.Start();
    FVelmoraeFirmWare->show();
    QVERIFY(QTest::qWaitForWindowExposed(FVelmoraeFirmWare));
    const QPoint offset = FVelmoraeFirmWare->frameGeometry().center()
                          - FVelmoraeFirmWare->screen()->availableGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
}

// What a control shows of text: markup is drawn, not shown.
static QString Shown(const QString &text, bool markup)
{
    if (!markup)
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

void TestMainWindow::texts_shown_literally_data()
{
    QTest::addColumn<int>("entry");          // -1: the text is a configuration's name
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("hint");          // the tooltip, else the label's text
    QTest::newRow("configuration name") << -1 << "<b>Plant" << "FVelmoraeFirmWare" << "L_Name_Conf_L2" << false;
    QTest::newRow("label") << 0 << "<u>Begin</u> &amp;" << "FVelmoraeFirmWare" << "L_Begin" << false;
    QTest::newRow("button hint") << 12 << "<i>Info</i>" << "FVelmoraeFirmWare" << "Btn_Info" << true;
    QTest::newRow("field hint") << 621 << "<b>first</b>  byte" << "FBoot" << "E_IP1" << true;
    QTest::newRow("dialog label") << 202 << "<h1>List</h1>" << "FOpenConf" << "Label1" << false;
}

void TestMainWindow::texts_shown_literally()
{
    QFETCH(int, entry);
    QFETCH(QString, text);
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(bool, hint);
    TTestEnv env;
    if (entry < 0) {
#ifdef Q_OS_WIN
        QSKIP("no Windows folder name holds < or >, so no configuration's name reads as markup there");
#endif
        QVERIFY(QDir(env.Folder()).mkpath(QStringLiteral("PROJECTS/") + text));
        env.Write_File(QStringLiteral("Velmora.xml"), Settings_Xml(text));
    } else {
        env.Write_File(QStringLiteral("LANGUAGE/English.lng"),
                       QStringLiteral("STR%1 = %2\n").arg(entry).arg(text).toUtf8());
    }
    env.Start();
    QWidget *top = window == QLatin1String("FVelmoraeFirmWare")
                       ? static_cast<QWidget *>(FVelmoraeFirmWare)
                       : FVelmoraeFirmWare->findChild<QWidget *>(window);
    QVERIFY(top);
    QWidget *target = top->findChild<QWidget *>(control);
    QVERIFY(target);
    if (hint) {
        QCOMPARE(Shown(target->toolTip(), Qt::mightBeRichText(target->toolTip())), text);
    } else {
        auto *label = qobject_cast<QLabel *>(target);
        QVERIFY(label);
        const bool markup = label->textFormat() == Qt::RichText
                            || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
        QCOMPARE(Shown(label->text(), markup), text);
    }
}

void TestMainWindow::unstorable_values_refused_data()
{
    QTest::addColumn<bool>("settings");      // else the configuration's ParGen.xml
    QTest::newRow("settings file") << true;
    QTest::newRow("parameter file") << false;
}

void TestMainWindow::unstorable_values_refused()
{
    QFETCH(bool, settings);
    TTestEnv env;
    TTestPlatform &platform = env.Platform;
    QVERIFY(QDir(env.Folder()).mkpath(QStringLiteral("PROJECTS/P/bin")));
    const QByteArray oldParameters = "<Par_Gen><ModbusTCPSlave_Port>503</ModbusTCPSlave_Port></Par_Gen>";
    env.Write_File(QStringLiteral("PROJECTS/P/ParGen.xml"), oldParameters);
    const QByteArray oldSettings = Settings_Xml(QStringLiteral("P"));
    env.Write_File(QStringLiteral("Velmora.xml"), oldSettings);
    env.Start();
    const QString file = settings ? QStringLiteral("Velmora.xml") : QStringLiteral("PROJECTS/P/ParGen.xml");
    if (settings) {
        // A folder name from the disk, which the Open dialog lists as it is.
        Name_Project = QStringLiteral("Line\u0001");
        QVERIFY(!FVelmoraeFirmWare->Save_Settings_Reported());
    } else {
        FParGen->show();
        // A field that no check looks at.
        QLineEdit *timeOut = FParGen->E_Serial_TimeOut;
        // The field takes no such character, typed or pasted...
        timeOut->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("5\u0001"));
        timeOut->paste();
        QCOMPARE(timeOut->text(), QStringLiteral("0"));
        // ...and a value that holds one anyway is never written.
        timeOut->setText(QStringLiteral("5\u0001"));
        FParGen->Btn_OKClick();
        QVERIFY(FParGen->isVisible());
        FParGen->hide();
    }
    QCOMPARE(platform.Errors.size(), 1);
    QVERIFY2(platform.Errors.first().contains(QDir::toNativeSeparators(env.Path(file)))
                 && platform.Errors.first().contains(QStringLiteral("U+0001")),
             qPrintable(platform.Errors.first()));
    QCOMPARE(env.Read_File(file), settings ? oldSettings : oldParameters);
}

// Every image button of the seven windows finds a picture made for exactly the
// side it draws at, in single and double density, so no icon is scaled.
void TestMainWindow::icons_drawn_from_pictures_of_their_size()
{
    TTestEnv env;
    env.Start();
    int buttons = 0;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        for (TImageButton *button : window->findChildren<TImageButton *>()) {
            if (button->Icon().isNull())
                continue;
            ++buttons;
            const int side = button->Icon_Side();
            const QList<QSize> sizes = button->Icon().availableSizes();
            QVERIFY2(sizes.contains(QSize(side, side)) && sizes.contains(QSize(2 * side, 2 * side)),
                     qPrintable(QStringLiteral("%1 at %2").arg(button->objectName()).arg(side)));
        }
    }
    QVERIFY(buttons >= 12);
    QVERIFY(Program_Icon(QStringLiteral(":/icons/none.svg")).isNull());

    // One icon for every button that shows it, its picture decoded when first drawn.
    TImageButton *ok = FNew_Project->Btn_OK;
    QCOMPARE(FOpenConf->Btn_OK->Icon().cacheKey(), ok->Icon().cacheKey());
    const QString picture = QStringLiteral(":/icons/ok-%1.png").arg(ok->Icon_Side());
    QPixmap decoded;
    QVERIFY(!QPixmapCache::find(picture, &decoded));
    ok->grab();
    QVERIFY(QPixmapCache::find(picture, &decoded));
    QCOMPARE(decoded.size(), QSize(ok->Icon_Side(), ok->Icon_Side()));

    // Above its largest picture an icon is that picture scaled smoothly to the size asked.
    const QSize largest = ok->Icon().availableSizes().constLast();
    const QSize asked = largest * 3 / 2;
    QPixmap biggest(QStringLiteral(":/icons/ok-%1@2x.png").arg(largest.width() / 2));
    QCOMPARE(biggest.size(), largest);
    biggest.setDevicePixelRatio(1);
    QCOMPARE(ok->Icon().pixmap(asked).toImage(),
             biggest.scaled(asked, Qt::KeepAspectRatio, Qt::SmoothTransformation).toImage());
}

void TestMainWindow::divider_shows_at_every_scale_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("125 %") << 1.25;
    QTest::newRow("150 %") << 1.5;
    QTest::newRow("200 %") << 2.0;
}

void TestMainWindow::divider_shows_at_every_scale()
{
    QFETCH(qreal, scale);
    TTestEnv env;
    env.Start();
    TFVelmoraeFirmWare *w = FVelmoraeFirmWare;
    QImage image(w->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    w->render(&image);
    // Some pixel of the divider's band, in the middle of the line, is dark.
    const QRect band = w->Shape1->geometry();
    int darkest = 255;
    for (int y = int(band.top() * scale); y < qCeil((band.bottom() + 1) * scale); ++y)
        darkest = qMin(darkest, qGray(image.pixel(int(band.center().x() * scale), y)));
    QVERIFY2(darkest < 128, qPrintable(QString::number(darkest)));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
