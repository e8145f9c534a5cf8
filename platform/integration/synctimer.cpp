#include "synctimer.h"

#include <algorithm>
#include <climits>

SyncTimer::SyncTimer(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SyncTimer::timeout);
}

SyncTimer::~SyncTimer() = default;

void SyncTimer::setTimerInterval(int minSeconds, int maxSeconds)
{
    m_minSeconds = std::max(0, minSeconds);
    m_maxSeconds = std::max(m_minSeconds, maxSeconds);
    // QTimer counts in int milliseconds; keep far-off intervals from overflowing.
    const qint64 milliseconds = std::min<qint64>(qint64(m_minSeconds) * 1000, INT_MAX);
    m_timer.setInterval(int(milliseconds));
}

bool SyncTimer::isActive() const
{
    return m_timer.isActive();
}

void SyncTimer::start()
{
    m_timer.start();
}

void SyncTimer::stop()
{
    m_timer.stop();
}
