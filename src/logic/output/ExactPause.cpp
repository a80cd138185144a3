#include "logic/output/ExactPause.h"

#include <time.h>

namespace {
// The end of a pause is slept rather than left to a timer.
constexpr int sleptMs = 1;
} // namespace

ExactPause::ExactPause(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ExactPause::timerFired);
}

void ExactPause::start(int ms)
{
    m_ms = ms;
    m_running = true;
    m_clock.start();
    m_timer.start(qMax(0, ms - sleptMs));
}

void ExactPause::stop()
{
    m_running = false;
    m_timer.stop();
}

// A timer may fire early or late by a millisecond: it stops short of the
// pause, and the rest is slept, so the gap is neither shorter nor much
// longer than asked.
void ExactPause::timerFired()
{
    if (!m_running)
        return;
    const qint64 leftNs = qint64(m_ms) * 1000000 - m_clock.nsecsElapsed();
    if (leftNs > qint64(sleptMs) * 1000000) {
        m_timer.start(int(leftNs / 1000000) - sleptMs + 1);
        return;
    }
    if (leftNs > 0) {
        const struct timespec rest = {0, long(leftNs)};
        ::nanosleep(&rest, nullptr);
    }
    m_running = false;
    emit elapsed();
}
