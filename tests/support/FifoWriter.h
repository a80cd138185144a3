#pragma once

#include <QProcess>
#include <QString>

// A named pipe that another process fills with `bytes` zero bytes, as when
// a user hands the program a FIFO or a process substitution. Its size reads
// as 0, so only counting what arrives can bound the read.
class FifoWriter
{
public:
    FifoWriter(const QString &path, qint64 bytes);
    ~FifoWriter();
    FifoWriter(const FifoWriter &) = delete;
    FifoWriter &operator=(const FifoWriter &) = delete;

    bool isValid() const { return m_valid; }
    QString path() const { return m_path; }

private:
    QString m_path;
    QProcess m_writer;
    bool m_valid = false;
};
