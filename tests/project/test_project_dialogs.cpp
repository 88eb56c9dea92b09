// Create New Configuration and Open Configuration, each built on its own.
// What the main window does with their answers is in tests/app/test_workflow.

#include "TestDialogs.h"

#include "common/UComon.h"
#include "lang/ULang.h"
#include "project/UNew_Project.h"
#include "project/UOpenConf.h"

#include <QApplication>
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
    void open_by_enter_and_double_click_data();
    void open_by_enter_and_double_click();
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
    // The buttons end where the name field ends.
    QCOMPARE(d->Btn_Cancel->geometry().right(), d->E_New_Proj->geometry().right());
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
    QCOMPARE(list.topLeft(), QPoint(16, 94));
    // The buttons end where the list ends, also after a resize.
    QCOMPARE(cancel.x() + d->Btn_Cancel->width(), list.right() + 1);
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

void TestProjectDialogs::open_by_enter_and_double_click_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("name");
    QTest::newRow("Enter in the list") << "Return" << int(QDialog::Accepted) << "B2";
    QTest::newRow("keypad Enter in the list") << "Enter" << int(QDialog::Accepted) << "B2";
    QTest::newRow("Enter on Cancel") << "Cancel" << int(QDialog::Rejected) << "B2";
    QTest::newRow("double-click on a row") << "double-click" << int(QDialog::Accepted) << "C3";
}

void TestProjectDialogs::open_by_enter_and_double_click()
{
    QFETCH(QString, action);
    QFETCH(int, result);
    QFETCH(QString, name);
    TDialog_Env<TFOpenConf> env;
    TFOpenConf *d = env.Build();
    env.Make_Configurations({QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3")});
    // Closed with Cancel when the action did not close it.
    When_Shown(d, [&] {
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));
        QTest::keyClick(d->ListBox1, Qt::Key_Down);
        if (action == QLatin1String("Cancel"))
            d->Btn_Cancel->setFocus();
        if (action == QLatin1String("double-click")) {
            // As the system sends a double-click: press, release, double-click, release.
            const QPoint row = d->ListBox1->visualItemRect(d->ListBox1->item(2)).center();
            QTest::mouseClick(d->ListBox1->viewport(), Qt::LeftButton, {}, row);
            QTest::mouseDClick(d->ListBox1->viewport(), Qt::LeftButton, {}, row);
            QTest::mouseRelease(d->ListBox1->viewport(), Qt::LeftButton, {}, row);
        } else if (action == QLatin1String("Enter")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
    });
    d->exec();
    QCOMPARE(d->result(), result);
    QCOMPARE(d->Name_Conf, name);
}

QTEST_MAIN(TestProjectDialogs)
#include "test_project_dialogs.moc"
