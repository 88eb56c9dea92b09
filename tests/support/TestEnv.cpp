#include "TestEnv.h"

#include "app/UCreate_Windows.h"
#include "app/UVelmoraeFirmWare.h"
#include "common/UComon.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

TTestEnv::TTestEnv() = default;

TTestEnv::~TTestEnv()
{
    if (m_started)
        Stop();
}

void TTestEnv::Write_File(const QString &relativePath, const QByteArray &bytes) const
{
    const QString path = m_dir.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray TTestEnv::Read_File(const QString &relativePath) const
{
    QFile file(m_dir.filePath(relativePath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TTestEnv::Start()
{
    Reset_Shared_State();
    Create_Windows(m_dir.path());
    m_started = true;
}

void TTestEnv::Stop()
{
    if (!m_started)
        return;
    FVelmoraeFirmWare->close();
    Destroy_Windows();
    m_started = false;
}

void When_Modal_Shows(std::function<void(QWidget *)> action, int timeoutMs)
{
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, timeoutMs] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        action(modal);
    });
    timer->start();
}
