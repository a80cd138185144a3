#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// A pause of whole milliseconds from the event loop that ends neither early
// nor a timer's slack late: a precise timer stops short of the end, and the
// last millisecond is slept.
class ExactPause : public QObject
{
    Q_OBJECT
public:
    explicit ExactPause(QObject *parent = nullptr);

    void start(int ms);
    void stop();

signals:
    void elapsed();

private:
    void timerFired();

    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_ms = 0;
    bool m_running = false;
};
