#include "app/URunner.h"

#include "platform/UPlatform.h"
#include "platform/UProcess.h"
#include "ui/UInput_Blocker.h"

#include <QCoreApplication>

void Run_Program(const QString &program, const QString &parameters, bool hidden, int limitMs)
{
    const std::unique_ptr<TRunning_Program> running =
        Platform().Start_Program(program, parameters, hidden);
    if (!running)
        return;

    const TInput_Blocker blocker;
    const uint32_t start = Tick_Count();
    bool done = false;
    while (!done) {
        done = !running->Is_Running();
        // Past the limit the program is left running; releasing it stops nothing.
        if (!done && uint32_t(Tick_Count() - start) >= uint32_t(limitMs))
            return;
        running->Pause(10);
        QCoreApplication::processEvents();
    }
}
