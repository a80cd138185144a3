#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Lateness of a 10 ms timer: how long the event loop was kept from running,
// that is, how long the window did not answer.
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_longestLateMs = qMax(m_longestLateMs, m_clock.nsecsElapsed() / 1e6 - 10.0);
            m_clock.start();
        });
        m_clock.start();
        m_timer.start();
    }
    double longestLateMs() const { return m_longestLateMs; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_longestLateMs = 0;
};
