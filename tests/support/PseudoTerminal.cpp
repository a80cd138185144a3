#include "PseudoTerminal.h"

#include <QElapsedTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    char name[256] = {};
    struct termios raw;
    cfmakeraw(&raw);
    if (openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // A program the test starts must not inherit either side: a master it
    // held would keep the line alive after closeMaster().
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal()
{
    closeMaster();
    if (m_slave >= 0)
        ::close(m_slave);
}

bool PseudoTerminal::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (n > 0)
            done += n;
        else
            usleep(1000);
    }
    return true;
}

bool PseudoTerminal::waitReadable(int timeoutMs)
{
    struct pollfd fd = {m_master, POLLIN, 0};
    return ::poll(&fd, 1, timeoutMs) > 0 && (fd.revents & POLLIN);
}

QByteArray PseudoTerminal::read(int timeoutMs, int quietMs)
{
    QByteArray result;
    int wait = timeoutMs;
    char buffer[4096];
    while (waitReadable(wait)) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        result.append(buffer, n);
        wait = quietMs;
    }
    return result;
}

QByteArray PseudoTerminal::readExactly(int count, int timeoutMs)
{
    QByteArray result;
    QElapsedTimer clock;
    clock.start();
    char buffer[4096];
    while (result.size() < count && clock.elapsed() < timeoutMs) {
        if (!waitReadable(int(qMax<qint64>(1, timeoutMs - clock.elapsed()))))
            continue;
        const ssize_t n = ::read(m_master, buffer, size_t(qMin<qsizetype>(sizeof buffer, count - result.size())));
        if (n > 0)
            result.append(buffer, n);
    }
    return result;
}

void PseudoTerminal::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

int PseudoTerminal::slaveBaudRate() const
{
    struct termios settings;
    if (m_slave < 0 || tcgetattr(m_slave, &settings) != 0)
        return -1;
    switch (cfgetospeed(&settings)) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
    }
}
