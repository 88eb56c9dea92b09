#include "platform/UProcess.h"

#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QDir>
#include <qt_windows.h>
#include <shellapi.h>
#else
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#endif

TRun_Result Not_Started_Result(const QString &program)
{
    return {QFileInfo::exists(program) ? TRun_End::Not_Started : TRun_End::Not_Found, 0, 0};
}

#ifdef Q_OS_WIN

uint32_t Tick_Count()
{
    return GetTickCount();
}

namespace {

class TWin_Program : public TRunning_Program
{
public:
    TWin_Program(HANDLE process, HANDLE event) : m_process(process), m_event(event) {}
    ~TWin_Program() override
    {
        CloseHandle(m_process);
        if (m_event)
            CloseHandle(m_event);
    }

    bool Is_Running() override
    {
        DWORD code = 0;
        if (!GetExitCodeProcess(m_process, &code)) {
            m_known = false;
            return false;
        }
        m_code = code;
        m_known = true;
        return code == STILL_ACTIVE;
    }

    // A crash shows as its exception code (0xC0000005 and the like), as the
    // system reports it.
    TRun_Result Ended() const override
    {
        return m_known ? TRun_Result{TRun_End::Exited, int(m_code), 0} : TRun_Result{TRun_End::Exit_Unknown, 0, 0};
    }

    // Another process that signals the event by name only cuts one step short.
    void Pause(int ms) override
    {
        if (m_event)
            WaitForSingleObject(m_event, DWORD(ms));
        else
            Sleep(DWORD(ms));
    }

private:
    HANDLE m_process;
    HANDLE m_event;
    DWORD m_code = 0;
    bool m_known = false;
};

} // namespace

std::unique_ptr<TRunning_Program> Start_Process(const QString &program, const QString &parameters,
                                                bool hidden)
{
    // Automatic reset, not signalled; an existing event of the name is opened.
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, L"HandleCed");
    const QString file = QDir::toNativeSeparators(program);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = nullptr;
    info.lpVerb = nullptr;
    info.lpFile = reinterpret_cast<LPCWSTR>(file.utf16());
    info.lpParameters =
        parameters.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(parameters.utf16());
    info.lpDirectory = nullptr;
    info.nShow = hidden ? SW_HIDE : SW_SHOWNORMAL;
    const bool started = ShellExecuteExW(&info) != FALSE;
    if (event)
        ResetEvent(event);
    if (!started || !info.hProcess) {
        if (event)
            CloseHandle(event);
        return nullptr;
    }
    return std::make_unique<TWin_Program>(info.hProcess, event);
}

#else

uint32_t Tick_Count()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

namespace {

// Waits for a program that was left running, on a thread of its own, so its
// end is collected without a SIGCHLD handler that could take the children of
// other parts of the program.
void Reap_Later(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

class TPosix_Program : public TRunning_Program
{
public:
    explicit TPosix_Program(pid_t pid) : m_pid(pid) {}
    ~TPosix_Program() override
    {
        if (!m_collected)
            Reap_Later(m_pid);
    }

    bool Is_Running() override
    {
        if (m_collected)
            return false;
        int status = 0;
        const pid_t result = waitpid(m_pid, &status, WNOHANG);
        if (result == 0 || (result < 0 && errno == EINTR))
            return true;
        // Ended and collected, or no longer our child to wait for.
        m_collected = true;
        if (result == m_pid && WIFEXITED(status))
            m_ended = {TRun_End::Exited, WEXITSTATUS(status), 0};
        else if (result == m_pid && WIFSIGNALED(status))
            m_ended = {TRun_End::Signalled, WTERMSIG(status), 0};
        return false;
    }

    void Pause(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    TRun_Result Ended() const override { return m_ended; }

private:
    pid_t m_pid;
    bool m_collected = false;
    TRun_Result m_ended{TRun_End::Exit_Unknown, 0, 0};
};

void Close_Pipe(int fds[2])
{
    close(fds[0]);
    close(fds[1]);
}

} // namespace

std::unique_ptr<TRunning_Program> Start_Process(const QString &program, const QString &parameters,
                                                bool hidden)
{
    // Programs open their own windows here; there is no show mode to hand on.
    Q_UNUSED(hidden);
    if (program.isEmpty())
        return nullptr;

    // Everything the child needs is built before the fork: after it, the child
    // may only call async-signal-safe functions.
    std::vector<QByteArray> texts{QFile::encodeName(program)};
    for (const QString &argument : QProcess::splitCommand(parameters))
        texts.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    // The child writes errno here when exec fails; a close without data means
    // the program is running.
    int report[2];
    if (pipe(report) != 0)
        return nullptr;
    if (fcntl(report[0], F_SETFD, FD_CLOEXEC) != 0 || fcntl(report[1], F_SETFD, FD_CLOEXEC) != 0) {
        Close_Pipe(report);
        return nullptr;
    }

    const pid_t pid = fork();
    if (pid < 0) {
        Close_Pipe(report);
        return nullptr;
    }
    if (pid == 0) {
        close(report[0]);
        execv(argv[0], argv.data());
        const int error = errno;
        [[maybe_unused]] const ssize_t written = write(report[1], &error, sizeof(error));
        _exit(127);
    }

    close(report[1]);
    int error = 0;
    ssize_t got;
    do {
        got = read(report[0], &error, sizeof(error));
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got > 0) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return nullptr;
    }
    return std::make_unique<TPosix_Program>(pid);
}

#endif
