#pragma once

#include <QByteArray>
#include <QString>

// A real pseudo-terminal for serial tests: the program opens slavePath()
// with QSerialPort, the test reads and writes the master side.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }

    // Writes everything to the master (arrives as input at the program's port).
    bool write(const QByteArray &bytes);
    // Reads what the program sent, waiting up to timeoutMs for the first
    // byte and then until the line has been quiet for quietMs.
    QByteArray read(int timeoutMs = 1000, int quietMs = 50);
    // Reads until `count` bytes arrived or timeoutMs passed.
    QByteArray readExactly(int count, int timeoutMs = 5000);
    // Closes the master: the program's port sees the other end vanish.
    void closeMaster();
    // The line speed the program set on the slave side (e.g. 19200), -1 on error.
    int slaveBaudRate() const;

private:
    bool waitReadable(int timeoutMs);

    int m_master = -1;
    int m_slave = -1; // kept open so the line settings stay readable
    QString m_slavePath;
};
