// Measures, in gpsim, what the receiver firmware needs between blocks: how
// long it is busy after a block (writing it, then the header's delay) and
// the shortest pause before a wait character that loses no block (shorter
// than the busy time by what the USART's two-character buffer absorbs).
// Run by hand: build/tests/firmware_pauses build/firmware/tavrel-receiver.cod
// (add "lcd" or "eeprom" for one target only).
// It prints a Markdown table and judges nothing.

#include "FirmwareFixture.h"
#include "GpsimRun.h"
#include "LcdBusReplay.h"
#include "logic/virtual/ReceiverFirmware.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

struct Case
{
    bool eeprom;
    int blockChars;
    int delayMs;
};

constexpr int blocks = 8;
constexpr int eepromAddress = 29; // a block in the middle straddles a page

QByteArray streamFor(const Case &c, const QByteArray &bytes)
{
    return FirmwareFixture::blockStream(c.eeprom ? '1' : '3', c.blockChars, c.eeprom ? eepromAddress : 0, c.delayMs,
                                        bytes);
}

struct Outcome
{
    bool clean = false;
    double busyMs = 0;
};

Outcome runOnce(const QString &cod, const QString &dir, const Case &c, const QByteArray &bytes, double pauseMs)
{
    GpsimRun gpsim(cod, dir);
    gpsim.sendStream(streamFor(c, bytes), ']', pauseMs);
    const FirmwareTrace trace = gpsim.run(40);
    Outcome outcome;
    for (const qint64 span : trace.busySpans())
        outcome.busyMs = qMax(outcome.busyMs, span / double(GpsimRun::cyclesPerMs));
    const QByteArray stored = c.eeprom ? trace.eeprom.mid(eepromAddress, bytes.size())
                                       : LcdBusReplay::ks0108(trace.writes, 8).memory.left(bytes.size());
    outcome.clean = trace.error.isEmpty() && trace.faults == 0 && stored == bytes;
    return outcome;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString only = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (argc < 2 || argc > 3 || (argc == 3 && only != "lcd" && only != "eeprom")) {
        QTextStream(stderr) << "usage: firmware_pauses FIRMWARE.cod [lcd|eeprom]" << Qt::endl;
        return 2;
    }
    QTemporaryDir dir;
    out << "| Target | Block | PIC delay | Busy after a block | Shortest pause, no block lost | Preset |\n"
        << "|--------|-------|-----------|--------------------|-------------------------------|--------|\n";
    for (const bool eeprom : {false, true}) {
        if (!only.isEmpty() && eeprom != (only == "eeprom"))
            continue;
        for (const int blockChars : {16, 32, 64}) {
            for (const int delayMs : {5, 10}) {
                const Case c{eeprom, blockChars, delayMs};
                QByteArray bytes(blocks * blockChars / 2, '\0');
                for (char &b : bytes)
                    b = char(QRandomGenerator::global()->bounded(256));
                const Outcome slow = runOnce(argv[1], dir.path(), c, bytes, 40);
                double good = 40, bad = 0;
                while (good - bad > 0.05) {
                    const double middle = (good + bad) / 2;
                    (runOnce(argv[1], dir.path(), c, bytes, middle).clean ? good : bad) = middle;
                }
                QString why;
                const auto header = ReceivedHeader::parse(streamFor(c, bytes).left(9), &why);
                out << QStringLiteral("| %1 | %2 | %3 ms | %4 ms | %5 ms | %6 ms |\n")
                           .arg(eeprom ? "EEPROM" : "LCD")
                           .arg(blockChars)
                           .arg(delayMs)
                           .arg(slow.busyMs, 0, 'f', 2)
                           .arg(good, 0, 'f', 2)
                           .arg(header ? ReceiverFirmware::needsPauseNs(*header) / 1e6 : 0.0, 0, 'f', 1);
                out.flush();
                if (!slow.clean)
                    out << "  (even a 40 ms pause lost data here)\n";
            }
        }
    }
    return 0;
}
