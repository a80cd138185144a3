#include "GpsimRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace {

// The firmware is reading the line once it has sent its start-up line.
constexpr qint64 firstCharacterCycle = 700000;
constexpr int eepromSize = 32 * 1024;

QStringList setupCommands(const QString &logFile, const QString &eepromFile)
{
    return {"module library libgpsim_modules",
            "module load usart U1",
            "U1.txbaud = 19200",
            "node nrx",
            "attach nrx portc7 U1.TXPIN",
            "module load e24xx256 E1",
            "load e E1 " + eepromFile,
            "module load pullup PULLSCL",
            "module load pullup PULLSDA",
            "node nscl",
            "attach nscl portc3 E1.SCL PULLSCL.pin",
            "node nsda",
            "attach nsda portc4 E1.SDA PULLSDA.pin",
            "frequency 20000000",
            "log on " + logFile,
            "log w porta",
            "log w portb",
            "log w portd",
            "log w porte",
            "log w txreg",
            "log r rcreg"};
}

// "0x00000000000A2C1F p16f877a ..." starts a logged instruction; "Wrote: 0x0041 to portd(0x0008)"
// is one of its writes, "Read: 0x0041 from rcreg(0x001A)" a character taken.
void parseLog(const QByteArray &log, FirmwareTrace &trace)
{
    static const QRegularExpression cycleLine(QStringLiteral("^0x([0-9A-Fa-f]+) p16f877a"));
    static const QRegularExpression writeLine(QStringLiteral("Wrote: 0x([0-9A-Fa-f]+) to (\\w+)\\("));
    static const QRegularExpression receiveLine(QStringLiteral("Read: 0x([0-9A-Fa-f]+) from rcreg\\("));
    qint64 cycle = 0;
    for (const QByteArray &raw : log.split('\n')) {
        const QString line = QString::fromLatin1(raw);
        const QRegularExpressionMatch start = cycleLine.match(line);
        if (start.hasMatch()) {
            cycle = start.captured(1).toLongLong(nullptr, 16);
            continue;
        }
        const QRegularExpressionMatch write = writeLine.match(line);
        if (write.hasMatch())
            trace.writes.append({cycle, write.captured(2).toLatin1(), quint8(write.captured(1).toUInt(nullptr, 16))});
        const QRegularExpressionMatch received = receiveLine.match(line);
        if (received.hasMatch())
            trace.received.append({cycle, "rcreg", quint8(received.captured(1).toUInt(nullptr, 16))});
    }
}

QByteArray parseIntelHex(const QByteArray &text)
{
    QByteArray memory(eepromSize, '\0');
    for (const QByteArray &line : text.split('\n')) {
        const QByteArray record = QByteArray::fromHex(line.trimmed().mid(1));
        if (record.size() < 5 || record.at(3) != 0)
            continue;
        const int count = quint8(record.at(0));
        const int address = quint8(record.at(1)) << 8 | quint8(record.at(2));
        if (address + count <= memory.size())
            memory.replace(address, count, record.mid(4, count));
    }
    return memory;
}

} // namespace

QByteArray FirmwareTrace::answersAfterStart() const
{
    const qsizetype end = answers.indexOf("\r\n");
    return end < 0 ? answers : answers.mid(end + 2);
}

QVector<qint64> FirmwareTrace::busySpans() const
{
    QVector<qint64> spans;
    qint64 rise = -1;
    for (const PortWrite &write : writes) {
        if (write.reg != "porta")
            continue;
        const bool busy = write.value & 1;
        if (busy && rise < 0)
            rise = write.cycle;
        else if (!busy && rise >= 0) {
            spans << write.cycle - rise;
            rise = -1;
        }
    }
    return spans;
}

GpsimRun::GpsimRun(const QString &codFile, const QString &workDir)
    : m_cod(codFile), m_dir(workDir), m_eeprom(eepromSize, char(0xff)), m_lineFreeAt(firstCharacterCycle)
{
}

void GpsimRun::send(const QByteArray &bytes, double quietMs)
{
    const qint64 at = m_lineFreeAt + qint64(quietMs * cyclesPerMs);
    m_commands << QStringLiteral("break c %1").arg(at) << QStringLiteral("run");
    for (const char c : bytes)
        m_commands << QStringLiteral("U1.tx = %1").arg(quint8(c));
    // The module starts sending a little after the break: a margin keeps
    // the next pause from being shortened by it.
    m_lineFreeAt = at + bytes.size() * cyclesPerCharacter + 200;
}

void GpsimRun::sendStream(const QByteArray &stream, char waitChar, double pauseMs)
{
    QByteArray text = stream;
    while (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    qsizetype start = 0;
    bool first = true;
    while (start < text.size()) {
        qsizetype next = text.indexOf(waitChar, start + 1);
        if (next < 0)
            next = text.size();
        send(text.mid(start, next - start), first ? 0 : pauseMs);
        first = false;
        start = next;
    }
}

QString GpsimRun::writeEepromFile() const
{
    const QString path = QDir(m_dir).filePath("eeprom-in.hex");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return path;
    for (int address = 0; address < m_eeprom.size(); address += 32) {
        QByteArray record;
        record.append(char(32)).append(char(address >> 8)).append(char(address & 0xff)).append(char(0));
        record += m_eeprom.mid(address, 32);
        quint8 sum = 0;
        for (const char c : record)
            sum += quint8(c);
        record.append(char(-sum));
        file.write(':' + record.toHex().toUpper() + '\n');
    }
    file.write(":00000001FF\n");
    return path;
}

FirmwareTrace GpsimRun::run(double afterMs)
{
    const QDir dir(m_dir);
    const QString logFile = dir.filePath("ports.log");
    const QString eepromOut = dir.filePath("eeprom-out.hex");
    QFile::remove(logFile);
    QFile::remove(eepromOut);
    FirmwareTrace trace;
    trace.endCycle = m_lineFreeAt + qint64(afterMs * cyclesPerMs);
    QStringList script = setupCommands(logFile, writeEepromFile()) + m_commands;
    script << QStringLiteral("break c %1").arg(trace.endCycle) << "run" << "dump e E1 " + eepromOut << "faults"
           << "quit";

    QProcess gpsim;
    gpsim.setProcessChannelMode(QProcess::MergedChannels);
    gpsim.start("gpsim", {"-i", "-s", m_cod});
    gpsim.write(script.join('\n').toLatin1() + '\n');
    gpsim.closeWriteChannel();
    if (!gpsim.waitForFinished(170000) || gpsim.exitCode() != 0) {
        trace.error = QStringLiteral("gpsim did not finish: %1").arg(gpsim.errorString());
        gpsim.kill();
        return trace;
    }
    const QString output = QString::fromLatin1(gpsim.readAll());
    if (output.contains("***ERROR"))
        trace.error = output.mid(output.indexOf("***ERROR"), 300);
    const QRegularExpressionMatch faults = QRegularExpression("faults = 0x([0-9A-Fa-f]+)").match(output);
    trace.faults = faults.hasMatch() ? faults.captured(1).toInt(nullptr, 16) : -1;
    QFile log(logFile);
    if (log.open(QIODevice::ReadOnly))
        parseLog(log.readAll(), trace);
    QFile eeprom(eepromOut);
    if (eeprom.open(QIODevice::ReadOnly))
        trace.eeprom = parseIntelHex(eeprom.readAll());
    for (const PortWrite &write : std::as_const(trace.writes))
        if (write.reg == "txreg")
            trace.answers.append(char(write.value));
    return trace;
}
