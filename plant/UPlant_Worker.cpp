#include "plant/UPlant_Worker.h"

#include <QThread>

TPlant_Worker::TPlant_Worker(QObject *parent) : QObject(parent) {}

TPlant_Worker::~TPlant_Worker()
{
    if (m_thread)
        m_thread->wait();
}

bool TPlant_Worker::Start(std::function<void()> work, std::function<void()> done)
{
    if (Busy())
        return false;
    m_done = std::move(done);
    m_thread.reset(QThread::create(std::move(work)));
    // The thread's end comes here queued, after the work's writes.
    connect(m_thread.get(), &QThread::finished, this, [this] {
        m_thread->wait();
        m_thread.reset();
        const std::function<void()> done = std::move(m_done);
        m_done = nullptr;
        done();
    });
    m_thread->start();
    return true;
}
