#include "TestSim.h"

TTestSim::TTestSim(const QString &folder, const QStringList &arguments)
{
    m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_sim.start(qEnvironmentVariable("VELMORA_DIST_DIR") + QStringLiteral("/velmora-sim"),
                QStringList{QStringLiteral("--folder"), folder} + arguments);
    while (!m_said.contains("velmora-sim: serving") && m_sim.waitForReadyRead(10000))
        m_said += m_sim.readAllStandardOutput();
}

TTestSim::~TTestSim()
{
    m_sim.kill();
    m_sim.waitForFinished(5000);
}
