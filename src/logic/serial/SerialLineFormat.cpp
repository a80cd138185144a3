#include "logic/serial/SerialLineFormat.h"

#include <QStringList>

namespace {
// Linux serial drivers top out at a few megabaud.
constexpr qint32 maximumBaudRate = 4000000;

struct ParityLetter
{
    char letter;
    QSerialPort::Parity parity;
};

constexpr ParityLetter parityLetters[] = {
    {'n', QSerialPort::NoParity},   {'e', QSerialPort::EvenParity}, {'o', QSerialPort::OddParity},
    {'m', QSerialPort::MarkParity}, {'s', QSerialPort::SpaceParity},
};

std::optional<QSerialPort::Parity> parseParity(const QString &field)
{
    if (field.size() != 1)
        return std::nullopt;
    const QChar letter = field.at(0).toLower();
    for (const ParityLetter &entry : parityLetters)
        if (letter == QLatin1Char(entry.letter))
            return entry.parity;
    return std::nullopt;
}

std::optional<QSerialPort::StopBits> parseStopBits(const QString &field)
{
    if (field == QLatin1String("1"))
        return QSerialPort::OneStop;
    if (field == QLatin1String("1.5"))
        return QSerialPort::OneAndHalfStop;
    if (field == QLatin1String("2"))
        return QSerialPort::TwoStop;
    return std::nullopt;
}

// Digits only: toInt() would also take "+8" or " 8".
std::optional<int> parseDigits(const QString &field, int lowest, int highest)
{
    if (field.isEmpty() || field.size() > 7)
        return std::nullopt;
    for (QChar c : field)
        if (!c.isDigit() || c.unicode() > 0x7F)
            return std::nullopt;
    const int value = field.toInt();
    if (value < lowest || value > highest)
        return std::nullopt;
    return value;
}
} // namespace

std::optional<SerialLineFormat> SerialLineFormat::parse(const QString &text)
{
    QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 4)
        return std::nullopt;
    for (QString &field : fields)
        field = field.trimmed();
    const std::optional<int> baud = parseDigits(fields.at(0), 1, maximumBaudRate);
    const std::optional<QSerialPort::Parity> parity = parseParity(fields.at(1));
    const std::optional<int> dataBits = parseDigits(fields.at(2), 5, 8);
    const std::optional<QSerialPort::StopBits> stopBits = parseStopBits(fields.at(3));
    if (!baud || !parity || !dataBits || !stopBits)
        return std::nullopt;
    SerialLineFormat result;
    result.baudRate = *baud;
    result.parity = *parity;
    result.dataBits = QSerialPort::DataBits(*dataBits);
    result.stopBits = *stopBits;
    return result;
}

QString SerialLineFormat::toString() const
{
    char letter = 'n';
    for (const ParityLetter &entry : parityLetters)
        if (entry.parity == parity)
            letter = entry.letter;
    const char *stop = stopBits == QSerialPort::TwoStop ? "2" : stopBits == QSerialPort::OneAndHalfStop ? "1.5" : "1";
    return QStringLiteral("%1,%2,%3,%4")
        .arg(baudRate)
        .arg(QLatin1Char(letter))
        .arg(int(dataBits))
        .arg(QLatin1String(stop));
}

SerialLineFormat SerialLineFormat::of(const QSerialPort &port)
{
    SerialLineFormat format;
    format.baudRate = port.baudRate();
    format.parity = port.parity();
    format.dataBits = port.dataBits();
    format.stopBits = port.stopBits();
    return format;
}

qint64 SerialLineFormat::characterNs() const
{
    const double stop = stopBits == QSerialPort::TwoStop ? 2 : stopBits == QSerialPort::OneAndHalfStop ? 1.5 : 1;
    const double bits = 1 + int(dataBits) + (parity == QSerialPort::NoParity ? 0 : 1) + stop;
    return qint64(bits * 1e9 / qMax(1, baudRate));
}

bool SerialLineFormat::operator==(const SerialLineFormat &other) const
{
    return baudRate == other.baudRate && parity == other.parity && dataBits == other.dataBits
        && stopBits == other.stopBits;
}
