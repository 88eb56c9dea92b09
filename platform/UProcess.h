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

// How a run of a program ended, as the program runner tells it.
enum class TRun_End {
    Exited,         // it ended by itself: Code is its exit status
    Signalled,      // a signal ended it (POSIX; a Windows crash is an exit status): Code is the signal
    Exit_Unknown,   // it ended, but its exit status could not be had
    Not_Found,      // no file at the program's path: never started
    Not_Started,    // the file is there, but the system would not start it
    Timed_Out       // still running at the limit (Limit_Ms): left running
};

struct TRun_Result
{
    TRun_End End = TRun_End::Not_Started;
    int Code = 0;
    int Limit_Ms = 0;
};

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
    // How it ended, once Is_Running() has said that it has: Exited,
    // Signalled or Exit_Unknown.
    virtual TRun_Result Ended() const = 0;
};

// The result for a program that could not be started: Not_Found when no file
// is at its path, Not_Started otherwise.
TRun_Result Not_Started_Result(const QString &program);

// Starts program (a full path) with parameters split as a command line is
// (blanks separate, double quotes group); hidden asks for no visible window
// where the system has one. nullptr when the program could not be started.
std::unique_ptr<TRunning_Program> Start_Process(const QString &program, const QString &parameters,
                                                bool hidden);
