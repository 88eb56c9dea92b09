#pragma once
// Starting an outside program without a shell and watching whether it still
// runs, over the operating system's own process calls; and the 32-bit
// millisecond clock that the waits of the program measure with.

#include <QString>
#include <cstdint>
#include <memory>

// Milliseconds from an arbitrary start, wrapping at 2^32; differences of two
// readings are taken as unsigned 32-bit numbers so a wrap does not matter.
uint32_t Tick_Count();

// A started program. Releasing it never stops the program: one still running
// is left to run on, and its end is still collected so it leaves no zombie.
class TRunning_Program
{
public:
    virtual ~TRunning_Program() = default;
    // True while the program has not ended.
    virtual bool Is_Running() = 0;
    // One pacing step of the wait for it, ms long.
    virtual void Pause(int ms) = 0;
};

// Starts program (a full path) with parameters split as a command line is
// (blanks separate, double quotes group); hidden asks for no visible window
// where the system has one. nullptr when the program could not be started.
std::unique_ptr<TRunning_Program> Start_Process(const QString &program, const QString &parameters,
                                                bool hidden);
