#include "platform/forms/Timer.h"

#include <QTimer>

#include <algorithm>

namespace pv
{

namespace
{
bool g_testMode = false;
qint64 g_simNow = 0;
quint64 g_nextSeq = 0;

QList<Timer *> &allTimers()
{
    static QList<Timer *> timers;
    return timers;
}
} // namespace

Timer::Timer(QObject *parent) : QObject(parent), m_seq(++g_nextSeq)
{
    allTimers().append(this);
}

Timer::Timer(int intervalMs, bool enabled, QObject *parent) : Timer(parent)
{
    m_interval = std::max(0, intervalMs);
    setEnabled(enabled);
}

Timer::~Timer()
{
    allTimers().removeAll(this);
}

void Timer::setInterval(int ms)
{
    m_interval = std::max(0, ms);
    restart();
}

void Timer::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    restart();
}

void Timer::restart()
{
    m_due = g_simNow + m_interval;
    const bool run = m_enabled && m_interval > 0;
    if (!run || g_testMode) {
        if (m_real)
            m_real->stop();
        return;
    }
    if (!m_real) {
        m_real = new QTimer(this);
        connect(m_real, &QTimer::timeout, this, [this] {
            // A timer switched to test mode while running stops by itself.
            if (g_testMode)
                m_real->stop();
            else
                emit tick();
        });
    }
    m_real->start(m_interval);
}

void Timer::setTestMode(bool on)
{
    g_testMode = on;
    g_simNow = 0;
    for (Timer *t : allTimers())
        t->restart();
}

bool Timer::fire(Timer &timer)
{
    if (!timer.m_enabled || timer.m_interval <= 0)
        return false;
    timer.m_due = g_simNow + timer.m_interval;
    emit timer.tick();
    return true;
}

int Timer::advance(int ms)
{
    const qint64 target = g_simNow + std::max(0, ms);
    int ticks = 0;
    // A bound keeps a runaway (a tick that re-enables itself forever) from hanging a test.
    for (int guard = 0; guard < 1000000; ++guard) {
        Timer *next = nullptr;
        for (Timer *t : allTimers()) {
            if (!t->m_enabled || t->m_interval <= 0 || t->m_due > target)
                continue;
            if (!next || t->m_due < next->m_due || (t->m_due == next->m_due && t->m_seq < next->m_seq))
                next = t;
        }
        if (!next)
            break;
        g_simNow = next->m_due;
        next->m_due = g_simNow + next->m_interval;
        ++ticks;
        emit next->tick();
    }
    g_simNow = target;
    return ticks;
}

QList<Timer *> Timer::running()
{
    QList<Timer *> out;
    for (Timer *t : allTimers())
        if (t->m_enabled && t->m_interval > 0)
            out.append(t);
    return out;
}

} // namespace pv
