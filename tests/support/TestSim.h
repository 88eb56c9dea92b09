#pragma once
// velmora-sim from the built program folder, for as long as the object lives.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

class TTestSim
{
public:
    // Starts velmora-sim --folder folder with arguments and waits up to 10 s
    // for it to say that it serves.
    TTestSim(const QString &folder, const QStringList &arguments);
    ~TTestSim();
    TTestSim(const TTestSim &) = delete;
    TTestSim &operator=(const TTestSim &) = delete;

    // What it printed until then ("velmora-sim: serving N ..." once it serves).
    const QByteArray &Said() const { return m_said; }

private:
    QProcess m_sim;
    QByteArray m_said;
};
