#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// A write the firmware made to one of the registers the run logs, or a
// character it read.
struct PortWrite
{
    qint64 cycle = 0;
    QByteArray reg; // "porta", "portb", "portd", "porte", "txreg"
    quint8 value = 0;
};

// What a run of the firmware left behind.
struct FirmwareTrace
{
    QString error; // empty when gpsim ran the whole script
    QVector<PortWrite> writes;
    QVector<PortWrite> received; // the characters it read from RCREG ("rcreg")
    QByteArray eeprom;  // the 24LC256's 32 KiB at the end
    QByteArray answers; // bytes the PIC sent, the start-up line included
    int faults = -1;    // the firmware's fault count for the last stream
    qint64 endCycle = 0;

    // Bytes sent after the start-up line.
    QByteArray answersAfterStart() const;
    // Cycles from each rise of the busy lamp to its fall.
    QVector<qint64> busySpans() const;
};

// One run of the receiver firmware in gpsim. The PIC16F877A at 20 MHz gets
// its RX pin from gpsim's usart module at 19200 baud (the module sends a
// character in 11 bit times, 0.57 ms), a 24LC256 with pull-ups on the I2C
// pins, and the log of its port writes. Characters are queued the way
// Tavrel's sender paces them: the line is quiet for the pause before each
// wait character.
class GpsimRun
{
public:
    static constexpr qint64 cyclesPerMs = 5000; // instruction cycles at 20 MHz
    static constexpr qint64 nsPerCycle = 200;
    static constexpr qint64 cyclesPerCharacter = 2860;

    // `codFile` is the assembled firmware, `workDir` a folder for the files.
    GpsimRun(const QString &codFile, const QString &workDir);

    // The EEPROM's contents when the run starts (0xff, as new, unless set).
    void setEeprom(const QByteArray &contents) { m_eeprom = contents; }
    // The stream, cut before each wait character; each piece but the first
    // waits `pauseMs` of quiet line. A trailing line end is left out.
    void sendStream(const QByteArray &stream, char waitChar, double pauseMs);
    // `bytes` after `quietMs` of quiet line.
    void send(const QByteArray &bytes, double quietMs);
    // Runs `afterMs` beyond the last character and collects the trace.
    FirmwareTrace run(double afterMs = 60);

private:
    QString writeEepromFile() const;

    QString m_cod;
    QString m_dir;
    QByteArray m_eeprom;
    QStringList m_commands;
    qint64 m_lineFreeAt; // cycle when the last queued character has gone out
};
