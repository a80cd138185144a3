#include "logic/virtual/VirtualLcdDevice.h"

#include "logic/virtual/PtyReader.h"
#include "logic/virtual/VirtualPic.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

VirtualLcdDevice::VirtualLcdDevice(const VirtualPicConfig &config, QObject *parent)
    : QObject(parent), m_pic(new VirtualPic(config, this))
{
    connect(m_pic, &VirtualPic::answer, this, &VirtualLcdDevice::writeAnswer);
    connect(m_pic, &VirtualPic::answerAt, this, &VirtualLcdDevice::answerWhenDue);
}

VirtualLcdDevice::~VirtualLcdDevice()
{
    close();
}

bool VirtualLcdDevice::open(QString *error)
{
    if (isOpen())
        return true;
    char name[256] = {};
    // Raw both ways: no echo of what the sender writes, no line editing, no
    // CR LF translation of the answers. A sender may change this; a plain
    // `cat > device` keeps it.
    struct termios raw;
    cfmakeraw(&raw);
    cfsetspeed(&raw, B19200);
    if (::openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        *error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(systemError());
        m_master = m_slave = -1;
        return false;
    }
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    // Answers must never block the device when nobody reads them.
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_devicePath = QString::fromLocal8Bit(name);
    m_reader = new PtyReader(m_master, this);
    connect(m_reader, &PtyReader::received, this, &VirtualLcdDevice::take);
    connect(m_reader, &PtyReader::tick, m_pic, &VirtualPic::checkQuiet);
    connect(m_reader, &PtyReader::failed, this, &VirtualLcdDevice::failed);
    m_reader->start();
    return true;
}

bool VirtualLcdDevice::makeLink(const QString &path, QString *error)
{
    const QFileInfo existing(path);
    if (existing.isSymLink()) {
        QFile::remove(path);
    } else if (existing.exists()) {
        *error = QStringLiteral("%1 exists and is not a symbolic link").arg(path);
        return false;
    }
    if (::symlink(QFile::encodeName(m_devicePath).constData(), QFile::encodeName(path).constData()) != 0) {
        *error = QStringLiteral("cannot link %1 to %2: %3").arg(path, m_devicePath, systemError());
        return false;
    }
    m_linkPath = path;
    return true;
}

void VirtualLcdDevice::close()
{
    if (!isOpen())
        return;
    m_reader->stop();
    // Chunks the reader queued before it stopped still belong to the stream.
    QCoreApplication::sendPostedEvents(this);
    m_pic->finishStream();
    delete m_reader;
    m_reader = nullptr;
    ::close(m_slave);
    ::close(m_master);
    m_master = m_slave = -1;
    removeLink();
}

void VirtualLcdDevice::take(const QByteArray &bytes, qint64 arrivalNs)
{
    m_pic->receive(bytes, arrivalNs);
    if (m_reader)
        m_reader->taken(bytes.size());
}

// An answer nobody reads stays in the line's queue; once that is full
// (EAGAIN) further answers are lost, as on a real line with no listener.
void VirtualLcdDevice::writeAnswer(const QByteArray &bytes)
{
    if (!isOpen())
        return;
    const ssize_t written = ::write(m_master, bytes.constData(), size_t(bytes.size()));
    Q_UNUSED(written);
}

// Timers keep milliseconds: the last one is slept, so that a PIC that needs
// 9.4 ms answers after 9.4 ms, not 10.
void VirtualLcdDevice::answerWhenDue(const QByteArray &bytes, qint64 dueNs)
{
    constexpr qint64 msNs = 1000000;
    const qint64 leftNs = dueNs - PtyReader::monotonicNs();
    if (leftNs > 2 * msNs) {
        QTimer::singleShot(int(leftNs / msNs) - 1, Qt::PreciseTimer, this,
                           [this, bytes, dueNs] { answerWhenDue(bytes, dueNs); });
        return;
    }
    if (leftNs > 0) {
        const struct timespec sleep = {0, long(leftNs)};
        ::nanosleep(&sleep, nullptr);
    }
    writeAnswer(bytes);
}

// Only the link this device made, and only while it still points here.
void VirtualLcdDevice::removeLink()
{
    if (m_linkPath.isEmpty())
        return;
    if (QFileInfo(m_linkPath).isSymLink() && QFile::symLinkTarget(m_linkPath) == m_devicePath)
        QFile::remove(m_linkPath);
    m_linkPath.clear();
}
