#pragma once

#include <QByteArray>
#include <QThread>

#include <atomic>

// Reads a pseudo-terminal's master side on a thread of its own, so every
// chunk is stamped with the monotonic time it arrived, however busy the
// thread that parses it is. A pseudo-terminal keeps no arrival times: the
// stamp is when poll() woke, after the kernel handed the bytes over (which
// a heavily loaded machine can delay by milliseconds). Between chunks, a
// tick every tickMs lets the receiver notice quiet lines in the same order
// as the data. The reader stays at most MostQueued bytes ahead of the
// receiver (which calls taken()): a flood waits in the kernel, not in
// memory, and a stop never waits for a long backlog.
class PtyReader : public QThread
{
    Q_OBJECT
public:
    static constexpr int tickMs = 100;
    static constexpr qsizetype MostQueued = 16 * 1024;

    // Does not own `fd`; it must stay open until the reader has stopped.
    explicit PtyReader(int fd, QObject *parent = nullptr);
    ~PtyReader() override;

    // Ends the thread and waits for it.
    void stop();
    // The receiver has dealt with `count` bytes of what was received.
    void taken(qsizetype count) { m_queued -= count; }

    // CLOCK_MONOTONIC in nanoseconds, the clock of every arrival stamp.
    static qint64 monotonicNs();

signals:
    void received(const QByteArray &bytes, qint64 arrivalNs);
    void tick(qint64 nowNs);
    void failed(const QString &reason);

protected:
    void run() override;

private:
    bool readAvailable();

    int m_fd;
    int m_wake[2] = {-1, -1}; // written once to end the poll
    std::atomic<qsizetype> m_queued{0};
};
