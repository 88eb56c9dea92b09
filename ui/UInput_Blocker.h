#pragma once
// While the program waits on something outside it (the updater, the web
// server, the device) the windows repaint but what the user does is dropped,
// not queued: a click made during the wait never acts afterwards. Timers that
// would start a wait of their own are held meanwhile, so waits never nest.

#include <QObject>
#include <QSignalBlocker>
#include <vector>

class QTimer;

// Holds timer's ticks during every wait on the outside from now on; a tick
// that falls due during a wait is dropped and the next comes an interval later.
void Hold_During_Waits(QTimer *timer);

// For its lifetime, the ticks of every timer given to Hold_During_Waits are dropped.
class TTimer_Hold
{
public:
    TTimer_Hold();

private:
    std::vector<QSignalBlocker> m_blockers;
};

// For its lifetime, input to every window is dropped and the timers are held.
class TInput_Blocker : public QObject
{
public:
    TInput_Blocker();
    ~TInput_Blocker() override;

protected:
    bool eventFilter(QObject *, QEvent *event) override;

private:
    TTimer_Hold m_hold;
};
