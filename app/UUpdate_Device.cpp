#include "app/UPlatform.h"
#include "app/UVelmoraeFirmWare.h"
#include "image/USaveBincc.h"
#include "update/UBoot.h"

// The dialog opens only over a freshly written bank.bin: updating the device
// from an older image while the user believes it new would be worse than
// stopping here with the reason.
void TFVelmoraeFirmWare::Update_Device()
{
    QString error;
    if (!Build_Image(XML1, &error) || !Write_Bank_File(&error)) {
        Platform().Error_Box(this, error);
        return;
    }
    FBoot->exec();
}
