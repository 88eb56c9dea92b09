#include "app/UVelmoraeFirmWare.h"
#include "update/UBoot.h"

void TFVelmoraeFirmWare::Update_Device()
{
    FBoot->exec();
}
