// Check Device against velmora-sim, Debian's pymodbus and the scripted server on 127.0.0.1: rows, steps and verdicts, the record, Cancel and close during a check, bad input, keys, a language change, the remembered unit and registers.
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
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
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
    void language_change_data();
    void language_change();
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
    const QString answered = QStringLiteral("connected,answered,answered,answered,answered,answered");
    const QString all = QStringLiteral("Verdict: Answers with the configured map");
    // Rows: read data 1-8 (0-7), status word 0, byte count 1, write data 1-8 (10-17), control word 0.
    QTest::newRow("velmora-sim") << TTarget::Sim << TServer_Behaviour::Answer << QStringList() << 1 << 0
                                 << QStringList{QStringLiteral("7=0 0x0000"), QStringLiteral("17=0 0x0000")} << answered << all;
    QTest::newRow("pymodbus") << TTarget::Pymodbus << TServer_Behaviour::Answer << QStringList() << 1 << 0
                              << QStringList{QStringLiteral("0=40961 0xA001"), QStringLiteral("8=40960 0xA000"),
                                             QStringLiteral("10=20481 0x5001"), QStringLiteral("18=20480 0x5000")}
                              << answered << all;
    QTest::newRow("pymodbus, write data by 04")
        << TTarget::Pymodbus << TServer_Behaviour::Answer << QStringList{QStringLiteral("switch")} << 1 << 0
        << QStringList{QStringLiteral("10=40961 0xA001"), QStringLiteral("18=20480 0x5000")} << answered << all;
    QTest::newRow("pymodbus, read data where it has none")
        << TTarget::Pymodbus << TServer_Behaviour::Answer << QStringList{QStringLiteral("Start_Read=200")} << 1 << 0
        << QStringList{QStringLiteral("0=Exception 02: illegal data address"),
                       QStringLiteral("7=Exception 02: illegal data address"), QStringLiteral("8=40960 0xA000")}
        << QStringLiteral("connected,refused,answered,answered,answered,answered")
        << QStringLiteral("Verdict: Answers, but registers refused: 8 - the device may be running another configuration");
    QTest::newRow("pymodbus, another unit")
        << TTarget::Pymodbus << TServer_Behaviour::Answer << QStringList() << 2 << 0
        << QStringList{QStringLiteral("0=failed"), QStringLiteral("18=not asked")}
        << QStringLiteral("connected,failed,not asked,not asked,not asked,not asked") << QStringLiteral("Verdict: No answer");
    QTest::newRow("exception 0B") << TTarget::Scripted << TServer_Behaviour::Exception << QStringList() << 1 << 11
                                  << QStringList{QStringLiteral("9=Exception 0B: gateway target device failed to respond")}
                                  << QStringLiteral("connected,refused,refused,refused,refused,refused")
                                  << QStringLiteral("Verdict: Answers, but registers refused: 19");
    QTest::newRow("exception 05") << TTarget::Scripted << TServer_Behaviour::Exception << QStringList() << 1 << 5
                                  << QStringList{QStringLiteral("18=Exception 05")}
                                  << QStringLiteral("connected,refused,refused,refused,refused,refused")
                                  << QStringLiteral("Verdict: Answers, but registers refused: 19");
    QTest::newRow("exception 00") << TTarget::Scripted << TServer_Behaviour::Exception << QStringList() << 1 << 0
                                  << QStringList{QStringLiteral("18=Exception 00")}
                                  << QStringLiteral("connected,refused,refused,refused,refused,refused")
                                  << QStringLiteral("Verdict: Answers, but registers refused: 19");
    // Peers that answer what was not asked, or not with Modbus TCP: no value
    // but the read's own answer's is shown, and nothing more is asked.
    const QString out = QStringLiteral("connected,failed,not asked,not asked,not asked,not asked");
    const QString faulty = QStringLiteral("Verdict: Answers, but not as a Modbus TCP slave must");
    QTest::newRow("first answer sent twice")
        << TTarget::Scripted << TServer_Behaviour::Repeat_First << QStringList() << 1 << 0
        << QStringList{QStringLiteral("7=1008 0x03F0"), QStringLiteral("8=failed"), QStringLiteral("9=not asked")}
        << QStringLiteral("connected,answered,failed,not asked,not asked,not asked") << faulty;
    QTest::newRow("another function") << TTarget::Scripted << TServer_Behaviour::Other_Function << QStringList() << 1
        << 0 << QStringList{QStringLiteral("0=failed"), QStringLiteral("8=not asked")} << out << faulty;
    QTest::newRow("a register too many") << TTarget::Scripted << TServer_Behaviour::Long_Frame << QStringList() << 1
        << 0 << QStringList{QStringLiteral("7=failed"), QStringLiteral("8=not asked")} << out << faulty;
    QTest::newRow("a web server") << TTarget::Scripted << TServer_Behaviour::Http_Answer << QStringList() << 1 << 0
        << QStringList{QStringLiteral("0=failed")} << out << faulty;
    QTest::newRow("closes after the request") << TTarget::Scripted << TServer_Behaviour::Close_After_Request
        << QStringList() << 1 << 0 << QStringList{QStringLiteral("0=failed")} << out
        << QStringLiteral("Verdict: No answer");
    QTest::newRow("port closed") << TTarget::Refused << TServer_Behaviour::Answer << QStringList() << 1 << 0
                                 << QStringList{QStringLiteral("0=not asked")}
                                 << QStringLiteral("failed,not asked,not asked,not asked,not asked,not asked")
                                 << QStringLiteral("Verdict: Modbus TCP port closed");
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
    // The record is the engine's, in the folder the dialog names.
    const QString log = env.Path(QStringLiteral("PROJECTS/Pump/Check.log"));
    QVERIFY(dialog->L_Log->accessibleName().endsWith(QDir::toNativeSeparators(log)));
    QVERIFY(env.Read_File(QStringLiteral("PROJECTS/Pump/Check.log")).contains(QStringLiteral("unit %1").arg(unit).toUtf8()));
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
        order << focus->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order.join(QLatin1Char(' ')),
             QStringLiteral("E_IP1 E_IP2 E_IP3 E_IP4 E_Port SE_Unit_ID SE_Registers CB_Echo SG_Registers "
                            "CB_Function_0 CB_Function_1 CB_Function_2 CB_Function_3 CB_Function_4 SG_Steps "
                            "Btn_Close Btn_Start"));
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
    // It fits a 1366 x 768 screen, and a 1920 x 1080 one at 150 %, with a
    // title bar and a task bar.
    QVERIFY(dialog->width() <= 1366 && dialog->height() + 30 + 40 <= 768);
    QVERIFY(dialog->width() * 1.5 <= 1920 && (dialog->height() + 30) * 1.5 + 40 <= 1080);
}

void TestCheckDevice::language_change_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("shown");   // title, Start, row 0, step state, verdict
    QTest::newRow("shipped Italiano")
        << "Italiano"
        << QStringList{"Verifica dispositivo su Modbus TCP", "Avvia", "Eccezione 02: indirizzo dati non valido", "rifiutato",
                       "Esito: Risponde, ma registri rifiutati: 19 - il dispositivo potrebbe avere un'altra configurazione"};
    // Its exception texts are the longest: they must show whole all the same.
    QTest::newRow("shipped Deutsch")
        << "Deutsch"
        << QStringList{"Gerät über Modbus TCP prüfen", "Start", "Ausnahme 02: unzulässige Datenadresse", "abgewiesen",
                       "Ergebnis: Antwortet, aber Register abgewiesen: 19 - das Gerät läuft vielleicht mit einer anderen Konfiguration"};
    // A language file from before the dialog: its texts stay English.
    QTest::newRow("file without them")
        << "Vecchio"
        << QStringList{"Check Device on Modbus TCP", "Start", "Exception 02: illegal data address", "refused",
                       "Verdict: Answers, but registers refused: 19 - the device may be running another configuration"};
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
    FVelmoraeFirmWare->Change_Language();
    QCOMPARE(FVelmoraeFirmWare->Btn_CreateBin->Caption(), Lang(17));
    QCOMPARE(QStringList({dialog->windowTitle(), dialog->Btn_Start->Caption(), Row(dialog, 0),
                          dialog->Tables->SG_Steps->item(2, TCheck_Tables::Col_State)->text(), Verdict(dialog)}),
             shown);
    // A refused row shows its exception whole across the value columns, and says it as its hint.
    QTableWidget *table = dialog->Tables->SG_Registers;
    const QTableWidgetItem *refused = table->item(0, TCheck_Tables::Col_Decimal);
    QVERIFY(table->fontMetrics().horizontalAdvance(refused->text()) + 8
            <= table->columnWidth(TCheck_Tables::Col_Decimal) + table->columnWidth(TCheck_Tables::Col_Hex));
    QVERIFY(table->horizontalHeader()->length() <= table->viewport()->width());
    QVERIFY(refused->toolTip().contains(refused->text()));
}

void TestCheckDevice::remembered_choices_data()
{
    QTest::addColumn<QByteArray>("kept");    // what Velmora.xml holds after lastinternet
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("registers");
    QTest::newRow("file from before them") << QByteArray() << 1 << 8;
    QTest::newRow("kept") << QByteArray("<lastcheck><Check_Unit_ID>0</Check_Unit_ID><Check_Registers>125</Check_Registers></lastcheck>") << 0 << 125;
    QTest::newRow("out of range") << QByteArray("<lastcheck><Check_Unit_ID>256</Check_Unit_ID><Check_Registers>0</Check_Registers></lastcheck>") << 1 << 8;
    QTest::newRow("no numbers") << QByteArray("<lastcheck><Check_Unit_ID>x</Check_Unit_ID><Check_Registers/></lastcheck>") << 1 << 8;
}

void TestCheckDevice::remembered_choices()
{
    QFETCH(QByteArray, kept);
    QFETCH(int, unit);
    QFETCH(int, registers);
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
        QCOMPARE(FCheck_Device->Tables->SG_Registers->rowCount(), 3 * 1 + 2 * registers);
        FCheck_Device->CB_Echo->setChecked(false);
        FCheck_Device->SE_Unit_ID->setValue(247);
        FCheck_Device->SE_Registers->setValue(3);
        QVERIFY(Run_Check(FCheck_Device));
    });
    QTest::mouseClick(FVelmoraeFirmWare->Btn_Check_Device, Qt::LeftButton);
    env.Stop();
    QVERIFY(env.Read_File(QStringLiteral("Velmora.xml"))
                .endsWith("<lastcheck><Check_Unit_ID>247</Check_Unit_ID><Check_Registers>3</Check_Registers></lastcheck></Conf_Settings>"));
}

QTEST_MAIN(TestCheckDevice)
#include "test_check_device.moc"
