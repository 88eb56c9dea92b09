// Check Device against velmora-sim, Debian's pymodbus and the scripted server on 127.0.0.1: rows, steps, verdicts and their causes, the record, copying the table, Cancel and close during a check, bad input, keys and focus, a language change, the rows in view, what registers mean, a watch, the remembered unit and registers.
#include "TestData.h"
#include "TestEnv.h"
#include "TestHttpServer.h"
#include "TestModbusServer.h"
#include "TestSim.h"

#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "check/UCheck_Device.h"
#include "check/UCheck_Tables.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QUrl>
#include <QtTest>
#include <memory>

namespace {

enum class TTarget { Sim, Pymodbus, Scripted, Refused };

// The configuration Pump at 127.0.0.1:port, Set Communication's defaults
// otherwise but for the "Element=text" changes; it is the open one.
void Write_Pump(const TTestEnv &env, quint16 port, const QStringList &changes = {})
{
    QString xml = QStringLiteral("<Par_Gen>");
    for (const QString &value :
         QStringList{QStringLiteral("IP1=127"), QStringLiteral("IP2=0"), QStringLiteral("IP3=0"),
                     QStringLiteral("IP4=1"), QStringLiteral("Port=%1").arg(port)}
             + changes)
        xml += QStringLiteral("<ModbusTCPSlave_%1>%2</ModbusTCPSlave_%1>")
                   .arg(value.section(QLatin1Char('='), 0, 0), value.section(QLatin1Char('='), 1));
    QVERIFY(env.Write_File(QStringLiteral("PROJECTS/Pump/ParGen.xml"), (xml + QStringLiteral("</Par_Gen>")).toUtf8()));
}

// velmora-sim from the program folder serving Pump, once it says so; ended
// with the test.
std::unique_ptr<TTestSim> Serve_Pump(const TTestEnv &env, const QStringList &arguments = {})
{
    auto sim = std::make_unique<TTestSim>(env.Folder(), arguments + QStringList{QStringLiteral("Pump")});
    if (!sim->Said().contains("serving"))
        qWarning("velmora-sim did not serve: %s", sim->Said().constData());
    return sim;
}

// Starts the program with Pump open and shows the dialog for it, echo off.
TFCheck_Device *Open_Dialog(TTestEnv &env, const QByteArray &settings = Settings_Xml(QStringLiteral("Pump")))
{
    QDir(env.Folder()).mkpath(QStringLiteral("PROJECTS/Pump/bin"));
    env.Write_File(QStringLiteral("Velmora.xml"), settings);
    env.Start();
    TFCheck_Device *dialog = FVelmoraeFirmWare->Check_Device_Window();
    dialog->Prepare(Path_Project, {Last_Check_Unit_ID, Last_Check_Registers});
    dialog->show();
    dialog->CB_Echo->setChecked(false);
    return dialog;
}

bool Run_Check(TFCheck_Device *dialog)
{
    dialog->Btn_Start->click();
    QElapsedTimer clock;
    clock.start();
    while (dialog->Running() && clock.elapsed() < 20000)
        QTest::qWait(10);
    return !dialog->Running();
}

// A register row as "decimal hex", or its one text.
QString Row(TFCheck_Device *dialog, int row)
{
    const QString decimal = dialog->Tables->SG_Registers->item(row, TCheck_Tables::Col_Decimal)->text();
    const QTableWidgetItem *hex = dialog->Tables->SG_Registers->item(row, TCheck_Tables::Col_Hex);
    return hex && !hex->text().isEmpty() ? decimal + QLatin1Char(' ') + hex->text() : decimal;
}

// The steps after the echo, by their state.
QString States(TFCheck_Device *dialog)
{
    QStringList states;
    for (int row = 1; row < dialog->Tables->SG_Steps->rowCount(); ++row)
        states << dialog->Tables->SG_Steps->item(row, TCheck_Tables::Col_State)->text();
    return states.join(QLatin1Char(','));
}

// The verdict line without its time.
QString Verdict(TFCheck_Device *dialog)
{
    return dialog->L_Verdict->accessibleName().section(QStringLiteral(" ("), 0, -2);
}

// The texts of table that do not show whole (its headers' and cells', a
// spanned cell's across its columns), as "row,column: text".
QStringList Cut_Texts(QTableWidget *table)
{
    QStringList cut;
    const auto fits = [](const QFont &font, const QString &text, int width) {
        return QFontMetricsF(font).horizontalAdvance(text) + 6 <= width;
    };
    for (int column = 0; column < table->columnCount(); ++column) {
        const QString header = table->horizontalHeaderItem(column)->text();
        if (!fits(table->horizontalHeader()->font(), header, table->columnWidth(column)))
            cut << QStringLiteral("header %1: %2").arg(column).arg(header);
        for (int row = 0; row < table->rowCount(); ++row) {
            const QTableWidgetItem *item = table->item(row, column);
            int width = 0;
            for (int c = column; c < column + table->columnSpan(row, column); ++c)
                width += table->columnWidth(c);
            const QVariant font = item ? item->data(Qt::FontRole) : QVariant();
            if (item && !fits(font.isValid() ? font.value<QFont>() : table->font(), item->text(), width))
                cut << QStringLiteral("%1,%2: %3").arg(row).arg(column).arg(item->text());
        }
    }
    return cut;
}

// Starts a check of Pump served by a velmora-sim that never answers, and
// returns once its first read waits.
void Start_Mute_Check(TTestEnv &env, std::unique_ptr<TTestSim> &sim, TFCheck_Device *&dialog)
{
    Write_Pump(env, Refused_Port());
    sim = Serve_Pump(env, QStringList{QStringLiteral("--silent")});
    dialog = Open_Dialog(env);
    dialog->Btn_Start->click();
    QTRY_VERIFY_WITH_TIMEOUT(States(dialog).startsWith(QStringLiteral("connected,running...")), 5000);
}

// Check.log holds one whole block, the cancelled check's.
void Verify_Cancelled_Record(const TTestEnv &env)
{
    const QByteArray log = env.Read_File(QStringLiteral("PROJECTS/Pump/Check.log"));
    QCOMPARE(log.count("=== Check "), 1);
    QVERIFY2(log.contains("\nVerdict: cancelled, ") && log.endsWith(" ms\n\n"), log.constData());
}

} // namespace

class TestCheckDevice : public QObject
{
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
    void cancel_during_mute_device();
    void close_during_check_data();
    void close_during_check();
    void bad_input_refused_data();
    void bad_input_refused();
    void keyboard();
    void enter_shows_the_focus();
    void language_change_data();
    void language_change();
    void register_rows_in_view_data();
    void register_rows_in_view();
    void register_meanings_data();
    void register_meanings();
    void watch();
    void remembered_choices_data();
    void remembered_choices();
};

void TestCheckDevice::checks_data()
{
    QTest::addColumn<TTarget>("target");
    QTest::addColumn<TServer_Behaviour>("behaviour");   // the scripted server's
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("exception");     // the scripted server's, for every read
    QTest::addColumn<QStringList>("rows");  // "row=shown"
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("cause");   // under the verdict; %1: the port
    const QString answered = QStringLiteral("connected,answered,answered,answered,answered,answered");
    const QString all = QStringLiteral("Verdict: Answers with the configured map");
    const QString none;
    // Rows: read data 1-8 (0-7), status word 0, byte count 1, write data 1-8 (10-17), control word 0.
    // A block without values says why once, on its first row; an exception shows on every row.
    QTest::newRow("velmora-sim") << TTarget::Sim << TServer_Behaviour::Answer << QStringList() << 1 << 0
                                 << QStringList{QStringLiteral("7=0 0x0000"), QStringLiteral("17=0 0x0000")} << answered << all << none;
    QTest::newRow("pymodbus") << TTarget::Pymodbus << TServer_Behaviour::Answer << QStringList() << 1 << 0
                              << QStringList{QStringLiteral("0=40961 0xA001"), QStringLiteral("8=40960 0xA000"),
                                             QStringLiteral("10=20481 0x5001"), QStringLiteral("18=20480 0x5000")}
                              << answered << all << none;
    QTest::newRow("pymodbus, write data by 04")
        << TTarget::Pymodbus << TServer_Behaviour::Answer << QStringList{QStringLiteral("switch")} << 1 << 0
        << QStringList{QStringLiteral("10=40961 0xA001"), QStringLiteral("18=20480 0x5000")} << answered << all << none;
    QTest::newRow("pymodbus, read data where it has none")
        << TTarget::Pymodbus << TServer_Behaviour::Answer << QStringList{QStringLiteral("Start_Read=200")} << 1 << 0
        << QStringList{QStringLiteral("0=Exception 02: illegal data address"),
                       QStringLiteral("7=Exception 02: illegal data address"), QStringLiteral("8=40960 0xA000")}
        << QStringLiteral("connected,refused,answered,answered,answered,answered")
        << QStringLiteral("Verdict: Answers, but registers refused: 8 - the device may be running another configuration")
        << QStringLiteral("Read Data: refused with Exception 02: illegal data address");
    QTest::newRow("pymodbus, another unit")
        << TTarget::Pymodbus << TServer_Behaviour::Answer << QStringList() << 2 << 0
        << QStringList{QStringLiteral("0=failed"), QStringLiteral("1="), QStringLiteral("18=not asked: after the fault above")}
        << QStringLiteral("connected,failed,not asked,not asked,not asked,not asked") << QStringLiteral("Verdict: No answer")
        << QStringLiteral("Read Data: no answer within 3000 ms");
    QTest::newRow("exception 0B") << TTarget::Scripted << TServer_Behaviour::Exception << QStringList() << 1 << 11
                                  << QStringList{QStringLiteral("9=Exception 0B: gateway target device failed to respond")}
                                  << QStringLiteral("connected,refused,refused,refused,refused,refused")
                                  << QStringLiteral("Verdict: Answers, but registers refused: 19")
                                  << QStringLiteral("Read Data: refused with Exception 0B: gateway target device failed to respond");
    QTest::newRow("exception 05") << TTarget::Scripted << TServer_Behaviour::Exception << QStringList() << 1 << 5
                                  << QStringList{QStringLiteral("18=Exception 05")}
                                  << QStringLiteral("connected,refused,refused,refused,refused,refused")
                                  << QStringLiteral("Verdict: Answers, but registers refused: 19")
                                  << QStringLiteral("Read Data: refused with Exception 05");
    QTest::newRow("exception 00") << TTarget::Scripted << TServer_Behaviour::Exception << QStringList() << 1 << 0
                                  << QStringList{QStringLiteral("18=Exception 00")}
                                  << QStringLiteral("connected,refused,refused,refused,refused,refused")
                                  << QStringLiteral("Verdict: Answers, but registers refused: 19")
                                  << QStringLiteral("Read Data: refused with Exception 00");
    // Peers that answer what was not asked, or not with Modbus TCP: no value
    // but the read's own answer's is shown, and nothing more is asked.
    const QString out = QStringLiteral("connected,failed,not asked,not asked,not asked,not asked");
    const QString faulty = QStringLiteral("Verdict: Answers, but not as a Modbus TCP slave must");
    const QString notThis = QStringLiteral("an answer that is not this read's own (another request's or function's, or a "
                                           "broken frame): nothing more was asked");
    const QString after = QStringLiteral("not asked: after the fault above");
    QTest::newRow("first answer sent twice")
        << TTarget::Scripted << TServer_Behaviour::Repeat_First << QStringList() << 1 << 0
        << QStringList{QStringLiteral("7=1008 0x03F0"), QStringLiteral("8=failed"), QStringLiteral("9=") + after}
        << QStringLiteral("connected,answered,failed,not asked,not asked,not asked") << faulty
        << QStringLiteral("Status Word: ") + notThis;
    QTest::newRow("another function") << TTarget::Scripted << TServer_Behaviour::Other_Function << QStringList() << 1
        << 0 << QStringList{QStringLiteral("0=failed"), QStringLiteral("8=") + after} << out << faulty
        << QStringLiteral("Read Data: ") + notThis;
    QTest::newRow("a register too many") << TTarget::Scripted << TServer_Behaviour::Long_Frame << QStringList() << 1
        << 0 << QStringList{QStringLiteral("0=failed"), QStringLiteral("7="), QStringLiteral("8=") + after} << out << faulty
        << QStringLiteral("Read Data: ") + notThis;
    QTest::newRow("a web server") << TTarget::Scripted << TServer_Behaviour::Http_Answer << QStringList() << 1 << 0
        << QStringList{QStringLiteral("0=failed")} << out << faulty
        << QStringLiteral("Read Data: the port answers, but not with Modbus TCP");
    QTest::newRow("closes after the request") << TTarget::Scripted << TServer_Behaviour::Close_After_Request
        << QStringList() << 1 << 0 << QStringList{QStringLiteral("0=failed")} << out
        << QStringLiteral("Verdict: No answer")
        << QStringLiteral("Read Data: the device closed the connection instead of answering");
    // Said once for each block, not on each of its rows.
    QTest::newRow("port closed") << TTarget::Refused << TServer_Behaviour::Answer << QStringList() << 1 << 0
                                 << QStringList{QStringLiteral("0=not asked: no connection"), QStringLiteral("1="),
                                                QStringLiteral("8=not asked: no connection"), QStringLiteral("11=")}
                                 << QStringLiteral("failed,not asked,not asked,not asked,not asked,not asked")
                                 << QStringLiteral("Verdict: Modbus TCP port closed")
                                 << QStringLiteral("TCP Connection: refused: nothing listens at port %1 of 127.0.0.1, or it "
                                                   "listens at another port (is the device's Modbus TCP server on?)");
}

void TestCheckDevice::checks()
{
    QFETCH(TTarget, target);
    QFETCH(TServer_Behaviour, behaviour);
    QFETCH(QStringList, changes);
    QFETCH(int, unit);
    QFETCH(int, exception);
    QFETCH(QStringList, rows);
    QFETCH(QString, states);
    QFETCH(QString, verdict);
    QFETCH(QString, cause);
    TTestEnv env;
    TTestModbusServer scripted(behaviour, exception);
    const QString peer = qEnvironmentVariable("VELMORA_MODBUS_PEER");
    if (target == TTarget::Pymodbus && peer.isEmpty())
        QSKIP("no independent Modbus peer (with_modbus_peer.sh and python3-pymodbus)");
    const quint16 port = target == TTarget::Pymodbus   ? quint16(peer.section(QLatin1Char(':'), 1).toUInt())
                         : target == TTarget::Scripted ? scripted.serverPort()
                                                       : Refused_Port();
    const bool switched = changes.removeAll(QStringLiteral("switch")) > 0;
    Write_Pump(env, port, changes);
    std::unique_ptr<TTestSim> sim;
    if (target == TTarget::Sim)
        sim = Serve_Pump(env);
    TFCheck_Device *dialog = Open_Dialog(env);
    QCOMPARE(dialog->Address_Text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(dialog->E_Port->text(), QString::number(port));
    dialog->SE_Unit_ID->setValue(unit);
    if (switched) {
        auto *box = dialog->findChild<QComboBox *>(QStringLiteral("CB_Function_3"));
        box->setCurrentIndex(1);
        emit box->activated(1);
    }
    QVERIFY(Run_Check(dialog));
    for (const QString &row : rows)
        QCOMPARE(Row(dialog, row.section(QLatin1Char('='), 0, 0).toInt()), row.section(QLatin1Char('='), 1));
    QCOMPARE(States(dialog), states);
    QCOMPARE(Verdict(dialog), verdict);
    // The first failing step says why under the verdict (in full: the
    // window is wide enough), the engine's words its hint; the verdict's
    // hint does not repeat the verdict.
    QCOMPARE(dialog->L_Cause->text(), cause.contains(QLatin1String("%1")) ? cause.arg(port) : cause);
    QCOMPARE(dialog->L_Cause->toolTip().isEmpty(), cause.isEmpty());
    QVERIFY(dialog->L_Verdict->toolTip().isEmpty());
    // A role sits in its row's line, as the other cells of the row.
    QTableWidget *table = dialog->Tables->SG_Registers;
    const QRect role = table->visualRect(table->model()->index(0, TCheck_Tables::Col_Role));
    const QRect address = table->visualRect(table->model()->index(0, TCheck_Tables::Col_Address));
    QCOMPARE(std::make_pair(role.top(), role.height()), std::make_pair(address.top(), address.height()));
    QVERIFY(!(table->item(0, TCheck_Tables::Col_Role)->textAlignment() & Qt::AlignTop));
    // The record is the engine's, in the folder the dialog names; it opens from here.
    const QString log = env.Path(QStringLiteral("PROJECTS/Pump/Check.log"));
    QVERIFY(dialog->L_Log->accessibleName().endsWith(QDir::toNativeSeparators(log)));
    QVERIFY(env.Read_File(QStringLiteral("PROJECTS/Pump/Check.log")).contains(QStringLiteral("unit %1").arg(unit).toUtf8()));
    QTest::mouseClick(dialog->Btn_Log, Qt::LeftButton);
    QCOMPARE(env.Platform.Opened_Urls, QStringList{QUrl::fromLocalFile(log).toString()});
    // Ctrl+C, wherever the focus is but in an edit field, copies every row.
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    table->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keySequence(table, QKeySequence::Copy);
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + table->rowCount());
    QCOMPARE(lines.first().split(QLatin1Char('\t')).size(), int(TCheck_Tables::Register_Columns));
    QVERIFY2(lines.at(1).startsWith(QStringLiteral("Read Data\t")), qPrintable(lines.at(1)));
    for (const QString &row : rows) {
        const QStringList cells = lines.at(1 + row.section(QLatin1Char('='), 0, 0).toInt()).split(QLatin1Char('\t'));
        const QString &hex = cells.at(TCheck_Tables::Col_Hex);
        QCOMPARE(hex.isEmpty() ? cells.at(TCheck_Tables::Col_Decimal) : cells.at(TCheck_Tables::Col_Decimal) + QLatin1Char(' ') + hex,
                 row.section(QLatin1Char('='), 1));
    }
}

void TestCheckDevice::cancel_during_mute_device()
{
    TTestEnv env;
    TFCheck_Device *dialog = nullptr;
    std::unique_ptr<TTestSim> sim;
    Start_Mute_Check(env, sim, dialog);
    QVERIFY(!dialog->Btn_Start->isEnabled() && dialog->Btn_Cancel->isEnabled());
    QVERIFY(!dialog->E_IP1->isEnabled());
    QElapsedTimer clock;
    clock.start();
    // The window takes the click while the check waits for the device.
    QTest::mouseClick(dialog->Btn_Cancel, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 2000);
    // Within half a second, well before the 3 s the read would wait, with room for a slow machine.
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(Verdict(dialog), QStringLiteral("Verdict: Check cancelled"));
    QVERIFY(dialog->Btn_Start->isEnabled() && !dialog->Btn_Cancel->isEnabled() && dialog->E_IP1->isEnabled());
    Verify_Cancelled_Record(env);
}

void TestCheckDevice::close_during_check_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Close button") << "Btn_Close";
    QTest::newRow("close box") << "close";
    QTest::newRow("program ends") << "program";
}

void TestCheckDevice::close_during_check()
{
    QFETCH(QString, how);
    TTestEnv env;
    TFCheck_Device *dialog = nullptr;
    std::unique_ptr<TTestSim> sim;
    Start_Mute_Check(env, sim, dialog);
    QElapsedTimer clock;
    clock.start();
    if (how == QLatin1String("Btn_Close"))
        QTest::mouseClick(dialog->Btn_Close, Qt::LeftButton);
    else if (how == QLatin1String("close"))
        dialog->close();
    else
        env.Stop();
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    if (how != QLatin1String("program"))
        QVERIFY(!dialog->isVisible() && !dialog->Running());
    Verify_Cancelled_Record(env);
}

void TestCheckDevice::bad_input_refused_data()
{
    QTest::addColumn<QStringList>("fields");   // four octets and the port
    QTest::addColumn<QString>("error");
    const QString address = QStringLiteral("Error! The IP address must be four numbers from 0 to 255");
    const QString port = QStringLiteral("Error! The port must be a number from 1 to 65535");
    QTest::newRow("octet 256") << QStringList{"127", "0", "0", "256", "502"} << address;
    QTest::newRow("letter in octet") << QStringList{"127", "0", "0", "1x", "502"} << address;
    QTest::newRow("empty octet") << QStringList{"127", "", "0", "1", "502"} << address;
    QTest::newRow("port 0") << QStringList{"127", "0", "0", "1", "0"} << port;
    QTest::newRow("port 65536") << QStringList{"127", "0", "0", "1", "65536"} << port;
    QTest::newRow("port text") << QStringList{"127", "0", "0", "1", "502a"} << port;
    QTest::newRow("hexadecimal octet is a number") << QStringList{"0x7F", "0", "0", "1", ""} << QString();
}

void TestCheckDevice::bad_input_refused()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, error);
    TTestEnv env;
    const quint16 refused = Refused_Port();
    Write_Pump(env, refused);
    TFCheck_Device *dialog = Open_Dialog(env);
    const QList<QLineEdit *> edits{dialog->E_IP1, dialog->E_IP2, dialog->E_IP3, dialog->E_IP4, dialog->E_Port};
    for (int i = 0; i < edits.size(); ++i)
        edits.at(i)->setText(fields.at(i).isEmpty() && i == 4 ? QString::number(refused) : fields.at(i));
    QVERIFY(Run_Check(dialog));
    QCOMPARE(env.Platform.Errors, error.isEmpty() ? QStringList() : QStringList{error});
    // Only a check that ran is recorded, with the address as a number.
    const QByteArray log = env.Read_File(QStringLiteral("PROJECTS/Pump/Check.log"));
    QCOMPARE(log.contains(QStringLiteral("Device: 127.0.0.1:%1").arg(refused).toUtf8()), error.isEmpty());
}

void TestCheckDevice::keyboard()
{
    TTestEnv env;
    const quint16 refused = Refused_Port();
    Write_Pump(env, refused);
    TFCheck_Device *dialog = Open_Dialog(env);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    // An address typed as it is written.
    for (const QChar c : QStringLiteral("127.0.0.9."))
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QCOMPARE(dialog->Address_Text(), QStringLiteral("127.0.0.9"));
    // Tab walks every control in reading order, each with a name to announce.
    QStringList order;
    dialog->E_IP1->setFocus();
    for (int i = 0; i < 20; ++i) {
        QWidget *focus = QApplication::focusWidget();
        while (focus && focus->objectName().startsWith(QLatin1String("qt_")))
            focus = focus->parentWidget();
        QVERIFY(focus);
        if (!order.isEmpty() && focus->objectName() == order.first())
            break;
        QVERIFY2(!QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name).isEmpty(),
                 qPrintable(focus->objectName()));
        // A function list with the focus is framed; its row is not selected,
        // then or after.
        QVERIFY2(!dialog->Tables->SG_Registers->selectionModel()->hasSelection(), qPrintable(focus->objectName()));
        if (focus->objectName() == QLatin1String("CB_Function_0"))
            QCOMPARE(focus->grab().toImage().pixelColor(1, focus->height() / 2), focus->palette().color(QPalette::Highlight));
        order << focus->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order.join(QLatin1Char(' ')),
             QStringLiteral("E_IP1 E_IP2 E_IP3 E_IP4 E_Port SE_Unit_ID SE_Registers CB_Echo SG_Registers "
                            "CB_Function_0 CB_Function_1 CB_Function_2 CB_Function_3 CB_Function_4 SG_Steps "
                            "Btn_Copy Btn_Close Btn_Watch Btn_Start"));
    // Each function list is named for its own block (what Windows' screen
    // readers say; on Linux they say the list's text); with 125 registers a
    // block the table shows only after scrolling comes into view by Tab.
    QStringList named;
    for (int box = 0; box < 5; ++box)
        named << dialog->findChild<QComboBox *>(QStringLiteral("CB_Function_%1").arg(box))->accessibleName();
    QCOMPARE(named, QStringList({"Function Read Data", "Function Status Word", "Function Byte Count",
                                 "Function Write Data", "Function Control Word"}));
    dialog->SE_Registers->setValue(125);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);   // the lists of 8 go
    dialog->findChild<QComboBox *>(QStringLiteral("CB_Function_3"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto *last = dialog->findChild<QComboBox *>(QStringLiteral("CB_Function_4"));
    QCOMPARE(QApplication::focusWidget(), last);
    QVERIFY(dialog->Tables->SG_Registers->viewport()->rect().contains(
        QRect(last->mapTo(dialog->Tables->SG_Registers->viewport(), QPoint()), last->size())));
    // Enter starts the check from a field; Escape closes the window.
    dialog->E_IP4->setText(QStringLiteral("1"));
    QTest::keyClick(dialog->E_Port, Qt::Key_Return);
    QTRY_VERIFY(dialog->Result().has_value());
    QTest::keyClick(dialog->E_Port, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    // Its tables grow with their rows as far as its screen has room, with a
    // title bar; at their least (a few rows) it fits a 1366 x 768 screen, and
    // a 1920 x 1080 one at 150 %, with a title bar and a task bar.
    QVERIFY(dialog->height() + 40 <= dialog->screen()->availableGeometry().height());
    dialog->SE_Registers->setValue(1);
    QVERIFY(dialog->width() <= 1366 && dialog->height() + 30 + 40 <= 768);
    QVERIFY(dialog->width() * 1.5 <= 1920 && (dialog->height() + 30) * 1.5 + 40 <= 1080);
}

// A check started with Enter from the field the window opened in (no Tab
// pressed yet) moves the focus to Cancel and back to Start, whose frame shows.
void TestCheckDevice::enter_shows_the_focus()
{
    TTestEnv env;
    Write_Pump(env, Refused_Port());
    TFCheck_Device *dialog = Open_Dialog(env);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(QApplication::focusWidget(), dialog->E_IP1);
    QTest::keyClick(dialog->E_IP1, Qt::Key_Return);
    QTRY_VERIFY(dialog->Result().has_value());
    QCOMPARE(QApplication::focusWidget(), dialog->Btn_Start);
    const QImage start = dialog->Btn_Start->grab().toImage();
    int framed = 0;
    for (int y = 2; y < start.height() - 2; ++y)
        framed += start.pixelColor(2, y) != dialog->Btn_Start->Face_Colour() ? 1 : 0;
    QVERIFY2(framed > start.height() / 3, qPrintable(QString::number(framed)));
}

void TestCheckDevice::language_change_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("shown");   // title, Start, row 0, step state, verdict, cause
    QTest::newRow("shipped Italiano")
        << "Italiano"
        << QStringList{"Verifica dispositivo su Modbus TCP", "Avvia", "Eccezione 02: indirizzo dati non valido", "rifiutato",
                       "Esito: Risponde, ma registri rifiutati: 19 - il dispositivo potrebbe avere un'altra configurazione",
                       "Dati in lettura: rifiutato con Eccezione 02: indirizzo dati non valido"};
    // Its exception texts are the longest: they must show whole all the same.
    QTest::newRow("shipped Deutsch")
        << "Deutsch"
        << QStringList{"Gerät über Modbus TCP prüfen", "Start", "Ausnahme 02: unzulässige Datenadresse", "abgewiesen",
                       "Ergebnis: Antwortet, aber Register abgewiesen: 19 - das Gerät läuft vielleicht mit einer anderen Konfiguration",
                       "Lesedaten: abgewiesen mit Ausnahme 02: unzulässige Datenadresse"};
    // Their steps' states and times are the widest.
    QTest::newRow("shipped Français")
        << "Français"
        << QStringList{"Vérifier l'appareil en Modbus TCP", "Démarrer", "Exception 02 : adresse de données illégale", "refusé",
                       "Verdict : Répond, mais registres refusés : 19 - l'appareil fonctionne peut-être avec une autre configuration",
                       "Données en lecture : refusé avec Exception 02 : adresse de données illégale"};
    QTest::newRow("shipped Español")
        << "Español"
        << QStringList{"Comprobar dispositivo en Modbus TCP", "Iniciar", "Excepción 02: dirección de datos ilegal", "rechazado",
                       "Resultado: Responde, pero registros rechazados: 19 - puede que el dispositivo tenga otra configuración",
                       "Datos de lectura: rechazado con Excepción 02: dirección de datos ilegal"};
    // A language file from before the dialog: its texts stay English.
    QTest::newRow("file without them")
        << "Vecchio"
        << QStringList{"Check Device on Modbus TCP", "Start", "Exception 02: illegal data address", "refused",
                       "Verdict: Answers, but registers refused: 19 - the device may be running another configuration",
                       "Read Data: refused with Exception 02: illegal data address"};
}

void TestCheckDevice::language_change()
{
    QFETCH(QString, language);
    QFETCH(QStringList, shown);
    TTestEnv env;
    TTestModbusServer scripted(TServer_Behaviour::Exception, 2);
    Write_Pump(env, scripted.serverPort());
    QFile shipped(Join_Path(qEnvironmentVariable("VELMORA_DIST_DIR"), QStringLiteral("LANGUAGE/%1.lng").arg(language)));
    if (shipped.open(QIODevice::ReadOnly))
        env.Write_File(QStringLiteral("LANGUAGE/%1.lng").arg(language), shipped.readAll());
    env.Write_File(QStringLiteral("LANGUAGE/Vecchio.lng"), "STR17 = Aggiorna\n");
    TFCheck_Device *dialog = Open_Dialog(env);
    QVERIFY(Run_Check(dialog));
    // The options dialog's road: the table rebuilt, then every window's texts.
    Language = language;
    QVERIFY(Select_Language(Language));
    FVelmoraeFirmWare->Change_Language(Language);
    QCOMPARE(FVelmoraeFirmWare->Btn_CreateBin->Caption(), Lang(17));
    QCOMPARE(QStringList({dialog->windowTitle(), dialog->Btn_Start->Caption(), Row(dialog, 0),
                          dialog->Tables->SG_Steps->item(2, TCheck_Tables::Col_State)->text(), Verdict(dialog),
                          dialog->L_Cause->text()}),
             shown);
    // Every header and cell shows whole, no table scrolls sideways, and the
    // window fits a 1366 x 768 screen and a 1920 x 1080 one at 150 %.
    for (QTableWidget *table : {dialog->Tables->SG_Registers, dialog->Tables->SG_Steps}) {
        QCOMPARE(Cut_Texts(table), QStringList());
        QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
    }
    QVERIFY2(dialog->width() <= 1366 && dialog->width() * 1.5 <= 1920, qPrintable(QString::number(dialog->width())));
    // A refused row says its exception and, in this language, why, as its hint.
    const QTableWidgetItem *refused = dialog->Tables->SG_Registers->item(0, TCheck_Tables::Col_Decimal);
    QVERIFY(refused->toolTip().contains(refused->text()));
    QVERIFY(dialog->Tables->SG_Steps->item(2, TCheck_Tables::Col_State)->toolTip().contains(
        shown.last().section(QLatin1Char(':'), 1).trimmed()));
}

void TestCheckDevice::register_rows_in_view_data()
{
    QTest::addColumn<int>("refusedFrom");   // the scripted server refuses reads from here on; -1: no check
    QTest::addColumn<int>("row");           // to be in view, at the top as far as the table scrolls
    QTest::newRow("window opened again") << -1 << 0;
    QTest::newRow("every block answered") << 65536 << 0;
    // Rows: read data 0-19, status word 20, byte count 21, write data 22-41, control word 42.
    QTest::newRow("write data refused") << 100 << 22;
}

// The registers show from the top when the window opens, and after a check
// from the first block that did not answer, whatever was scrolled to before.
void TestCheckDevice::register_rows_in_view()
{
    QFETCH(int, refusedFrom);
    QFETCH(int, row);
    TTestEnv env;
    TTestModbusServer scripted(TServer_Behaviour::Answer, 2);
    scripted.Exception_From = refusedFrom;
    Write_Pump(env, scripted.serverPort(), {QStringLiteral("Start_Write=200")});
    TFCheck_Device *dialog = Open_Dialog(env);
    dialog->SE_Registers->setValue(20);
    QTableWidget *table = dialog->Tables->SG_Registers;
    QScrollBar *bar = table->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    if (refusedFrom < 0) {
        dialog->reject();
        dialog->Prepare(Path_Project, {1, 20});
        dialog->show();
    } else {
        QVERIFY(Run_Check(dialog));
    }
    QVERIFY(table->viewport()->rect().contains(table->visualRect(table->model()->index(row, TCheck_Tables::Col_Address))));
    QCOMPARE(table->rowAt(0) == 0, row == 0);
}

void TestCheckDevice::register_meanings_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("number");   // as a manual counts it
    QTest::addColumn<QString>("text");     // the read data as text, the status word as bits
    QTest::newRow("read data at address 1") << 0 << "30002" << "He";
    QTest::newRow("a byte no letter") << 2 << "30004" << QString::fromUtf8("o\u00B7");
    QTest::newRow("the last byte counted") << 6 << "30008" << "!";
    QTest::newRow("beyond the byte count") << 7 << "30009" << "";
    QTest::newRow("status word at address 0") << 8 << "30001" << "1000 0000 0000 0101";
    QTest::newRow("byte count at address 50") << 9 << "30051" << "";
    QTest::newRow("write data at address 1") << 10 << "40002" << "";
    QTest::newRow("control word at address 0") << 18 << "40001" << "";
}

// Beside its protocol address each register has the number a device manual
// gives it; the read data show as text up to the byte count read (serial
// bytes, the high byte first), the status word as bits.
void TestCheckDevice::register_meanings()
{
    QFETCH(int, row);
    QFETCH(QString, number);
    QFETCH(QString, text);
    TTestEnv env;
    TTestModbusServer scripted;
    const QByteArray bytes("Hello\x01 world!!", 14);
    for (int i = 0; i < 7; ++i)
        scripted.Input_Values.insert(1 + i, uint16_t(uint8_t(bytes.at(2 * i)) << 8 | uint8_t(bytes.at(2 * i + 1))));
    scripted.Input_Values.insert(0, 0x8005);
    scripted.Input_Values.insert(50, 13);
    Write_Pump(env, scripted.serverPort(), {QStringLiteral("NumByteRX=50")});
    TFCheck_Device *dialog = Open_Dialog(env);
    QVERIFY(Run_Check(dialog));
    QCOMPARE(Verdict(dialog), QStringLiteral("Verdict: Answers with the configured map"));
    QTableWidget *table = dialog->Tables->SG_Registers;
    QCOMPARE(table->item(row, TCheck_Tables::Col_Manual)->text(), number);
    QCOMPARE(table->item(row, TCheck_Tables::Col_Text)->text(), text);
}

// A watch of velmora-sim, whose status word counts up once a second: the
// value that changed is marked in its text, Stop ends the watch at once, and
// the record gets one block for it.
void TestCheckDevice::watch()
{
    TTestEnv env;
    Write_Pump(env, Refused_Port());
    const std::unique_ptr<TTestSim> sim = Serve_Pump(env);
    TFCheck_Device *dialog = Open_Dialog(env);
    QTest::mouseClick(dialog->Btn_Watch, Qt::LeftButton);
    QVERIFY(dialog->Watching() && !dialog->Btn_Watch->isEnabled() && !dialog->Btn_Start->isEnabled());
    QCOMPARE(dialog->Btn_Cancel->Caption(), QStringLiteral("Stop"));
    QTRY_VERIFY_WITH_TIMEOUT(Row(dialog, 8).contains(QStringLiteral(" * ")), 4000);
    QVERIFY(dialog->Tables->SG_Registers->item(8, TCheck_Tables::Col_Decimal)->toolTip().startsWith(
        QStringLiteral("Changed in the last read, from ")));
    QVERIFY(!Row(dialog, 0).contains(QLatin1Char('*')));
    QVERIFY(dialog->L_Verdict->text().startsWith(QStringLiteral("Watching: ")));
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(dialog->Btn_Cancel, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 2000);
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(Verdict(dialog).startsWith(QStringLiteral("Verdict of the last of "))
                 && Verdict(dialog).endsWith(QStringLiteral(" reads: Answers with the configured map")),
             qPrintable(Verdict(dialog)));
    QCOMPARE(dialog->Btn_Cancel->Caption(), QStringLiteral("Cancel"));
    const QByteArray log = env.Read_File(QStringLiteral("PROJECTS/Pump/Check.log"));
    QCOMPARE(log.count("=== Check "), 1);
    QVERIFY(log.contains("\nWatch: "));
}

void TestCheckDevice::remembered_choices_data()
{
    QTest::addColumn<QByteArray>("kept");    // what Velmora.xml holds after lastinternet
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("registers");
    QTest::addColumn<bool>("echo");          // Echo Requests First, shared with Plant Overview
    QTest::newRow("file from before them") << QByteArray() << 1 << 8 << true;
    QTest::newRow("kept") << QByteArray("<lastcheck><Check_Unit_ID>0</Check_Unit_ID><Check_Registers>125</Check_Registers>"
                                        "<Check_Echo>0</Check_Echo></lastcheck>") << 0 << 125 << false;
    QTest::newRow("out of range") << QByteArray("<lastcheck><Check_Unit_ID>256</Check_Unit_ID><Check_Registers>0</Check_Registers>"
                                                "<Check_Echo>x</Check_Echo></lastcheck>") << 1 << 8 << true;
    QTest::newRow("no numbers") << QByteArray("<lastcheck><Check_Unit_ID>x</Check_Unit_ID><Check_Registers/></lastcheck>") << 1 << 8 << true;
}

void TestCheckDevice::remembered_choices()
{
    QFETCH(QByteArray, kept);
    QFETCH(int, unit);
    QFETCH(int, registers);
    QFETCH(bool, echo);
    TTestEnv env;
    Write_Pump(env, Refused_Port());
    QDir(env.Folder()).mkpath(QStringLiteral("PROJECTS/Pump/bin"));
    QByteArray settings = Settings_Xml(QStringLiteral("Pump"));
    settings.replace("</Conf_Settings>", kept + "</Conf_Settings>");
    env.Write_File(QStringLiteral("Velmora.xml"), settings);
    env.Start();
    FVelmoraeFirmWare->show();
    // Step 4 opens the dialog with what was kept; a check started keeps its choices.
    When_Shown(FVelmoraeFirmWare->Check_Device_Window(), [&] {
        QCOMPARE(FCheck_Device->SE_Unit_ID->value(), unit);
        QCOMPARE(FCheck_Device->SE_Registers->value(), registers);
        QCOMPARE(FCheck_Device->CB_Echo->isChecked(), echo);
        QCOMPARE(FCheck_Device->Tables->SG_Registers->rowCount(), 3 * 1 + 2 * registers);
        FCheck_Device->CB_Echo->setChecked(false);
        FCheck_Device->SE_Unit_ID->setValue(247);
        FCheck_Device->SE_Registers->setValue(3);
        QVERIFY(Run_Check(FCheck_Device));
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Check_Device, Qt::LeftButton);
    env.Stop();
    QVERIFY(env.Read_File(QStringLiteral("Velmora.xml"))
                .contains("<lastcheck><Check_Unit_ID>247</Check_Unit_ID><Check_Registers>3</Check_Registers>"
                          "<Check_Echo>0</Check_Echo></lastcheck>"));
}

QTEST_MAIN(TestCheckDevice)
#include "test_check_device.moc"
