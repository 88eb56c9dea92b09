#include "TestEnv.h"
#include "TestPlatform.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "project/UNew_Project.h"
#include "project/UOpenConf.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>
#include <optional>

// Makes configuration folders under the program's PROJECTS folder.
static void Make_Folders(const QStringList &names)
{
    for (const QString &name : names)
        QDir().mkpath(Join_Path(Join_Path(Path_Projects, name), QStringLiteral("bin")));
}

// Drives Create New Configuration through the main window: types name, then
// presses Enter or OK; whatever remains open is cancelled.
struct TNew_Run
{
    QStringList errors_while_open;
    bool still_open_after_ok = false;
    QString field_after_ok;
};

static TNew_Run Run_New_Project(TTestPlatform &platform, const QString &name, bool useEnter)
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

struct TOpen_Run
{
    QStringList rows;
    QString selected;
    QString name_conf;
};

// Drives Open Configuration through the main window; keys are pressed in the
// list before OK (or Cancel when cancel is set).
static TOpen_Run Run_Open_Project(const QList<Qt::Key> &keys = {}, bool cancel = false)
{
    TOpen_Run run;
    When_Modal_Shows([&](QWidget *modal) {
        if (modal != FOpenConf)
            return;
        for (Qt::Key key : keys)
            QTest::keyClick(FOpenConf->ListBox1, key);
        for (int i = 0; i < FOpenConf->ListBox1->count(); ++i)
            run.rows << FOpenConf->ListBox1->item(i)->text();
        if (QListWidgetItem *item = FOpenConf->ListBox1->currentItem())
            run.selected = item->text();
        run.name_conf = FOpenConf->Name_Conf;
        QTest::mouseClick(cancel ? FOpenConf->Btn_Cancel : FOpenConf->Btn_OK, Qt::LeftButton);
    });
    FVelmoraeFirmWare->Open_Project();
    return run;
}

class TestProjectDialogs : public QObject
{
    Q_OBJECT
    // Each test starts the program in a new folder.
    std::optional<TTestPlatform> platform;
    std::optional<TTestEnv> env;
private slots:
    void init();
    void cleanup();
    void new_dialog_texts_and_size();
    void create_by_enter_and_by_ok_data();
    void create_by_enter_and_by_ok();
    void refusals_keep_dialog_open_data();
    void refusals_keep_dialog_open();
    void cancel_changes_nothing();
    void open_dialog_texts_and_resizing();
    void open_lists_visible_folders_sorted();
    void open_preselects_open_configuration_in_any_case();
    void open_preselects_first_row_data();
    void open_preselects_first_row();
    void keyboard_selection_is_the_result();
    void ok_on_empty_list_closes_configuration();
    void choice_restored_at_next_start_data();
    void choice_restored_at_next_start();
};

void TestProjectDialogs::init()
{
    platform.emplace();
    env.emplace();
    env->Start();
}

void TestProjectDialogs::cleanup()
{
    env.reset();
    platform.reset();
}

void TestProjectDialogs::new_dialog_texts_and_size()
{
    TFNew_Project *d = FNew_Project;
    QCOMPARE(d->size(), QSize(331, 162));
    QCOMPARE(d->windowTitle(), QStringLiteral("Create New Configuration"));
    QCOMPARE(d->E_New_Proj->geometry(), QRect(16, 94, 297, 21));
    QCOMPARE(d->Btn_Cancel->Hint(), QStringLiteral("Cancel the New Configuration"));
    QCOMPARE(d->P_Button->geometry(), QRect(0, 122, 331, 40));
    QVERIFY(d->findChild<QWidget *>(QStringLiteral("P_Title")));
    Lang_Strings[103] = QStringLiteral("Bene");
    d->Set_Lang();
    QCOMPARE(d->Btn_OK->Caption(), QStringLiteral("Bene"));
}

void TestProjectDialogs::create_by_enter_and_by_ok_data()
{
    QTest::addColumn<bool>("useEnter");
    QTest::newRow("Enter in the name field") << true;
    QTest::newRow("OK button") << false;
}

void TestProjectDialogs::create_by_enter_and_by_ok()
{
    QFETCH(bool, useEnter);
    Make_Folders({QStringLiteral("Other")});
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

void TestProjectDialogs::refusals_keep_dialog_open_data()
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

void TestProjectDialogs::refusals_keep_dialog_open()
{
    QFETCH(QString, name);
    QFETCH(int, entry);
    Make_Folders({QStringLiteral("Alpha")});
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

void TestProjectDialogs::cancel_changes_nothing()
{
    Make_Folders({QStringLiteral("Alpha"), QStringLiteral("Beta")});
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

void TestProjectDialogs::open_dialog_texts_and_resizing()
{
    TFOpenConf *d = FOpenConf;
    QCOMPARE(d->size(), QSize(377, 351));
    QCOMPARE(d->windowTitle(), QStringLiteral("Open Configuration"));
    QCOMPARE(d->Btn_OK->Hint(), QStringLiteral("Open the Selected Configuration"));
    QCOMPARE(d->ListBox1->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(d->Name_Conf, QString());

    const QRect list = d->ListBox1->geometry();
    const QPoint ok = d->Btn_OK->mapTo(d, QPoint());
    const QPoint cancel = d->Btn_Cancel->mapTo(d, QPoint());
    QCOMPARE(cancel.x() + d->Btn_Cancel->width() + 8, 377);
    QCOMPARE(list.topLeft(), QPoint(16, 94));
    QCOMPARE(list.width(), 335);
    QVERIFY(list.bottom() < d->P_Button->y());
    d->show();
    d->resize(477, 451);
    QTRY_COMPARE(d->ListBox1->geometry(), QRect(16, 94, 435, list.height() + 100));
    QCOMPARE(d->Btn_OK->mapTo(d, QPoint()), ok + QPoint(100, 100));
    QCOMPARE(d->Btn_Cancel->mapTo(d, QPoint()), cancel + QPoint(100, 100));
    d->done(QDialog::Rejected);
    Lang_Strings[200] = QStringLiteral("Apri");
    FVelmoraeFirmWare->Change_Language();
    QCOMPARE(d->windowTitle(), QStringLiteral("Apri"));
}

void TestProjectDialogs::open_lists_visible_folders_sorted()
{
    Make_Folders({QStringLiteral("zeta"), QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral(".git")});
    env->Write_File(QStringLiteral("PROJECTS/readme.txt"), "x");
    const TOpen_Run first = Run_Open_Project();
    QCOMPARE(first.rows, (QStringList{"Alpha", "beta", "zeta"}));

    // Each opening reads the folder again.
    QVERIFY(QDir(Join_Path(Path_Projects, QStringLiteral("zeta"))).removeRecursively());
    Make_Folders({QStringLiteral("Gamma")});
    const TOpen_Run second = Run_Open_Project();
    QCOMPARE(second.rows, (QStringList{"Alpha", "beta", "Gamma"}));
}

void TestProjectDialogs::open_preselects_open_configuration_in_any_case()
{
    Make_Folders({QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")});
    // A configuration restored under another letter case than its folder's.
    Path_Project = Join_Path(Path_Projects, QStringLiteral("GAMMA"));
    const TOpen_Run run = Run_Open_Project();
    QCOMPARE(run.selected, QStringLiteral("Gamma"));
    QCOMPARE(run.name_conf, QStringLiteral("Gamma"));
    QCOMPARE(Name_Project, QStringLiteral("Gamma"));
    QCOMPARE(Path_Project, Join_Path(Path_Projects, QStringLiteral("Gamma")));
}

void TestProjectDialogs::open_preselects_first_row_data()
{
    QTest::addColumn<QString>("open");
    QTest::newRow("none open") << QString();
    QTest::newRow("open folder gone") << "Deleted";
}

void TestProjectDialogs::open_preselects_first_row()
{
    QFETCH(QString, open);
    Make_Folders({QStringLiteral("Beta"), QStringLiteral("alpha")});
    Path_Project = open.isEmpty() ? QString() : Join_Path(Path_Projects, open);
    const TOpen_Run run = Run_Open_Project();
    QCOMPARE(run.selected, QStringLiteral("alpha"));
    QCOMPARE(run.name_conf, QStringLiteral("alpha"));
    QCOMPARE(File_ParGen, Join_Path(Path_Projects, QStringLiteral("alpha/ParGen.xml")));
}

void TestProjectDialogs::keyboard_selection_is_the_result()
{
    Make_Folders({QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3")});
    const TOpen_Run run = Run_Open_Project({Qt::Key_Down, Qt::Key_Down});
    QCOMPARE(run.name_conf, QStringLiteral("C3"));
    QCOMPARE(FVelmoraeFirmWare->L_Name_Conf_L2->text(), QStringLiteral("C3"));
}

void TestProjectDialogs::ok_on_empty_list_closes_configuration()
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

void TestProjectDialogs::choice_restored_at_next_start_data()
{
    QTest::addColumn<bool>("create");
    QTest::newRow("created") << true;
    QTest::newRow("opened") << false;
}

void TestProjectDialogs::choice_restored_at_next_start()
{
    QFETCH(bool, create);
    Make_Folders({QStringLiteral("Alpha"), QStringLiteral("Site B")});
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

QTEST_MAIN(TestProjectDialogs)
#include "test_project_dialogs.moc"
