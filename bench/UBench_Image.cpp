// How long Update Device spends on the configuration image: Build_Image
// (defaults, ParGen.xml read, serialisation) plus Write_Bank_File (bank.bin
// through a save file), in a temporary configuration folder.
#include "bench/UBench_Figures.h"
#include "common/UComon.h"
#include "common/UXmlDoc.h"
#include "image/USaveBincc.h"
#include "params/UParGen_File.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

// A ParGen.xml with all thirty elements, as the Set Communication dialog saves it.
static const char Par_Gen[] =
    "<Par_Gen><Serial_Serial>0</Serial_Serial><Serial_Baud>4</Serial_Baud>"
    "<Serial_Parity>1</Serial_Parity><Serial_Send_Type>2</Serial_Send_Type>"
    "<Serial_End_Char>13</Serial_End_Char><Serial_Num_Byte>256</Serial_Num_Byte>"
    "<Serial_TimeOut_RX>500</Serial_TimeOut_RX><Serial_DataBits>1</Serial_DataBits>"
    "<Serial_Time_Wait_RX_En>0</Serial_Time_Wait_RX_En><Serial_Time_Wait_RX_Time>20</Serial_Time_Wait_RX_Time>"
    "<ModbusTCPSlave_IP1>10</ModbusTCPSlave_IP1><ModbusTCPSlave_IP2>0</ModbusTCPSlave_IP2>"
    "<ModbusTCPSlave_IP3>0</ModbusTCPSlave_IP3><ModbusTCPSlave_IP4>50</ModbusTCPSlave_IP4>"
    "<ModbusTCPSlave_SM1>255</ModbusTCPSlave_SM1><ModbusTCPSlave_SM2>255</ModbusTCPSlave_SM2>"
    "<ModbusTCPSlave_SM3>255</ModbusTCPSlave_SM3><ModbusTCPSlave_SM4>0</ModbusTCPSlave_SM4>"
    "<ModbusTCPSlave_GAT1>10</ModbusTCPSlave_GAT1><ModbusTCPSlave_GAT2>0</ModbusTCPSlave_GAT2>"
    "<ModbusTCPSlave_GAT3>0</ModbusTCPSlave_GAT3><ModbusTCPSlave_GAT4>1</ModbusTCPSlave_GAT4>"
    "<ModbusTCPSlave_En_GAT>1</ModbusTCPSlave_En_GAT><ModbusTCPSlave_Port>502</ModbusTCPSlave_Port>"
    "<ModbusTCPSlave_Start_Read>1</ModbusTCPSlave_Start_Read>"
    "<ModbusTCPSlave_Start_Write>1</ModbusTCPSlave_Start_Write>"
    "<ModbusTCPSlave_Control_Word>0</ModbusTCPSlave_Control_Word>"
    "<ModbusTCPSlave_Status_Word>0</ModbusTCPSlave_Status_Word>"
    "<ModbusTCPSlave_Enable_NumByteRX>1</ModbusTCPSlave_Enable_NumByteRX>"
    "<ModbusTCPSlave_NumByteRX>1</ModbusTCPSlave_NumByteRX></Par_Gen><!--SW_VERSION = 1.102-->";

bool Bench_Image()
{
    QTemporaryDir dir;
    const QString project = dir.path();
    const QString parGen = ParGen_File_Path(project);
    QString error;
    if (!QDir().mkpath(Join_Path(project, QStringLiteral("bin")))
        || !Save_Whole_File(parGen, QByteArray(Par_Gen), &error)) {
        std::fprintf(stderr, "cannot prepare the configuration folder: %s\n", qPrintable(error));
        return false;
    }

    constexpr int Rounds = 1001;
    TXMLDocument doc;
    QList<double> build;
    QList<double> total;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        TImage image;
        const bool built = Build_Image(doc, parGen, image, &error);
        build.append(clock.nsecsElapsed() / 1e3);
        if (!built || !Write_Bank_File(project, image.Bytes, &error)) {
            std::fprintf(stderr, "image round %d failed: %s\n", i + 1, qPrintable(error));
            return false;
        }
        total.append(clock.nsecsElapsed() / 1e3);
    }
    std::printf("Configuration image, in a temporary configuration folder:\n");
    Print_Figure("Build_Image + Write_Bank_File", total, "us");
    Print_Figure("Build_Image alone", build, "us");
    return true;
}
