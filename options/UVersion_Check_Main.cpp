// The main window's part of the version check: the timer tick and the link.
#include "app/UVelmoraeFirmWare.h"

#include "app/UPlatform.h"
#include "lang/ULang.h"
#include "options/USoftOptions.h"
#include "options/UVersion.h"

namespace {
constexpr int Later_Check_Interval_Ms = 2 * 60 * 60 * 1000;
}

void TFVelmoraeFirmWare::Timer_UpdateTimer()
{
    // No second tick while the request runs.
    Timer_Update.stop();
    if (FSoftOptions->Check_Version()) {
        Set_Label_Text(LL_Update, Download_Link_Html(Lang(19)));
        LL_Update->show();
    } else {
        LL_Update->hide();
    }
    Timer_Update.setInterval(Later_Check_Interval_Ms);
    Timer_Update.start();
}

void TFVelmoraeFirmWare::LL_UpdateLinkClick()
{
    Platform().Open_Url(Download_Page_Url());
}
