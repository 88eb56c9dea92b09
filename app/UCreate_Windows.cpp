#include "app/UCreate_Windows.h"

#include "app/UVelmoraeFirmWare.h"
#include "options/UAbout.h"
#include "options/USoftOptions.h"
#include "params/UParGen.h"
#include "project/UNew_Project.h"
#include "project/UOpenConf.h"
#include "update/UBoot.h"
#include "check/UCheck_Device.h"
#include "plant/UPlant_Overview.h"

void Create_Windows(const QString &exeFolder)
{
    FVelmoraeFirmWare = new TFVelmoraeFirmWare(exeFolder);
    // The dialogs are owned by the main window so they stay above it.
    FNew_Project = new TFNew_Project(FVelmoraeFirmWare);
    FOpenConf = new TFOpenConf(FVelmoraeFirmWare);
    FAbout = new TFAbout(FVelmoraeFirmWare);
    FSoftOptions = new TFSoftOptions(FVelmoraeFirmWare);
    FParGen = new TFParGen(FVelmoraeFirmWare);
    FBoot = new TFBoot(FVelmoraeFirmWare);
    FVelmoraeFirmWare->Connect_Dialogs();
}

void Destroy_Windows()
{
    delete FVelmoraeFirmWare;
    FVelmoraeFirmWare = nullptr;
    FNew_Project = nullptr;
    FOpenConf = nullptr;
    FAbout = nullptr;
    FSoftOptions = nullptr;
    FParGen = nullptr;
    FBoot = nullptr;
    FCheck_Device = nullptr;
    FPlant_Overview = nullptr;
}
