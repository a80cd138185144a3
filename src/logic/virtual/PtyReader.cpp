#include "logic/virtual/PtyReader.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

PtyReader::PtyReader(int fd, QObject *parent) : QThread(parent), m_fd(fd)
{
    if (::pipe2(m_wake, O_CLOEXEC) != 0)
        m_wake[0] = m_wake[1] = -1;
}

PtyReader::~PtyReader()
{
    stop();
    for (int fd : m_wake)
        if (fd >= 0)
            ::close(fd);
}

void PtyReader::stop()
{
    if (!isRunning())
        return;
    const char byte = 0;
    if (::write(m_wake[1], &byte, 1) != 1)
        requestInterruption(); // still seen at the next tick
    wait();
}

qint64 PtyReader::monotonicNs()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void PtyReader::run()
{
    struct pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    while (!isInterruptionRequested()) {
        // Behind: wait for the receiver, and tell no quiet (the line is not).
        const bool behind = m_queued > MostQueued;
        fds[0].events = behind ? 0 : POLLIN;
        const int ready = ::poll(fds, 2, behind ? 5 : tickMs);
        if (ready < 0 && errno != EINTR) {
            emit failed(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        if (fds[1].revents)
            return;
        if (behind && !(fds[0].revents & (POLLERR | POLLHUP)))
            continue;
        if (ready <= 0) {
            emit tick(monotonicNs());
            continue;
        }
        if (!readAvailable())
            return;
    }
}

// Stamps before reading: the poll has just woken, which is when the first
// byte of the chunk came in.
bool PtyReader::readAvailable()
{
    const qint64 arrival = monotonicNs();
    char buffer[65536];
    const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
    if (n > 0) {
        m_queued += n;
        emit received(QByteArray(buffer, n), arrival);
        return true;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return true;
    // EIO: no slave side is open any more (the device keeps one open, so this
    // means the device is closing).
    emit failed(n == 0 ? QStringLiteral("end of file") : QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}
