#include "LineRecorder.h"

#include <chrono>
#include <poll.h>
#include <unistd.h>

LineRecorder::LineRecorder(int masterFd) : m_fd(masterFd), m_thread(&LineRecorder::run, this)
{
    // Bytes sent before the thread reads would be stamped late.
    while (!m_started)
        std::this_thread::yield();
}

LineRecorder::~LineRecorder()
{
    stop();
}

qint64 LineRecorder::nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void LineRecorder::stallFor(int ms)
{
    m_resumeAtNs = nowNs() + qint64(ms) * 1000000;
}

void LineRecorder::stop()
{
    m_running = false;
    if (m_thread.joinable())
        m_thread.join();
}

void LineRecorder::run()
{
    char buffer[4096];
    m_started = true;
    while (m_running) {
        const qint64 waitNs = m_resumeAtNs - nowNs();
        if (waitNs > 0) {
            usleep(useconds_t(qMin<qint64>(waitNs / 1000 + 1, 5000)));
            continue;
        }
        struct pollfd fd = {m_fd, POLLIN, 0};
        if (::poll(&fd, 1, 5) <= 0 || !(fd.revents & POLLIN))
            continue;
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        const qint64 now = nowNs();
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bytes.append(buffer, n);
        m_arrivals.insert(m_arrivals.end(), size_t(n), now);
    }
}

QByteArray LineRecorder::bytes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bytes;
}

qsizetype LineRecorder::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bytes.size();
}

qint64 LineRecorder::arrivalNs(qsizetype index) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_arrivals.at(size_t(index));
}

qint64 LineRecorder::gapBeforeNs(qsizetype index) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_arrivals.at(size_t(index)) - m_arrivals.at(size_t(index - 1));
}
