// A program folder with the seven windows created in it, as at start (TestEnv.h).
#include "TestEnv.h"

#include "app/UCreate_Windows.h"
#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"

TTestEnv::~TTestEnv()
{
    if (m_started)
        Stop();
}

void TTestEnv::Start()
{
    Reset_Shared_State();
    Create_Windows(Folder());
    m_started = true;
}

void TTestEnv::Stop()
{
    if (!m_started)
        return;
    FVelmoraeFirmWare->close();
    Destroy_Windows();
    m_started = false;
}
