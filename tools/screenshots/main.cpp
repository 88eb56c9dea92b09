// Takes the README's pictures: starts the configurator's windows in a
// throw-away program folder (with the shipped languages and two example
// configurations) and saves each window as a PNG in the folder given. Check
// Device is shown after a check of the virtual converter velmora-sim, which
// serves the open configuration on 127.0.0.1 meanwhile, during a watch of it,
// and in German where nothing serves it. Plant Overview is shown after a
// Check All of a small plant that velmora-sim serves, and its report saved
// as plant_report.pdf beside the pictures.

#include "app/UCreate_Windows.h"
#include "app/USettings.h"
#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"
#include "lang/ULang.h"
#include "options/UAbout.h"
#include "options/USoftOptions.h"
#include "params/UParGen.h"
#include "project/UNew_Project.h"
#include "project/UOpenConf.h"
#include "update/UBoot.h"
#include "check/UCheck_Device.h"
#include "common/UBlock_Record.h"
#include "image/USaveBincc.h"
#include "params/UParGen_File.h"
#include "platform/UPlatform.h"
#include "plant/UPlant_Grid.h"
#include "plant/UPlant_Overview.h"
#include "update/UUpdate_Log.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTcpServer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

static QString Output;

static void Shoot(QWidget *window, const QString &name)
{
    window->show();
    window->raise();
    window->activateWindow();
    QTest::qWait(150);
    const QString path = QDir(Output).filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

static void Copy_Languages(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QStringList files = QDir(from).entryList(QDir::Files);
    for (const QString &file : files)
        QFile::copy(QDir(from).filePath(file), QDir(to).filePath(file));
}

// A port nothing listens at on 127.0.0.1 now.
static quint16 Free_Port()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// velmora-sim from the program folder, serving name at 127.0.0.1:port (the
// configuration's own address) with the arguments given.
static bool Start_Sim(QProcess &sim, const QString &programFolder, const QString &folder,
                      const QString &name, const QStringList &arguments)
{
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QDir(programFolder).filePath(QStringLiteral("velmora-sim")),
              QStringList{QStringLiteral("--folder"), folder} + arguments + QStringList{name});
    // It says so once it serves.
    while (sim.waitForReadyRead(5000)) {
        if (sim.readAll().contains("velmora-sim: serving"))
            return true;
    }
    std::fprintf(stderr, "velmora-sim did not start\n");
    return false;
}

// Shows Check Device for the open configuration after one check.
static void Shoot_Check(const QString &name)
{
    FVelmoraeFirmWare->Check_Device_Window();
    FCheck_Device->Prepare(Path_Project, {Last_Check_Unit_ID, Last_Check_Registers});
    FCheck_Device->show();
    // The virtual converter's status word has counted up meanwhile.
    QTest::qWait(2100);
    FCheck_Device->Btn_StartClick();
    for (int i = 0; i < 500 && FCheck_Device->Running(); ++i)
        QTest::qWait(10);
    Shoot(FCheck_Device, name);
    FCheck_Device->hide();
}

// Shows Check Device during a watch, once the status word changed, then stops it.
static void Shoot_Watch(const QString &name)
{
    FVelmoraeFirmWare->Check_Device_Window();
    FCheck_Device->Prepare(Path_Project, {Last_Check_Unit_ID, Last_Check_Registers});
    FCheck_Device->show();
    FCheck_Device->Btn_WatchClick();
    QTest::qWait(3500);
    Shoot(FCheck_Device, name);
    FCheck_Device->Btn_CancelClick();
    for (int i = 0; i < 500 && FCheck_Device->Running(); ++i)
        QTest::qWait(10);
    FCheck_Device->hide();
}

// The platform's services, but for the name the report is saved under.
class TReport_Platform : public TPlatform
{
public:
    QString Report;
    QString Save_File_Name(QWidget *, const QString &, const QString &, const QString &) override { return Report; }
};

// A small plant beside the example configurations, at consecutive ports of
// 127.0.0.1 from first in the order of their names: each with its image and
// an update of it but for one left as it came; two give one address and
// port; one's settings changed after its update. Of the examples, one is at
// a port where nothing listens, the other gives an address no device has.
// The names velmora-sim is to serve at first, first + 1, ...
static QStringList Make_Plant(const QString &folder, quint16 first)
{
    const QStringList names{QStringLiteral("Bottling 1"), QStringLiteral("Bottling 2"), QStringLiteral("Conveyor"),
                            QStringLiteral("Mixer"),      QStringLiteral("Palletiser"), QStringLiteral("Weigher"),
                            QStringLiteral("Boiler House"), QStringLiteral("Press 2")};
    for (int i = 0; i < names.size(); ++i) {
        const QString project = QDir(folder).filePath(QStringLiteral("PROJECTS/") + names.at(i));
        QDir().mkpath(project + QStringLiteral("/bin"));
        TParGen_Values values = ParGen_Defaults();
        values[PG_ModbusTCPSlave_IP1].Text = QStringLiteral("127");
        values[PG_ModbusTCPSlave_IP2].Text = QStringLiteral("0");
        values[PG_ModbusTCPSlave_IP3].Text = QStringLiteral("0");
        values[PG_ModbusTCPSlave_IP4].Text = QStringLiteral("1");
        values[PG_ModbusTCPSlave_Port].Text = QString::number(first + (names.at(i) == QLatin1String("Weigher") ? 3 : i));
        if (names.at(i) == QLatin1String("Press 2"))
            values[PG_ModbusTCPSlave_IP4].Text = QStringLiteral("256");
        TXMLDocument doc;
        TImage image;
        if (!Save_ParGen(doc, ParGen_File_Path(project), values, nullptr)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(names.at(i)));
            continue;
        }
        if (i >= 6)
            continue;
        Build_Bank_File(project, image, nullptr);
        if (names.at(i) == QLatin1String("Palletiser"))
            continue;
        TUpdate_Run run;
        run.Started = QDateTime::currentDateTime().addSecs(-3600);
        run.Device_Address = QStringLiteral("127.0.0.1");
        Note_Configuration(run, project);
        Save_Whole_File(Update_Log_Path(project), Update_Log_Block(run), nullptr);
        if (names.at(i) == QLatin1String("Conveyor")) {
            values[PG_Serial_Baud].Index = 2;
            Save_ParGen(doc, ParGen_File_Path(project), values, nullptr);
        }
    }
    return names.mid(0, 5);
}

// Plant Overview after a Check All of the plant velmora-sim serves, and its
// report saved.
static void Shoot_Plant(const QString &name, const QString &report)
{
    TFPlant_Overview *window = FVelmoraeFirmWare->Plant_Overview_Window();
    window->show();
    for (int i = 0; i < 500 && window->Reading(); ++i)
        QTest::qWait(10);
    window->Check_All();
    for (int i = 0; i < 1000 && (window->Checking() || window->Reading()); ++i)
        QTest::qWait(10);
    window->Grid->Choose(QStringLiteral("Line 4 Packing"));
    Shoot(window, name);
    if (!report.isEmpty()) {
        TReport_Platform platform;
        platform.Report = report;
        Set_Platform(&platform);
        window->Save_Report();
        for (int i = 0; i < 1000 && window->Saving(); ++i)
            QTest::qWait(10);
        Set_Platform(nullptr);
    }
    window->hide();
}

// (Re)starts the windows in folder with the given language saved.
static void Start_In(const QString &folder, const QString &language)
{
    if (FVelmoraeFirmWare) {
        FVelmoraeFirmWare->close();
        Destroy_Windows();
    }
    Language = language;
    TXMLDocument doc;
    Set_Program_Folders(folder);
    Save_Setting(doc, nullptr);
    Create_Windows(folder);
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program folder with LANGUAGE> <output folder>\n", argv[0]);
        return 2;
    }
    Output = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(Output);

    QTemporaryDir temporary;
    // The program folder, whose name the report gives as the plant's.
    const QString program = QDir(temporary.path()).filePath(QStringLiteral("Plant North"));
    Copy_Languages(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("LANGUAGE")),
                   QDir(program).filePath(QStringLiteral("LANGUAGE")));
    for (const char *name : {"PROJECTS/Line 4 Packing/bin", "PROJECTS/Boiler House/bin",
                             "PROJECTS/Press 2/bin"})
        QDir(program).mkpath(QLatin1String(name));
    // The open configuration is served by velmora-sim on this computer.
    const quint16 port = Free_Port();
    QFile parGen(QDir(program).filePath(QStringLiteral("PROJECTS/Line 4 Packing/ParGen.xml")));
    if (!parGen.open(QIODevice::WriteOnly)
        || parGen.write(QStringLiteral("<Par_Gen><ModbusTCPSlave_IP1>127</ModbusTCPSlave_IP1>"
                                       "<ModbusTCPSlave_IP2>0</ModbusTCPSlave_IP2>"
                                       "<ModbusTCPSlave_IP3>0</ModbusTCPSlave_IP3>"
                                       "<ModbusTCPSlave_IP4>1</ModbusTCPSlave_IP4>"
                                       "<ModbusTCPSlave_Port>%1</ModbusTCPSlave_Port></Par_Gen>")
                            .arg(port)
                            .toUtf8())
               < 0)
        std::fprintf(stderr, "cannot write the example ParGen.xml\n");
    parGen.close();
    Name_Project = QStringLiteral("Line 4 Packing");
    Last_IP_Address = QStringLiteral("192.168.0.10");
    Start_In(program, QStringLiteral("English"));
    Shoot(FVelmoraeFirmWare, QStringLiteral("main_window"));

    FNew_Project->show();
    QTest::keyClicks(FNew_Project->E_New_Proj, QStringLiteral("Line 5 Palletiser"));
    Shoot(FNew_Project, QStringLiteral("new_configuration"));
    FNew_Project->hide();

    Shoot(FOpenConf, QStringLiteral("open_configuration"));
    FOpenConf->hide();

    Shoot(FParGen, QStringLiteral("set_communication"));
    FParGen->Btn_GB_Collapse(FParGen->Btn_Serial_Collapse);
    Shoot(FParGen, QStringLiteral("set_communication_collapsed"));
    FParGen->Btn_GB_Expande(FParGen->findChild<QAbstractButton *>(QStringLiteral("Btn_Serial_Expande")));
    FParGen->hide();

    Shoot(FBoot, QStringLiteral("update_device"));
    FBoot->hide();

    const QString programFolder = QString::fromLocal8Bit(argv[1]);
    const QString configuration = QStringLiteral("Line 4 Packing");
    QProcess sim;
    if (Start_Sim(sim, programFolder, program, configuration, {})) {
        Shoot_Check(QStringLiteral("check_device"));
        Shoot_Watch(QStringLiteral("check_device_watch"));
        // Beside it, the plant.
        const quint16 first = Free_Port();
        QProcess plantSim;
        const QStringList plant = Make_Plant(program, first);
        if (Start_Sim(plantSim, programFolder, program, plant.last(),
                      QStringList{QStringLiteral("--port"), QString::number(first)} + plant.mid(0, plant.size() - 1)))
            Shoot_Plant(QStringLiteral("plant_overview"), QDir(Output).filePath(QStringLiteral("plant_report.pdf")));
        plantSim.kill();
        plantSim.waitForFinished();
    }
    sim.kill();
    sim.waitForFinished();

    const QStringList pages{QStringLiteral("options_language"), QStringLiteral("options_connection"),
                            QStringLiteral("options_settings")};
    for (int page = 0; page < pages.size(); ++page) {
        FSoftOptions->show();
        FSoftOptions->PC_Options->setCurrentIndex(page);
        Shoot(FSoftOptions, pages.at(page));
    }
    FSoftOptions->hide();

    Shoot(FAbout, QStringLiteral("about"));
    FAbout->hide();

    // A start in Italian, as a user who picked it sees the program next time.
    Start_In(program, QStringLiteral("Italiano"));
    Shoot(FVelmoraeFirmWare, QStringLiteral("main_window_italiano"));
    // A device that serves only 4 registers of each data block refuses the
    // read of 8.
    if (Start_Sim(sim, programFolder, program, configuration, {QStringLiteral("--count"), QStringLiteral("4")}))
        Shoot_Check(QStringLiteral("check_device_italiano"));
    sim.kill();
    sim.waitForFinished();
    // In German, with nothing at the configuration's port.
    Start_In(program, QStringLiteral("Deutsch"));
    Shoot_Check(QStringLiteral("check_device_deutsch"));
    Shoot_Plant(QStringLiteral("plant_overview_deutsch"), QString());
    Destroy_Windows();
    return 0;
}
