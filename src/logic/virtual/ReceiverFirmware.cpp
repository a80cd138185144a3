#include "logic/virtual/ReceiverFirmware.h"

#include <cmath>

namespace ReceiverFirmware {

namespace {

// Milliseconds, from the firmware's busy lamp in gpsim at 20 MHz.
constexpr double delayPerMs = 1.007;    // its millisecond loop
constexpr double lcdFixed = 0.03;       // setting the LCD address
constexpr double ks0108PerByte = 0.015; // one strobe a byte
constexpr double t6963cPerByte = 0.024; // data, then the write command
constexpr double eepromPerPage = 5.14;  // address phase, then the 5 ms write cycle
constexpr double eepromPerByte = 0.040; // one byte on the 385 kHz I2C bus
constexpr int eepromPage = 64;
constexpr double margin = 0.1;
constexpr double heldCharacters = 2 * 10 / 19.2; // two characters of 10 bits at 19200 baud

// Rounded up to whole tenths of a millisecond.
qint64 tenthsNs(double ms)
{
    return qint64(std::ceil(ms * 10) * 1e5);
}

double busyMs(const ReceivedHeader &header)
{
    const int bytes = (header.blockChars + 1) / 2;
    const double ms = header.delayMs * delayPerMs + margin;
    if (header.isEeprom()) {
        const int pages = bytes > 0 ? (bytes + eepromPage - 2) / eepromPage + 1 : 0; // one more when unaligned
        return ms + pages * eepromPerPage + bytes * eepromPerByte;
    }
    return ms + lcdFixed + bytes * (header.type == '0' ? t6963cPerByte : ks0108PerByte);
}

} // namespace

qint64 busyNs(const ReceivedHeader &header)
{
    return tenthsNs(busyMs(header));
}

qint64 needsPauseNs(const ReceivedHeader &header)
{
    return tenthsNs(qMax(0.0, busyMs(header) - heldCharacters));
}

} // namespace ReceiverFirmware
