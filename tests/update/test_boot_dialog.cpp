// Update Device built on its own, its reports taken as the main window takes
// them; an updater in the program folder notes each run.

#include "TestDialogs.h"

#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "lang/ULang.h"
#include "update/UBoot.h"
#include "update/UJob_File.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>
#include <optional>

namespace {

#ifndef Q_OS_WIN
// An updater in the program folder that notes each run and the job it found
// (recording_updater_win.cpp on Windows).
const QByteArray Recording_Updater = "#!/bin/sh\n"
                                     "cd \"$(dirname \"$0\")\"\n"
                                     "echo run >> runs.log\n"
                                     "cp Ethernet_Update.xml seen_job.xml\n";
#endif

// The dialog under test.
TFBoot *Boot = nullptr;

void Set_Address(const char *a, const char *b, const char *c, const char *d)
{
    Boot->E_IP1->setText(QLatin1String(a));
    Boot->E_IP2->setText(QLatin1String(b));
    Boot->E_IP3->setText(QLatin1String(c));
    Boot->E_IP4->setText(QLatin1String(d));
}

QStringList Fields()
{
    return {Boot->E_IP1->text(), Boot->E_IP2->text(), Boot->E_IP3->text(),
            Boot->E_IP4->text()};
}

// Runs action once, at the first moment the reachability test lets events through.
void During_Test(QTimer &timer, std::function<void()> action)
{
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&timer, action] {
        if (Boot->ping_res != 0) {
            timer.stop();
            action();
        }
    });
    timer.start();
}

// How a row of each_end_recorded takes the road.
enum class TRoad { Updater, No_Updater, Not_Executable, Bad_Address, Job_Unwritable, Cancel };

} // namespace

Q_DECLARE_METATYPE(TRoad)

class TestBootDialog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void panels_stacked_data();
    void panels_stacked();
    void texts_data();
    void texts();
    void opens_with_last_address_data();
    void opens_with_last_address();
    void opens_with_last_choices();
    void restoring_keeps_what_was_typed();
    void dot_moves_to_next_field();
    void update_hands_over();
    void unresolvable_address_data();
    void unresolvable_address();
    void job_file_unwritable();
    void second_click_ignored();
    void cancel_during_test_abandons_update();
    void each_end_recorded_data();
    void each_end_recorded();

private:
    int Runs() const;
    std::optional<TDialog_Env<TFBoot>> m_env;
    TTestPlatform *m_platform = nullptr;
};

void TestBootDialog::init()
{
    m_env.emplace();
    m_platform = &m_env->Platform;
    Boot = m_env->Build();
    Take_Reports_As_Main_Window(Boot);
    Last_IP_Address = QStringLiteral("127.0.0.1");
#ifdef Q_OS_WIN
    QVERIFY(QFile::copy(QStringLiteral(RECORDING_UPDATER), m_env->Path(Updater_Program_Name)));
#else
    m_env->Write_File(Updater_Program_Name, Recording_Updater);
    QFile::setPermissions(m_env->Path(Updater_Program_Name),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
}

void TestBootDialog::cleanup()
{
    m_env.reset();
    Boot = nullptr;
}

int TestBootDialog::Runs() const
{
    return m_env->Read_File(QStringLiteral("runs.log")).count("run\n");
}

void TestBootDialog::panels_stacked_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("title") << "P_Title" << QRect(0, 0, 449, 69);
    QTest::newRow("address") << "P_IP_Address" << QRect(0, 69, 449, 49);
    QTest::newRow("options") << "P_Options" << QRect(0, 118, 449, 72);
    QTest::newRow("buttons") << "P_Button" << QRect(0, 190, 449, 40);
    // 16 from the right edge, as the fields are from the left; 6 from the bottom.
    QTest::newRow("cancel") << "Btn_Cancel" << QRect(123, 6, 110, 28);
    QTest::newRow("update") << "Btn_Update" << QRect(241, 6, 192, 28);
}

void TestBootDialog::panels_stacked()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    Boot->show();
    QCOMPARE(Boot->size(), QSize(449, 230));
    auto *panel = Boot->findChild<QWidget *>(name);
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), geometry);
    Boot->hide();
}

void TestBootDialog::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("expected");
    QTest::newRow("caption") << "FBoot" << QByteArray("windowTitle") << "Update Device by Ethernet (UDP)";
    QTest::newRow("address label") << "L_IP_Address" << QByteArray("text") << "Insert the IP Address of Device";
    QTest::newRow("fourth byte") << "E_IP4" << QByteArray("toolTip") << "Insert fourth byte of IP Address";
    QTest::newRow("options hint") << "CB_Update_Options" << QByteArray("toolTip") << "Select the operation to do in update";
    QTest::newRow("read-back") << "CB_Update_Option_Read_Back" << QByteArray("text") << "Read Back";
    QTest::newRow("cancel hint") << "Btn_Cancel" << QByteArray("toolTip") << "Exit without to do the Update";
    QTest::newRow("update") << "Btn_Update" << QByteArray("text") << "Execute Update Firmware";
}

void TestBootDialog::texts()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, property);
    QFETCH(QString, expected);
    Boot->show();
    QObject *control = name == QLatin1String("FBoot") ? Boot : Boot->findChild<QObject *>(name);
    QVERIFY(control);
    QCOMPARE(control->property(property.constData()).toString(), expected);
    QCOMPARE(Boot->CB_Update_Options->count(), 3);
    QCOMPARE(Boot->CB_Update_Options->itemText(2), QStringLiteral("Configuration"));
    Boot->hide();
}

void TestBootDialog::opens_with_last_address_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<QStringList>("fields");
    const QStringList before{"1", "2", "3", "4"};
    QTest::newRow("valid") << "192.168.2.205" << QStringList{"192", "168", "2", "205"};
    QTest::newRow("blanks stripped") << " 10 . 0 . 0 . 7 " << QStringList{"10", "0", "0", "7"};
    QTest::newRow("three parts keep the fields") << "192.168.2" << before;
    QTest::newRow("out of range keeps the fields") << "192.168.2.256" << before;
    QTest::newRow("empty keeps the fields") << "" << before;
}

void TestBootDialog::opens_with_last_address()
{
    QFETCH(QString, last);
    QFETCH(QStringList, fields);
    Set_Address("1", "2", "3", "4");
    Last_IP_Address = last;
    Boot->show();
    QCOMPARE(Fields(), fields);
    Boot->hide();
}

void TestBootDialog::opens_with_last_choices()
{
    Boot->show();
    QCOMPARE(Boot->CB_Update_Options->currentText(), QStringLiteral("Firmware + Configuration"));
    QVERIFY(!Boot->CB_Update_Option_Read_Back->isChecked());
    Boot->hide();

    Update_Option = 2;
    Read_Back = true;
    Boot->show();
    QCOMPARE(Boot->CB_Update_Options->currentIndex(), 2);
    QVERIFY(Boot->CB_Update_Option_Read_Back->isChecked());
    Boot->hide();
}

void TestBootDialog::restoring_keeps_what_was_typed()
{
    Boot->show();
    Set_Address("10", "0", "0", "9");
    Boot->CB_Update_Options->setCurrentIndex(1);
    Boot->CB_Update_Option_Read_Back->setChecked(true);
    Boot->setWindowState(Qt::WindowMinimized);
    Boot->setWindowState(Qt::WindowNoState);
    QCOMPARE(Fields(), (QStringList{"10", "0", "0", "9"}));
    QCOMPARE(Boot->CB_Update_Options->currentIndex(), 1);
    QVERIFY(Boot->CB_Update_Option_Read_Back->isChecked());
    Boot->hide();
}

void TestBootDialog::dot_moves_to_next_field()
{
    Last_IP_Address.clear();
    Set_Address("0", "0", "0", "0");
    Boot->show();
    QVERIFY(QTest::qWaitForWindowActive(Boot));
    QCOMPARE(QApplication::focusWidget(), Boot->E_IP1);
    // Each field's old text is selected when it takes the focus, so typing replaces it.
    QTest::keyClicks(nullptr, QStringLiteral("192.168.2.205."));
    QCOMPARE(Fields(), (QStringList{"192", "168", "2", "205"}));
    QCOMPARE(QApplication::focusWidget(), Boot->E_IP4);
    // Every other key passes: the fields do not filter digits.
    QTest::keyClicks(nullptr, QStringLiteral("x"));
    QCOMPARE(Boot->E_IP4->text(), QStringLiteral("205x"));
    Boot->hide();
}

void TestBootDialog::update_hands_over()
{
    Boot->show();
    Set_Address("127", "0", "0", "1");
    Boot->CB_Update_Options->setCurrentIndex(2);
    Boot->CB_Update_Option_Read_Back->setChecked(true);
    // Only a deliberate click starts an update: Enter, even on the button, does not.
    QVERIFY(QTest::qWaitForWindowActive(Boot));
    Boot->Btn_Update->setFocus();
    QTest::keyClick(Boot->Btn_Update, Qt::Key_Return);
    QCOMPARE(Boot->ping_res, 0);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(Boot->Btn_Update, Qt::LeftButton);
    const qint64 elapsed = clock.elapsed();

    QCOMPARE(m_platform->Errors + m_platform->Warnings, QStringList());
    QCOMPARE(Boot->ping_res, 1);
    QCOMPARE(Runs(), 1);
    // The updater found the complete job when it started.
    QCOMPARE(m_env->Read_File(QStringLiteral("seen_job.xml")),
             m_env->Read_File(QStringLiteral("Ethernet_Update.xml")));
    TXMLDocument job;
    QVERIFY(job.Load_File(Job_File_Path(Path_Exe)));
    QString address;
    QVERIFY(job.Read_Path({QStringLiteral("IP_Address_Dev")}, address));
    QCOMPARE(address, QStringLiteral("127.0.0.1"));
    QCOMPARE(Last_IP_Address, QStringLiteral("127.0.0.1"));
    QCOMPARE(Update_Option, 2);
    QVERIFY(Read_Back);
    QVERIFY(Boot->isVisible());
    QVERIFY2(elapsed < 1000, qPrintable(QString::number(elapsed)));

    // The next opening shows the same choices.
    Boot->hide();
    Boot->show();
    QCOMPARE(Boot->CB_Update_Options->currentText(), QStringLiteral("Configuration"));
    QVERIFY(Boot->CB_Update_Option_Read_Back->isChecked());
    QCOMPARE(Fields(), (QStringList{"127", "0", "0", "1"}));
    Boot->hide();
}

void TestBootDialog::unresolvable_address_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("letter") << QStringList{"127", "0", "0", "x"};
    QTest::newRow("hexadecimal") << QStringList{"0x7F", "0", "0", "1"};
    QTest::newRow("leading zero") << QStringList{"127", "0", "0", "01"};
}

void TestBootDialog::unresolvable_address()
{
    QFETCH(QStringList, fields);
    Last_IP_Address = QStringLiteral("10.1.1.1");
    Boot->show();
    Set_Address(qPrintable(fields[0]), qPrintable(fields[1]), qPrintable(fields[2]),
                qPrintable(fields[3]));
    Boot->CB_Update_Options->setCurrentIndex(1);
    Boot->Btn_UpdateClick();

    QCOMPARE(m_platform->Errors, QStringList{Lang(637)});
    QVERIFY(m_platform->Warnings.isEmpty());
    QCOMPARE(Last_IP_Address, QStringLiteral("10.1.1.1"));
    QCOMPARE(Update_Option, 0);
    QVERIFY(!QFile::exists(Job_File_Path(Path_Exe)));
    QCOMPARE(Runs(), 0);
    Boot->hide();
}

void TestBootDialog::job_file_unwritable()
{
    QVERIFY(QDir(m_env->Folder()).mkdir(Job_File_Name));
    Set_Address("127", "0", "0", "1");
    Boot->Btn_UpdateClick();

    QCOMPARE(m_platform->Errors.size(), 1);
    QVERIFY2(m_platform->Errors[0].contains(Job_File_Name), qPrintable(m_platform->Errors[0]));
    QCOMPARE(Runs(), 0);
}

void TestBootDialog::second_click_ignored()
{
    Boot->show();
    Set_Address("127", "0", "0", "1");
    QTimer timer;
    During_Test(timer, [] { QTest::mouseClick(Boot->Btn_Update, Qt::LeftButton); });
    QTest::mouseClick(Boot->Btn_Update, Qt::LeftButton);

    QVERIFY(!timer.isActive());
    QCOMPARE(Runs(), 1);
    Boot->hide();
}

void TestBootDialog::cancel_during_test_abandons_update()
{
    Last_IP_Address = QStringLiteral("10.1.1.1");
    Boot->show();
    Set_Address("127", "0", "0", "1");
    QTimer timer;
    During_Test(timer, [] { QTest::mouseClick(Boot->Btn_Cancel, Qt::LeftButton); });
    QTest::mouseClick(Boot->Btn_Update, Qt::LeftButton);

    QVERIFY(!timer.isActive());
    QVERIFY(!Boot->isVisible());
    QVERIFY(m_platform->Errors.isEmpty() && m_platform->Warnings.isEmpty());
    QCOMPARE(Last_IP_Address, QStringLiteral("10.1.1.1"));
    QVERIFY(!QFile::exists(Job_File_Path(Path_Exe)));
    QCOMPARE(Runs(), 0);
}

void TestBootDialog::each_end_recorded_data()
{
    QTest::addColumn<TRoad>("road");
    QTest::addColumn<QByteArray>("updater");   // the script's body, POSIX
    QTest::addColumn<QString>("result");       // {updater}: the updater's path
#ifndef Q_OS_WIN
    QTest::newRow("updater succeeds") << TRoad::Updater << QByteArray("exit 0\n") << "exit status 0";
    QTest::newRow("updater fails") << TRoad::Updater << QByteArray("exit 3\n") << "exit status 3";
    QTest::newRow("updater killed") << TRoad::Updater << QByteArray("kill -9 $$\n") << "ended by signal 9";
    QTest::newRow("updater not executable") << TRoad::Not_Executable << QByteArray("exit 0\n")
                                            << "not run: the updater at {updater} could not be started";
#endif
    QTest::newRow("no updater") << TRoad::No_Updater << QByteArray() << "not run: no updater at {updater}";
    QTest::newRow("address not valid") << TRoad::Bad_Address << QByteArray()
                                       << "not run: no echo request could be sent to the address";
    QTest::newRow("job file unwritable") << TRoad::Job_Unwritable << QByteArray()
                                         << "not run: the job file could not be written: Cannot write \"{job}\": ";
    QTest::newRow("cancelled") << TRoad::Cancel << QByteArray()
                               << "not run: the dialog was closed during the echo requests";
}

// Each click on Execute adds one block to the open configuration's
// Update.log, whatever became of the update.
void TestBootDialog::each_end_recorded()
{
    QFETCH(TRoad, road);
    QFETCH(QByteArray, updater);
    QFETCH(QString, result);
    m_env->Open_Configuration(QStringLiteral("Line 4"));
    m_env->Write_File(QStringLiteral("PROJECTS/Line 4/ParGen.xml"),
                      "<Par_Gen><ModbusTCPSlave_IP1>10</ModbusTCPSlave_IP1></Par_Gen>");
    QByteArray image(2048, '\x02');
    image.replace(2044, 4, QByteArray("\xF8\x0F\x00\x00", 4));   // 2044 twos: 4088
    m_env->Write_File(QStringLiteral("PROJECTS/Line 4/bin/bank.bin"), image);
    const QString program = m_env->Path(Updater_Program_Name);
    if (!updater.isEmpty())
        QVERIFY(m_env->Write_File(Updater_Program_Name, "#!/bin/sh\n" + updater));
    if (road == TRoad::No_Updater)
        QVERIFY(QFile::remove(program));
    if (road == TRoad::Not_Executable)
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner));
    if (road == TRoad::Job_Unwritable)
        QVERIFY(QDir(m_env->Folder()).mkdir(Job_File_Name));
    Boot->show();
    Set_Address("127", "0", "0", road == TRoad::Bad_Address ? "x" : "1");
    Boot->CB_Update_Options->setCurrentIndex(1);
    QTimer timer;
    if (road == TRoad::Cancel)
        During_Test(timer, [] { QTest::mouseClick(Boot->Btn_Cancel, Qt::LeftButton); });
    QTest::mouseClick(Boot->Btn_Update, Qt::LeftButton);

    const QStringList lines = QString::fromUtf8(m_env->Read_File(QStringLiteral("PROJECTS/Line 4/Update.log")))
                                  .split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 8);
    QVERIFY2(QRegularExpression(QStringLiteral("^=== Update \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d [+-]\\d\\d:\\d\\d$"))
                 .match(lines[0]).hasMatch(), qPrintable(lines[0]));
    QCOMPARE(lines.mid(1, 4), (QStringList{QStringLiteral("Device: 127.0.0.") + (road == TRoad::Bad_Address ? "x" : "1"),
                                           QStringLiteral("Configuration: 10.168.0.10"),
                                           QStringLiteral("Asked: firmware, read-back off"),
                                           QStringLiteral("Image: bin/bank.bin, byte sum 4088 (0x00000FF8)")}));
    result.replace(QStringLiteral("{updater}"), QDir::toNativeSeparators(program))
        .replace(QStringLiteral("{job}"), QDir::toNativeSeparators(Job_File_Path(Path_Exe)));
    QVERIFY2(lines[5].startsWith(QStringLiteral("Result: ") + result), qPrintable(lines[5]));
    QCOMPARE(lines.mid(6), (QStringList{QString(), QString()}));
    Boot->hide();
}

QTEST_MAIN(TestBootDialog)
#include "test_boot_dialog.moc"
