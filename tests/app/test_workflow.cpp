// The main window's work with its dialogs: what it opens, and what it does
// with their answers. The dialogs on their own are tested in their folders.

#include "TestDialogs.h"
#include "TestEnv.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "options/UAbout.h"
#include "options/USoftOptions.h"
#include "params/UParGen.h"
#include "project/UNew_Project.h"
#include "project/UOpenConf.h"
#include "update/UBoot.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>
#include <optional>

namespace {

// Drives Create New Configuration through the main window: types name, then
// presses Enter or OK; whatever remains open is cancelled.
struct TNew_Run
{
    QStringList errors_while_open;
    bool still_open_after_ok = false;
    QString field_after_ok;
};

TNew_Run Run_New_Project(TTestPlatform &platform, const QString &name, bool useEnter)
{
    TNew_Run run;
    When_Modal_Shows([&](QWidget *modal) {
        if (modal != FNew_Project)
            return;
        QTest::keyClicks(FNew_Project->E_New_Proj, name);
        if (useEnter)
            QTest::keyClick(FNew_Project->E_New_Proj, Qt::Key_Return);
        else
            QTest::mouseClick(FNew_Project->Btn_OK, Qt::LeftButton);
        run.errors_while_open = platform.Errors;
        run.still_open_after_ok = FNew_Project->isVisible();
        run.field_after_ok = FNew_Project->E_New_Proj->text();
        if (FNew_Project->isVisible())
            QTest::mouseClick(FNew_Project->Btn_Cancel, Qt::LeftButton);
    });
    FVelmoraeFirmWare->Create_New_Project();
    return run;
}

// Drives Open Configuration through the main window.
TOpen_Run Run_Open_Project(const QList<Qt::Key> &keys = {}, bool cancel = false)
{
    return Run_Open_Conf(FOpenConf, [] { FVelmoraeFirmWare->Open_Project(); }, keys, cancel);
}

} // namespace

class TestWorkflow : public QObject
{
    Q_OBJECT
    // Each test starts the program in a new folder.
    std::optional<TTestEnv> env;
    TTestPlatform *platform = nullptr;
private slots:
    void init();
    void cleanup();
    void create_by_enter_and_by_ok_data();
    void create_by_enter_and_by_ok();
    void refusals_keep_dialog_open_data();
    void refusals_keep_dialog_open();
    void cancel_changes_nothing();
    void open_preselects_open_configuration_in_any_case();
    void open_preselects_first_row_data();
    void open_preselects_first_row();
    void keyboard_selection_is_the_result();
    void ok_on_empty_list_closes_configuration();
    void choice_restored_at_next_start_data();
    void choice_restored_at_next_start();
    void about_ok_closes_from_main_window();
    void language_change_reaches_every_dialog();
};

void TestWorkflow::init()
{
    env.emplace();
    platform = &env->Platform;
    env->Start();
}

void TestWorkflow::cleanup()
{
    env.reset();
}

void TestWorkflow::create_by_enter_and_by_ok_data()
{
    QTest::addColumn<bool>("useEnter");
    QTest::newRow("Enter in the name field") << true;
    QTest::newRow("OK button") << false;
}

void TestWorkflow::create_by_enter_and_by_ok()
{
    QFETCH(bool, useEnter);
    env->Make_Configurations({QStringLiteral("Other")});
    // The field starts empty even after an earlier opening left text in it.
    FNew_Project->E_New_Proj->setText(QStringLiteral("left over"));

    const TNew_Run run = Run_New_Project(*platform, QStringLiteral("Line 4"), useEnter);

    QVERIFY(run.errors_while_open.isEmpty());
    QVERIFY(!run.still_open_after_ok);
    QCOMPARE(FNew_Project->result(), int(QDialog::Accepted));
    const QString folder = env->Folder() + QStringLiteral("/PROJECTS/Line 4");
    QCOMPARE(Name_Project, QStringLiteral("Line 4"));
    QCOMPARE(Path_Project, folder);
    QCOMPARE(File_ParGen, folder + QStringLiteral("/ParGen.xml"));
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"bin"});
    QVERIFY(QDir(folder + QStringLiteral("/bin")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf->text(), QStringLiteral("Opened Configuration of the Converter : "));
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), QStringLiteral("Line 4"));
}

void TestWorkflow::refusals_keep_dialog_open_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("entry");
    QTest::newRow("empty") << QString() << 107;
    QTest::newRow("existing") << "Alpha" << 106;
    QTest::newRow("existing in other case") << "aLPHA" << 106;
    QTest::newRow("path") << "../Alpha" << 105;
    QTest::newRow("backslash") << "a\\b" << 105;
    QTest::newRow("reserved device") << "Lpt1.cfg" << 105;
    QTest::newRow("forbidden character") << "a?b" << 105;
    QTest::newRow("trailing dot") << "Site." << 105;
    QTest::newRow("trailing blank") << "Site " << 105;
    QTest::newRow("dot dot") << ".." << 105;
}

void TestWorkflow::refusals_keep_dialog_open()
{
    QFETCH(QString, name);
    QFETCH(int, entry);
    env->Make_Configurations({QStringLiteral("Alpha")});
    const QStringList before = QDir(env->Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QStringList projectsBefore = QDir(Path_Projects).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const TNew_Run run = Run_New_Project(*platform, name, false);

    QCOMPARE(run.errors_while_open, QStringList{Lang(entry)});
    QVERIFY(run.still_open_after_ok);
    QCOMPARE(run.field_after_ok, name);
    QCOMPARE(FNew_Project->result(), int(QDialog::Rejected));
    QCOMPARE(Path_Project, QString());
    QCOMPARE(Name_Project, QString());
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), Lang(10));
    QCOMPARE(QDir(env->Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(QDir(Path_Projects).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), projectsBefore);
}

void TestWorkflow::cancel_changes_nothing()
{
    env->Make_Configurations({QStringLiteral("Alpha"), QStringLiteral("Beta")});
    Run_Open_Project();
    QCOMPARE(Name_Project, QStringLiteral("Alpha"));

    When_Modal_Shows([](QWidget *modal) {
        if (modal != FNew_Project)
            return;
        QTest::keyClicks(FNew_Project->E_New_Proj, QStringLiteral("Gamma"));
        QTest::mouseClick(FNew_Project->Btn_Cancel, Qt::LeftButton);
    });
    FVelmoraeFirmWare->Create_New_Project();
    QVERIFY(!QFileInfo::exists(Join_Path(Path_Projects, QStringLiteral("Gamma"))));

    Run_Open_Project({Qt::Key_Down}, true);
    QCOMPARE(Name_Project, QStringLiteral("Alpha"));
    QCOMPARE(Path_Project, Join_Path(Path_Projects, QStringLiteral("Alpha")));
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), QStringLiteral("Alpha"));
    QVERIFY(platform->Errors.isEmpty());
}

void TestWorkflow::open_preselects_open_configuration_in_any_case()
{
    env->Make_Configurations({QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")});
    // A configuration restored under another letter case than its folder's.
    Path_Project = Join_Path(Path_Projects, QStringLiteral("GAMMA"));
    const TOpen_Run run = Run_Open_Project();
    QCOMPARE(run.selected, QStringLiteral("Gamma"));
    QCOMPARE(run.name_conf, QStringLiteral("Gamma"));
    QCOMPARE(Name_Project, QStringLiteral("Gamma"));
    QCOMPARE(Path_Project, Join_Path(Path_Projects, QStringLiteral("Gamma")));
}

void TestWorkflow::open_preselects_first_row_data()
{
    QTest::addColumn<QString>("open");
    QTest::newRow("none open") << QString();
    QTest::newRow("open folder gone") << "Deleted";
}

void TestWorkflow::open_preselects_first_row()
{
    QFETCH(QString, open);
    env->Make_Configurations({QStringLiteral("Beta"), QStringLiteral("alpha")});
    Path_Project = open.isEmpty() ? QString() : Join_Path(Path_Projects, open);
    const TOpen_Run run = Run_Open_Project();
    QCOMPARE(run.selected, QStringLiteral("alpha"));
    QCOMPARE(run.name_conf, QStringLiteral("alpha"));
    QCOMPARE(File_ParGen, Join_Path(Path_Projects, QStringLiteral("alpha/ParGen.xml")));
}

void TestWorkflow::keyboard_selection_is_the_result()
{
    env->Make_Configurations({QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3")});
    const TOpen_Run run = Run_Open_Project({Qt::Key_Down, Qt::Key_Down});
    QCOMPARE(run.name_conf, QStringLiteral("C3"));
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), QStringLiteral("C3"));
}

void TestWorkflow::ok_on_empty_list_closes_configuration()
{
    Run_New_Project(*platform, QStringLiteral("Only"), true);
    QCOMPARE(Name_Project, QStringLiteral("Only"));
    QVERIFY(QDir(Path_Project).removeRecursively());

    const TOpen_Run run = Run_Open_Project();
    QVERIFY(run.rows.isEmpty());
    QCOMPARE(run.name_conf, QString());
    QCOMPARE(Name_Project, QString());
    QCOMPARE(Path_Project, QString());
    QCOMPARE(File_ParGen, QStringLiteral("/ParGen.xml"));
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf->text(), Lang(9));
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), Lang(10));
}

void TestWorkflow::choice_restored_at_next_start_data()
{
    QTest::addColumn<bool>("create");
    QTest::newRow("created") << true;
    QTest::newRow("opened") << false;
}

void TestWorkflow::choice_restored_at_next_start()
{
    QFETCH(bool, create);
    env->Make_Configurations({QStringLiteral("Alpha"), QStringLiteral("Site B")});
    if (create)
        Run_New_Project(*platform, QStringLiteral("Site C"), true);
    else
        Run_Open_Project({Qt::Key_Down});
    const QString chosen = create ? QStringLiteral("Site C") : QStringLiteral("Site B");
    QCOMPARE(Name_Project, chosen);
    env->Stop();

    env->Start();
    QCOMPARE(Name_Project, chosen);
    QCOMPARE(Path_Project, Join_Path(Path_Projects, chosen));
    QCOMPARE(File_ParGen, Join_Path(Path_Project, QStringLiteral("ParGen.xml")));
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), chosen);
    const TOpen_Run run = Run_Open_Project({}, true);
    QCOMPARE(run.selected, chosen);
}

void TestWorkflow::about_ok_closes_from_main_window()
{
    When_Modal_Shows([](QWidget *modal) {
        QCOMPARE(modal, static_cast<QWidget *>(FAbout));
        QTest::mouseClick(FAbout->LbButton1, Qt::LeftButton);
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Info, Qt::LeftButton);
    QCOMPARE(FAbout->result(), int(QDialog::Accepted));
    QVERIFY(FAbout->isHidden());
}

// The About box keeps its fixed texts and is left out.
void TestWorkflow::language_change_reaches_every_dialog()
{
    Lang_Strings[100] = QStringLiteral("Nuova");
    Lang_Strings[200] = QStringLiteral("Apri");
    Lang_Strings[300] = QStringLiteral("Opzioni");
    Lang_Strings[406] = QStringLiteral(" Seriale ");
    Lang_Strings[602] = QStringLiteral("Aggiorna");
    FVelmoraeFirmWare->Change_Language(Language);
    QCOMPARE(FNew_Project->windowTitle(), QStringLiteral("Nuova"));
    QCOMPARE(FOpenConf->windowTitle(), QStringLiteral("Apri"));
    QCOMPARE(FSoftOptions->windowTitle(), QStringLiteral("Opzioni"));
    QCOMPARE(FParGen->GB_Serial->title(), QStringLiteral(" Seriale "));
    QCOMPARE(FBoot->windowTitle(), QStringLiteral("Aggiorna"));
}

QTEST_MAIN(TestWorkflow)
#include "test_workflow.moc"
