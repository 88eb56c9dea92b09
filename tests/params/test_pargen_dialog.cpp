// Set Communication built on its own over a program folder with configuration
// "P" open, as the main window opens it.

#include "TestDialogs.h"

#include "common/UComon.h"
#include "lang/ULang.h"
#include "params/UParGen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>
#include <optional>

// What each of the thirty controls shows, in file order.
static QStringList Shown(const TFParGen *d)
{
    QStringList shown;
    const QList<QWidget *> controls = {
        d->CB_Serial_Serial, d->CB_Serial_Baud, d->CB_Serial_Parity, d->CB_Serial_SendType,
        d->E_Serial_ST_EndChar, d->E_Serial_ST_NumByte, d->E_Serial_TimeOut, d->CB_Serial_DataBits,
        d->CB_Serial_Time_Wait_RX, d->E_Serial_Time_Wait_RX, d->E_ModbusTCPSlave_IP1,
        d->E_ModbusTCPSlave_IP2, d->E_ModbusTCPSlave_IP3, d->E_ModbusTCPSlave_IP4,
        d->E_ModbusTCPSlave_SM1, d->E_ModbusTCPSlave_SM2, d->E_ModbusTCPSlave_SM3,
        d->E_ModbusTCPSlave_SM4, d->E_ModbusTCPSlave_GAT1, d->E_ModbusTCPSlave_GAT2,
        d->E_ModbusTCPSlave_GAT3, d->E_ModbusTCPSlave_GAT4, d->CB_ModbusTCPSlave_En_GAT,
        d->E_ModbusTCPSlave_Port, d->E_ModbusTCPSlave_Start_Read, d->E_ModbusTCPSlave_Start_Write,
        d->E_ModbusTCPSlave_Control, d->E_ModbusTCPSlave_Status, d->CB_ModbusTCPSlave_NumBytesRX,
        d->E_ModbusTCPSlave_NumBytesRX};
    for (QWidget *control : controls) {
        if (auto *list = qobject_cast<QComboBox *>(control))
            shown << list->currentText();
        else if (auto *check = qobject_cast<QCheckBox *>(control))
            shown << (check->isChecked() ? QStringLiteral("on") : QStringLiteral("off"));
        else
            shown << qobject_cast<QLineEdit *>(control)->text();
    }
    return shown;
}

// Where a control stands in the dialog (the groups are in a panel of their own).
static QRect In_Dialog(const QWidget *control)
{
    return QRect(control->mapTo(control->window(), QPoint()), control->size());
}

static const QStringList Defaults_Shown = {
    "RS485/RS422", "115200", "NONE", "End Character", "13", "1024", "0", "8", "off", "20",
    "192", "168", "0", "10", "255", "255", "255", "0", "192", "168", "0", "1", "off",
    "502", "1", "1", "0", "0", "on", "1"};

class TestParGenDialog : public QObject
{
    Q_OBJECT
    // Each test builds the dialog in a new folder with configuration "P" open.
    std::optional<TDialog_Env<TFParGen>> env;
    TFParGen *dialog = nullptr;
    TTestPlatform *platform = nullptr;
    void Start();
private slots:
    void init();
    void cleanup();
    void defaults_shown_and_cancel_at_once();
    void controls_at_their_places_data();
    void controls_at_their_places();
    void texts_and_language_change();
    void layouts_data();
    void layouts();
    void collapse_survives_reopening_not_restart();
    void typing_an_address_across_octet_edits();
    void dot_in_last_gateway_edit_is_ignored();
    void cancel_with_changes_asks();
    void close_box_and_escape_ask_like_cancel();
    void enter_presses_ok_or_the_focused_button_data();
    void enter_presses_ok_or_the_focused_button();
    void ok_reports_first_bad_value_then_writes();
    void list_index_outside_list_saves_no_selection();
    void damaged_file_shown_and_never_overwritten();
    void write_failure_keeps_dialog_open();
    void dialog_stays_on_the_screen();
};

void TestParGenDialog::init()
{
    env.emplace();
    platform = &env->Platform;
    Start();
}

void TestParGenDialog::Start()
{
    dialog = env->Build();
    env->Open_Configuration(QStringLiteral("P"));
}

void TestParGenDialog::cleanup()
{
    env.reset();
}

void TestParGenDialog::defaults_shown_and_cancel_at_once()
{
    QStringList shown;
    bool closed = false;
    When_Modal_Shows([&](QWidget *modal) {
        if (modal != dialog)
            return;
        shown = Shown(dialog);
        QTest::mouseClick(dialog->Btn_Cancel, Qt::LeftButton);
        closed = !dialog->isVisible();
        if (!closed)
            dialog->done(QDialog::Rejected);
    });
    dialog->exec();
    QCOMPARE(shown, Defaults_Shown);
    QVERIFY(closed);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(platform->Questions.isEmpty());
    QVERIFY(!QFileInfo::exists(File_ParGen));
}

void TestParGenDialog::controls_at_their_places_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("serial list") << "CB_Serial_Serial" << QRect(82, 21, 192, 22);
    QTest::newRow("send type") << "CB_Serial_SendType" << QRect(82, 157, 192, 22);
    QTest::newRow("end character") << "E_Serial_ST_EndChar" << QRect(148, 191, 126, 21);
    QTest::newRow("timeout") << "E_Serial_TimeOut" << QRect(148, 259, 126, 21);
    QTest::newRow("wait time") << "E_Serial_Time_Wait_RX" << QRect(148, 293, 126, 21);
    QTest::newRow("IP1") << "E_ModbusTCPSlave_IP1" << QRect(16, 43, 60, 21);
    QTest::newRow("SM3") << "E_ModbusTCPSlave_SM3" << QRect(148, 98, 60, 21);
    QTest::newRow("GAT4") << "E_ModbusTCPSlave_GAT4" << QRect(214, 154, 60, 21);
    QTest::newRow("port") << "E_ModbusTCPSlave_Port" << QRect(82, 188, 192, 21);
    QTest::newRow("status") << "E_ModbusTCPSlave_Status" << QRect(148, 324, 126, 21);
    QTest::newRow("num bytes RX") << "E_ModbusTCPSlave_NumBytesRX" << QRect(148, 359, 126, 21);
    QTest::newRow("serial collapse") << "Btn_Serial_Collapse" << QRect(280, 10, 11, 11);
    QTest::newRow("TCP expand") << "Btn_ModbusTCPSlave_Expande" << QRect(280, 10, 11, 11);
    QTest::newRow("OK") << "Btn_OK" << QRect(71, 813, 112, 28);
}

void TestParGenDialog::controls_at_their_places()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QCOMPARE(dialog->size(), QSize(312, 854));
    auto *control = dialog->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
}

void TestParGenDialog::texts_and_language_change()
{
    TFParGen *d = dialog;
    QCOMPARE(d->GB_Serial->title(), QStringLiteral(" Serial "));
    QCOMPARE(d->L_Serial_DataBits->pos(), QPoint(16, 126));
    QCOMPARE(d->E_ModbusTCPSlave_GAT4->toolTip(), QStringLiteral("Insert fourth byte of Default Gateway"));
    QCOMPARE(d->Btn_ModbusTCPSlave_Expande->Hint(), QStringLiteral("Expand"));
    d->CB_Serial_SendType->setCurrentIndex(2);
    d->Is_Change = false;
    Lang_Strings[411] = QStringLiteral("Carattere Finale");
    Lang_Strings[406] = QStringLiteral(" Seriale ");
    d->Set_Lang();
    QCOMPARE(d->CB_Serial_SendType->itemText(0), QStringLiteral("Carattere Finale"));
    QCOMPARE(d->CB_Serial_SendType->count(), 3);
    QCOMPARE(d->CB_Serial_SendType->currentIndex(), 0);
    QCOMPARE(d->GB_Serial->title(), QStringLiteral(" Seriale "));
    QCOMPARE(d->CB_Serial_Baud->itemText(7), QStringLiteral("115200"));
    QVERIFY(!d->Is_Change);
}

void TestParGenDialog::layouts_data()
{
    QTest::addColumn<bool>("serialCollapsed");
    QTest::addColumn<bool>("tcpCollapsed");
    QTest::addColumn<int>("tcpTop");
    QTest::addColumn<int>("buttonTop");
    QTest::addColumn<int>("clientHeight");
    QTest::newRow("both expanded") << false << false << 405 << 813 << 854;
    QTest::newRow("serial collapsed") << true << false << 102 << 510 << 551;
    QTest::newRow("TCP collapsed") << false << true << 405 << 444 << 485;
    QTest::newRow("both collapsed") << true << true << 102 << 141 << 182;
}

void TestParGenDialog::layouts()
{
    QFETCH(bool, serialCollapsed);
    QFETCH(bool, tcpCollapsed);
    QFETCH(int, tcpTop);
    QFETCH(int, buttonTop);
    QFETCH(int, clientHeight);
    TFParGen *d = dialog;
    d->show();
    if (serialCollapsed)
        QTest::mouseClick(d->Btn_Serial_Collapse, Qt::LeftButton);
    if (tcpCollapsed)
        QTest::mouseClick(d->Btn_ModbusTCPSlave_Collapse, Qt::LeftButton);

    QCOMPARE(In_Dialog(d->GB_ModbusTCPSlave).y(), tcpTop);
    QCOMPARE(d->Btn_OK->y(), buttonTop);
    QCOMPARE(d->Btn_Cancel->y(), buttonTop);
    QCOMPARE(d->size(), QSize(312, clientHeight));
    QCOMPARE(d->GB_Serial->height(), serialCollapsed ? 26 : 329);
    QCOMPARE(d->GB_ModbusTCPSlave->height(), tcpCollapsed ? 26 : 395);
    QCOMPARE(d->GB_Serial_Visible, !serialCollapsed);
    QCOMPARE(d->GB_ModbusTCPSlave_Visible, !tcpCollapsed);
    QCOMPARE(d->CB_Serial_Serial->isVisible(), !serialCollapsed);
    QCOMPARE(d->L_Serial_Serial->isVisible(), !serialCollapsed);
    QCOMPARE(d->L_ModbusTCPSlave_IP_Add->isVisible(), !tcpCollapsed);
    QCOMPARE(d->Btn_Serial_Expande->isVisible(), serialCollapsed);
    QCOMPARE(d->Btn_Serial_Collapse->isVisible(), !serialCollapsed);
    QCOMPARE(d->Btn_ModbusTCPSlave_Expande->isVisible(), tcpCollapsed);
    QVERIFY(!d->Is_Change);

    // Expanding gives back the full layout.
    if (serialCollapsed)
        QTest::mouseClick(d->Btn_Serial_Expande, Qt::LeftButton);
    if (tcpCollapsed)
        QTest::mouseClick(d->Btn_ModbusTCPSlave_Expande, Qt::LeftButton);
    QCOMPARE(In_Dialog(d->GB_ModbusTCPSlave), QRect(8, 405, 296, 395));
    QCOMPARE(d->Btn_OK->y(), 813);
    QCOMPARE(d->size(), QSize(312, 854));
    QVERIFY(d->CB_Serial_Serial->isVisible() && d->L_ModbusTCPSlave_IP_Add->isVisible());
    QVERIFY(d->Btn_Serial_Collapse->isVisible() && !d->Btn_Serial_Expande->isVisible());
    d->done(QDialog::Rejected);
}

void TestParGenDialog::collapse_survives_reopening_not_restart()
{
    dialog->show();
    QTest::mouseClick(dialog->Btn_Serial_Collapse, Qt::LeftButton);
    QTest::mouseClick(dialog->Btn_Cancel, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    dialog->show();
    QCOMPARE(In_Dialog(dialog->GB_ModbusTCPSlave).y(), 102);
    QCOMPARE(dialog->height(), 551);
    dialog->done(QDialog::Rejected);

    // The next start builds the dialog anew.
    Start();
    dialog->show();
    QCOMPARE(In_Dialog(dialog->GB_ModbusTCPSlave).y(), 405);
    QCOMPARE(dialog->height(), 854);
    dialog->done(QDialog::Rejected);
}

void TestParGenDialog::typing_an_address_across_octet_edits()
{
    TFParGen *d = dialog;
    d->show();
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    d->E_ModbusTCPSlave_IP1->setFocus();
    d->E_ModbusTCPSlave_IP1->selectAll();
    for (QChar c : QStringLiteral("192.168.0.20.255.255.255.128"))
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QCOMPARE(d->E_ModbusTCPSlave_IP1->text(), QStringLiteral("192"));
    QCOMPARE(d->E_ModbusTCPSlave_IP2->text(), QStringLiteral("168"));
    QCOMPARE(d->E_ModbusTCPSlave_IP3->text(), QStringLiteral("0"));
    QCOMPARE(d->E_ModbusTCPSlave_IP4->text(), QStringLiteral("20"));
    QCOMPARE(d->E_ModbusTCPSlave_SM4->text(), QStringLiteral("128"));
    QCOMPARE(QApplication::focusWidget(), d->E_ModbusTCPSlave_SM4);
    // The mask's last octet hands on to the gateway's first.
    QTest::keyClick(QApplication::focusWidget(), '.');
    QCOMPARE(QApplication::focusWidget(), d->E_ModbusTCPSlave_GAT1);
    QCOMPARE(d->E_ModbusTCPSlave_GAT1->selectedText(), QStringLiteral("192"));
    // Elsewhere a "." is typed as usual.
    QTest::keyClick(d->E_ModbusTCPSlave_Port, '.');
    QCOMPARE(d->E_ModbusTCPSlave_Port->text(), QStringLiteral("502."));
    d->done(QDialog::Rejected);
}

void TestParGenDialog::dot_in_last_gateway_edit_is_ignored()
{
    TFParGen *d = dialog;
    d->show();
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    d->E_ModbusTCPSlave_GAT4->setFocus();
    d->E_ModbusTCPSlave_GAT4->end(false);
    QTest::keyClick(d->E_ModbusTCPSlave_GAT4, '.');
    QCOMPARE(d->E_ModbusTCPSlave_GAT4->text(), QStringLiteral("1"));
    QCOMPARE(QApplication::focusWidget(), d->E_ModbusTCPSlave_GAT4);
    QVERIFY(!d->Is_Change);
    d->done(QDialog::Rejected);
}

void TestParGenDialog::cancel_with_changes_asks()
{
    TFParGen *d = dialog;
    d->show();
    QTest::keyClicks(d->E_ModbusTCPSlave_Port, QStringLiteral("3"));
    platform->Answers = {false};
    QTest::mouseClick(d->Btn_Cancel, Qt::LeftButton);
    QCOMPARE(platform->Questions, QStringList{QStringLiteral("Do you want to exit without saving changes?")});
    QVERIFY(d->isVisible());
    QCOMPARE(d->E_ModbusTCPSlave_Port->text(), QStringLiteral("5023"));
    platform->Answers = {true};
    QTest::mouseClick(d->Btn_Cancel, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QVERIFY(!QFileInfo::exists(File_ParGen));

    // Reopening shows the file's values again; a change undone by hand still counts.
    platform->Clear();
    d->show();
    QCOMPARE(d->E_ModbusTCPSlave_Port->text(), QStringLiteral("502"));
    QVERIFY(!d->Is_Change);
    QTest::keyClicks(d->E_ModbusTCPSlave_Port, QStringLiteral("9"));
    QTest::keyClick(d->E_ModbusTCPSlave_Port, Qt::Key_Backspace);
    QTest::mouseClick(d->CB_ModbusTCPSlave_En_GAT, Qt::LeftButton);
    QTest::mouseClick(d->CB_ModbusTCPSlave_En_GAT, Qt::LeftButton);
    QCOMPARE(Shown(d), Defaults_Shown);
    platform->Answers = {true};
    QTest::mouseClick(d->Btn_Cancel, Qt::LeftButton);
    QCOMPARE(platform->Questions.size(), 1);
    QVERIFY(!d->isVisible());
}

void TestParGenDialog::close_box_and_escape_ask_like_cancel()
{
    TFParGen *d = dialog;
    d->show();
    QVERIFY(d->close());
    QVERIFY(platform->Questions.isEmpty());

    d->show();
    QTest::keyClick(d->CB_Serial_Baud, Qt::Key_Up);
    QCOMPARE(d->CB_Serial_Baud->currentText(), QStringLiteral("57600"));
    QVERIFY(!d->close());
    QVERIFY(d->isVisible());
    QTest::keyClick(d, Qt::Key_Escape);
    QVERIFY(d->isVisible());
    QCOMPARE(platform->Questions.size(), 2);
    platform->Answers = {true};
    QTest::keyClick(d, Qt::Key_Escape);
    QVERIFY(!d->isVisible());
    QVERIFY(!QFileInfo::exists(File_ParGen));
}

void TestParGenDialog::enter_presses_ok_or_the_focused_button_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("open");
    QTest::newRow("Enter in an edit") << "E_Serial_TimeOut" << false << true << false;
    QTest::newRow("keypad Enter in a list") << "CB_Serial_Baud" << true << true << false;
    QTest::newRow("Enter on Cancel") << "Btn_Cancel" << false << false << false;
    QTest::newRow("Enter on a collapse button") << "Btn_Serial_Collapse" << false << false << true;
}

void TestParGenDialog::enter_presses_ok_or_the_focused_button()
{
    QFETCH(QString, focused);
    QFETCH(bool, keypad);
    QFETCH(bool, saved);
    QFETCH(bool, open);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    dialog->findChild<QWidget *>(focused)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), keypad ? Qt::Key_Enter : Qt::Key_Return,
                    keypad ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(QFileInfo::exists(File_ParGen), saved);
    QCOMPARE(dialog->isVisible(), open);
    QCOMPARE(dialog->GB_Serial_Visible, focused != QLatin1String("Btn_Serial_Collapse"));
    dialog->done(QDialog::Rejected);
}

void TestParGenDialog::ok_reports_first_bad_value_then_writes()
{
    TFParGen *d = dialog;
    d->show();
    Retype(d->E_ModbusTCPSlave_IP1, QStringLiteral("300"));
    Retype(d->E_ModbusTCPSlave_Port, QStringLiteral("0"));
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(platform->Errors, QStringList{Lang(480)});
    QVERIFY(d->isVisible());
    QVERIFY(!QFileInfo::exists(File_ParGen));

    Retype(d->E_ModbusTCPSlave_IP1, QStringLiteral("10"));
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(platform->Errors, (QStringList{Lang(480), Lang(503)}));
    QVERIFY(d->isVisible());

    // Values only validated where they matter are saved as typed.
    Retype(d->E_ModbusTCPSlave_Port, QStringLiteral("10001"));
    Retype(d->E_ModbusTCPSlave_SM4, QStringLiteral("$FF"));
    Retype(d->E_ModbusTCPSlave_GAT1, QStringLiteral("999"));
    Retype(d->E_Serial_TimeOut, QStringLiteral("abc"));
    Retype(d->E_Serial_ST_EndChar, QStringLiteral("300"));
    QTest::keyClick(d->CB_Serial_SendType, Qt::Key_Down);
    QTest::keyClick(d->CB_Serial_SendType, Qt::Key_Down);
    QCOMPARE(d->CB_Serial_SendType->currentText(), QStringLiteral("Fix Num Bytes"));
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(platform->Errors.size(), 2);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Accepted));

    const QByteArray saved = env->Read_File(QStringLiteral("PROJECTS/P/ParGen.xml"));
    QVERIFY(saved.startsWith("<Par_Gen><Serial_Serial>1</Serial_Serial>"));
    for (const char *element : {"<ModbusTCPSlave_IP1>10<", "<ModbusTCPSlave_Port>10001<",
                                "<ModbusTCPSlave_SM4>$FF<", "<ModbusTCPSlave_GAT1>999<",
                                "<Serial_TimeOut_RX>abc<", "<Serial_End_Char>300<",
                                "<Serial_Send_Type>2<", "<ModbusTCPSlave_En_GAT>0<"})
        QVERIFY2(saved.contains(element), element);
    QVERIFY(saved.endsWith("</Par_Gen><!--SW_VERSION = 1.102-->"));

    d->show();
    QCOMPARE(d->E_ModbusTCPSlave_SM4->text(), QStringLiteral("$FF"));
    QCOMPARE(d->CB_Serial_SendType->currentIndex(), 2);
    QVERIFY(!d->Is_Change);
    d->done(QDialog::Rejected);
}

void TestParGenDialog::list_index_outside_list_saves_no_selection()
{
    env->Write_File(QStringLiteral("PROJECTS/P/ParGen.xml"),
                   "<Par_Gen><Serial_Baud>9</Serial_Baud><Serial_Parity>abc</Serial_Parity></Par_Gen>");
    dialog->show();
    QCOMPARE(dialog->CB_Serial_Baud->currentIndex(), -1);
    QCOMPARE(dialog->CB_Serial_Parity->currentText(), QStringLiteral("NONE"));
    QTest::mouseClick(dialog->Btn_OK, Qt::LeftButton);
    QVERIFY(platform->Errors.isEmpty());
    QVERIFY(env->Read_File(QStringLiteral("PROJECTS/P/ParGen.xml")).contains("<Serial_Baud>-1</Serial_Baud><Serial_Parity>0</Serial_Parity>"));
}

void TestParGenDialog::damaged_file_shown_and_never_overwritten()
{
    const QByteArray damaged("<Par_Gen><Serial_Baud>3</Serial_Baud>");
    env->Write_File(QStringLiteral("PROJECTS/P/ParGen.xml"), damaged);
    TFParGen *d = dialog;
    d->show();
    QTRY_COMPARE(platform->Errors.size(), 1);
    const QString message = platform->Errors.first();
    QVERIFY2(message.contains(QDir::toNativeSeparators(File_ParGen)), qPrintable(message));
    QVERIFY(d->isVisible());
    // The first opening of a run shows the values the dialog was created with.
    QCOMPARE(Shown(d), (QStringList{"RS232", "115200", "NONE", "End Character", "0", "0", "0", "8",
                                    "off", "0", "192", "168", "0", "5", "255", "255", "255", "0",
                                    "192", "168", "0", "1", "off", "0", "0", "0", "0", "0", "off", "0"}));
    QVERIFY(!d->Is_Change);

    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(platform->Errors.last(), Lang(503));
    Retype(d->E_ModbusTCPSlave_Port, QStringLiteral("502"));
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(platform->Errors.size(), 3);
    QCOMPARE(platform->Errors.last(), message);
    QVERIFY(d->isVisible());
    QCOMPARE(env->Read_File(QStringLiteral("PROJECTS/P/ParGen.xml")), damaged);

    platform->Answers = {true};
    QTest::mouseClick(d->Btn_Cancel, Qt::LeftButton);
    QCOMPARE(platform->Questions.size(), 1);
    QVERIFY(!d->isVisible());

    // Once repaired, the file reads again.
    env->Write_File(QStringLiteral("PROJECTS/P/ParGen.xml"), "<Par_Gen><Serial_Baud>3</Serial_Baud></Par_Gen>");
    d->show();
    QCOMPARE(d->CB_Serial_Baud->currentText(), QStringLiteral("9600"));
    QCOMPARE(d->E_ModbusTCPSlave_Port->text(), QStringLiteral("502"));
    QCOMPARE(platform->Errors.size(), 3);
    d->done(QDialog::Rejected);
}

void TestParGenDialog::write_failure_keeps_dialog_open()
{
    TFParGen *d = dialog;
    d->show();
    QVERIFY(QDir(Path_Project).removeRecursively());
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(platform->Errors.size(), 1);
    QVERIFY2(platform->Errors.first().contains(QDir::toNativeSeparators(File_ParGen)),
             qPrintable(platform->Errors.first()));
    QVERIFY(d->isVisible());
    QVERIFY(!QFileInfo::exists(Path_Project));
    d->done(QDialog::Rejected);
}

// The whole dialog, its title bar, OK and Cancel included, is on the screen.
// ctest runs this file on a desktop screen ("desktop", 1920 x 1200), where the
// dialog is as it always was, and this test again on two laptop screens
// (1366 x 768, 1920 x 1080 at 150 %), where the groups scroll.
void TestParGenDialog::dialog_stays_on_the_screen()
{
    TFParGen *d = dialog;
    d->show();
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    const QRect area = d->screen()->availableGeometry();
    QVERIFY2(area.contains(d->frameGeometry()), qPrintable(QStringLiteral("%1 x %2")
                                                           .arg(d->width()).arg(d->height())));
    for (QWidget *button : {d->Btn_OK, d->Btn_Cancel})
        QVERIFY(area.contains(QRect(button->mapToGlobal(QPoint()), button->size())));
    QScrollBar *bar = d->P_Groups->verticalScrollBar();
    if (d->screen()->name() == QLatin1String("desktop")) {
        QCOMPARE(d->size(), QSize(312, 854));
        QVERIFY(!bar->isVisible());
        d->done(QDialog::Rejected);
        return;
    }
    QVERIFY(bar->isVisible());
    QCOMPARE(In_Dialog(d->P_Groups).right(), d->width() - 1);
    // A list under the wheel leaves it to the groups unless it has the focus.
    QComboBox *parity = d->CB_Serial_Parity;
    QWheelEvent wheel(QPointF(5, 5), parity->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    // As the system sends it: only such wheel events go on to the parents.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(parity, &wheel);
    QCOMPARE(parity->currentText(), QStringLiteral("NONE"));
    QVERIFY(bar->value() > 0);
    // The last field comes into view when it takes the focus, and Enter there saves.
    QLineEdit *last = d->E_ModbusTCPSlave_NumBytesRX;
    last->setFocus();
    const QRect view(d->P_Groups->viewport()->mapTo(d, QPoint()), d->P_Groups->viewport()->size());
    QVERIFY(view.contains(In_Dialog(last)));
    QTest::keyClick(last, Qt::Key_Return);
    QVERIFY(!d->isVisible());
    QVERIFY(QFileInfo::exists(File_ParGen));
}

QTEST_MAIN(TestParGenDialog)
#include "test_pargen_dialog.moc"
