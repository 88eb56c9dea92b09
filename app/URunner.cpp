#include "app/URunner.h"

#include "platform/UPlatform.h"
#include "ui/UInput_Blocker.h"

#include <QCoreApplication>

TRun_Result Run_Program(const QString &program, const QString &parameters, bool hidden, int limitMs)
{
    const std::unique_ptr<TRunning_Program> running =
        Platform().Start_Program(program, parameters, hidden);
    if (!running)
        return Not_Started_Result(program);

    const TInput_Blocker blocker;
    const uint32_t start = Tick_Count();
    bool done = false;
    while (!done) {
        done = !running->Is_Running();
        // Past the limit the program is left running; releasing it stops nothing.
        if (!done && uint32_t(Tick_Count() - start) >= uint32_t(limitMs))
            return {TRun_End::Timed_Out, 0, limitMs};
        running->Pause(10);
        QCoreApplication::processEvents();
    }
    return running->Ended();
}
