#include "app/UVelmoraeFirmWare.h"

#include "app/UInput_Blocker.h"
#include "app/UPlatform.h"
#include "app/UProcess.h"

#include <QCoreApplication>

void TFVelmoraeFirmWare::Start_Program(const QString &NomeSW, const QString &Parameter,
                                       uint8_t tipo, int limitMs)
{
    const std::unique_ptr<TRunning_Program> program =
        Platform().Start_Program(NomeSW, Parameter, tipo != 0);
    if (!program)
        return;

    const TInput_Blocker blocker;
    const uint32_t start = Tick_Count();
    bool done = false;
    while (!done) {
        done = !program->Is_Running();
        // Past the limit the program is left running; releasing it stops nothing.
        if (!done && uint32_t(Tick_Count() - start) >= uint32_t(limitMs))
            return;
        program->Pause(10);
        QCoreApplication::processEvents();
    }
}
