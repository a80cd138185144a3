#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Received bytes written to a file exactly as they came, appended to what
// the file already holds. Unbuffered: what the window showed is on disk.
class ReceiveLog
{
public:
    // False, with errorString() saying why, when the file cannot be opened.
    bool start(const QString &path);
    void stop();
    bool isLogging() const { return m_file.isOpen(); }
    QString fileName() const { return m_file.fileName(); }
    // False when the write failed (disk full, file gone); logging stops.
    bool write(const QByteArray &bytes);
    QString errorString() const { return m_error; }

private:
    QFile m_file;
    QString m_error;
};
