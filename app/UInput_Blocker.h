#pragma once
// While the program waits on something outside it (the updater, the web
// server) the windows repaint but what the user does is dropped, not queued:
// a click made during the wait never acts afterwards.

#include <QObject>

class TInput_Blocker : public QObject
{
public:
    TInput_Blocker();
    ~TInput_Blocker() override;

protected:
    bool eventFilter(QObject *, QEvent *event) override;
};
