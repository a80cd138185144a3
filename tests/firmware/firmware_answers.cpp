// Measures, in gpsim, how soon the receiver firmware answers a block in the
// acknowledged send: from taking the block's last character to writing its
// Ready byte to the transmitter (the block written, then the PIC delay). A
// sender waits that, plus the answer's own 0.52 ms on the line at 19200
// baud, after each block. The EEPROM's last, shorter block ends by quiet:
// its answer also waits three characters' time.
// Run by hand: build/tests/firmware_answers build/firmware/tavrel-receiver.cod
// It prints a Markdown table and judges nothing.

#include "FirmwareFixture.h"
#include "GpsimRun.h"
#include "logic/core/AckProtocol.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

struct Target
{
    const char *name;
    char type;
};

constexpr Target targets[] = {{"KS0108", '3'}, {"T6963C", '0'}, {"EEPROM", '1'}};
constexpr int blocks = 8;
constexpr int eepromAddress = 29; // a block in the middle straddles a page
constexpr double pauseMs = 40;    // longer than any answer takes

QString ms(qint64 cycles)
{
    return QString::number(cycles / double(GpsimRun::cyclesPerMs), 'f', 2);
}

// Cycles from each block's last character taken to its answer, or nothing
// when the run was not clean.
QVector<qint64> answerTimes(const FirmwareTrace &trace, const QByteArray &stream)
{
    QByteArray taken;
    for (const PortWrite &read : trace.received)
        taken += char(read.value);
    QVector<qint64> answers;
    for (const PortWrite &write : trace.writes)
        if (write.reg == "txreg" && write.value == quint8(AckProtocol::Ready))
            answers << write.cycle;
    if (!trace.error.isEmpty() || trace.faults != 0 || taken != stream || answers.size() != 1 + stream.count(']'))
        return {};
    QVector<qint64> times; // answers.at(0) is the header's
    for (qsizetype i = stream.indexOf(']') + 1; i < stream.size(); ++i)
        if (i + 1 == stream.size() || stream.at(i + 1) == ']')
            times << answers.at(times.size() + 1) - trace.received.at(i).cycle;
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc != 2) {
        QTextStream(stderr) << "usage: firmware_answers FIRMWARE.cod" << Qt::endl;
        return 2;
    }
    QTemporaryDir dir;
    out << "| Target | Block | PIC delay | Answer after a block | After the last, shorter block |\n"
        << "|--------|-------|-----------|----------------------|-------------------------------|\n";
    for (const Target &target : targets) {
        const bool eeprom = target.type == '1';
        for (const int blockChars : {16, 32, 64}) {
            for (const int delayMs : {5, 10}) {
                QByteArray bytes((blocks * blockChars + (eeprom ? blockChars / 2 : 0)) / 2, '\0');
                for (char &b : bytes)
                    b = char(QRandomGenerator::global()->bounded(256));
                const QByteArray stream = AckProtocol::RequestChar
                    + FirmwareFixture::blockStream(target.type, blockChars, eeprom ? eepromAddress : 0, delayMs, bytes);
                GpsimRun gpsim(argv[1], dir.path());
                gpsim.sendStream(stream, ']', pauseMs);
                QVector<qint64> times = answerTimes(gpsim.run(pauseMs), stream);
                out << QStringLiteral("| %1 | %2 | %3 ms | ").arg(target.name).arg(blockChars).arg(delayMs);
                if (times.isEmpty()) {
                    out << "(the run was not clean) | |\n";
                    continue;
                }
                const qint64 last = eeprom ? times.takeLast() : -1;
                const auto [least, most] = std::minmax_element(times.cbegin(), times.cend());
                out << ms(*least) << (ms(*most) != ms(*least) ? QStringLiteral(" to %1").arg(ms(*most)) : QString())
                    << " ms | " << (last < 0 ? QStringLiteral("-") : ms(last) + " ms") << " |\n";
                out.flush();
            }
        }
    }
    return 0;
}
