#include "logic/serial/ReceiveLog.h"

#include <QCoreApplication>
#include <QFileInfo>

bool ReceiveLog::start(const QString &path)
{
    stop();
    m_file.setFileName(path);
    // A device or FIFO has no end to append at.
    const QFileInfo info(path);
    const bool appendable = !info.exists() || info.isFile();
    QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    if (appendable)
        mode |= QIODevice::Append;
    if (!m_file.open(mode)) {
        m_error = QCoreApplication::translate("ReceiveLog", "Cannot log to %1: %2").arg(path, m_file.errorString());
        return false;
    }
    m_error.clear();
    return true;
}

void ReceiveLog::stop()
{
    if (m_file.isOpen())
        m_file.close();
}

bool ReceiveLog::write(const QByteArray &bytes)
{
    if (!isLogging() || bytes.isEmpty())
        return true;
    if (m_file.write(bytes) == bytes.size())
        return true;
    m_error = QCoreApplication::translate("ReceiveLog", "Logging to %1 stopped: %2")
                  .arg(m_file.fileName(), m_file.errorString());
    stop();
    return false;
}
