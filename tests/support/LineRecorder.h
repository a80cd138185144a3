#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// Reads the master side of a pseudo-terminal on its own thread, as a device
// on the line would, and stamps every byte with the time it arrived, so tests
// can measure the quiet gaps between bytes independently of the event loop.
class LineRecorder
{
public:
    explicit LineRecorder(int masterFd);
    ~LineRecorder();
    LineRecorder(const LineRecorder &) = delete;
    LineRecorder &operator=(const LineRecorder &) = delete;

    // Stops reading for `ms` from now (the far end is busy), then resumes.
    void stallFor(int ms);
    // Ends the reading thread; call before closing the master.
    void stop();

    QByteArray bytes() const;
    qsizetype size() const;
    // Nanoseconds between the arrival of byte index-1 and byte index.
    qint64 gapBeforeNs(qsizetype index) const;
    // Arrival of byte `index`, in nanoseconds on the steady clock.
    qint64 arrivalNs(qsizetype index) const;

    static qint64 nowNs();

private:
    void run();

    int m_fd;
    std::atomic<bool> m_running{true};
    std::atomic<bool> m_started{false};
    std::atomic<qint64> m_resumeAtNs{0};
    mutable std::mutex m_mutex;
    QByteArray m_bytes;
    std::vector<qint64> m_arrivals;
    std::thread m_thread;
};
