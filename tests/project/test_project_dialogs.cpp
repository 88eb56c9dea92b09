// Create New Configuration and Open Configuration, each built on its own.
// What the main window does with their answers is in tests/app/test_workflow.

#include "TestDialogs.h"

#include "common/UComon.h"
#include "lang/ULang.h"
#include "project/UNew_Project.h"
#include "project/UOpenConf.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

class TestProjectDialogs : public QObject
{
    Q_OBJECT
private slots:
    void new_dialog_texts_and_size();
    void open_dialog_texts_and_resizing();
    void open_lists_visible_folders_sorted();
};

void TestProjectDialogs::new_dialog_texts_and_size()
{
    TDialog_Env<TFNew_Project> env;
    TFNew_Project *d = env.Build();
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

void TestProjectDialogs::open_dialog_texts_and_resizing()
{
    TDialog_Env<TFOpenConf> env;
    TFOpenConf *d = env.Build();
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
    d->Set_Lang();
    QCOMPARE(d->windowTitle(), QStringLiteral("Apri"));
}

void TestProjectDialogs::open_lists_visible_folders_sorted()
{
    TDialog_Env<TFOpenConf> env;
    TFOpenConf *d = env.Build();
    const auto open = [d] { d->exec(); };
    env.Make_Configurations({QStringLiteral("zeta"), QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral(".git")});
    env.Write_File(QStringLiteral("PROJECTS/readme.txt"), "x");
    const TOpen_Run first = Run_Open_Conf(d, open);
#ifdef Q_OS_WIN
    // A leading dot hides nothing on Windows.
    QCOMPARE(first.rows, (QStringList{".git", "Alpha", "beta", "zeta"}));
#else
    QCOMPARE(first.rows, (QStringList{"Alpha", "beta", "zeta"}));
#endif

    // Each opening reads the folder again.
    QVERIFY(QDir(Join_Path(Path_Projects, QStringLiteral("zeta"))).removeRecursively());
    env.Make_Configurations({QStringLiteral("Gamma")});
    const TOpen_Run second = Run_Open_Conf(d, open);
#ifdef Q_OS_WIN
    QCOMPARE(second.rows, (QStringList{".git", "Alpha", "beta", "Gamma"}));
#else
    QCOMPARE(second.rows, (QStringList{"Alpha", "beta", "Gamma"}));
#endif
}

QTEST_MAIN(TestProjectDialogs)
#include "test_project_dialogs.moc"
