#include "FifoWriter.h"

#include <QFile>
#include <sys/stat.h>

FifoWriter::FifoWriter(const QString &path, qint64 bytes) : m_path(path)
{
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        return;
    // The shell opens the pipe, so this process never blocks on it.
    m_writer.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec head -c \"$1\" /dev/zero > \"$0\""),
                                          path, QString::number(bytes)});
    m_valid = m_writer.waitForStarted();
}

FifoWriter::~FifoWriter()
{
    // A reader that stopped early leaves the writer blocked or killed by SIGPIPE.
    if (m_writer.state() != QProcess::NotRunning && !m_writer.waitForFinished(2000)) {
        m_writer.kill();
        m_writer.waitForFinished();
    }
    QFile::remove(m_path);
}
