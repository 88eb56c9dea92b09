#include "app/UVelmoraeFirmWare.h"

void TFVelmoraeFirmWare::Timer_UpdateTimer() {}

void TFVelmoraeFirmWare::LL_UpdateLinkClick() {}
