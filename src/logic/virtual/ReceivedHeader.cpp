#include "logic/virtual/ReceivedHeader.h"

#include <cctype>

namespace {

// Type, buffer and address take 7 digits; the delay "0" + hex of a 16-bit
// number adds 2 to 5.
constexpr int shortestDigits = 9;
constexpr int longestDigits = 12;

bool isHex(const QByteArray &digits)
{
    for (const char c : digits)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return !digits.isEmpty();
}

} // namespace

std::optional<ReceivedHeader> ReceivedHeader::parse(const QByteArray &digits, QString *why)
{
    if (digits.size() < shortestDigits || digits.size() > longestDigits || !isHex(digits)) {
        *why = QStringLiteral("a header has %1 to %2 hex digits before \"*\"").arg(shortestDigits).arg(longestDigits);
        return std::nullopt;
    }
    ReceivedHeader header;
    header.text = digits + '*';
    header.type = digits.at(0);
    if (!QByteArrayLiteral("0134").contains(header.type)) {
        *why = QStringLiteral("unknown target and display type \"%1\"").arg(QLatin1Char(header.type));
        return std::nullopt;
    }
    header.blockChars = digits.mid(1, 2).toInt(nullptr, 16);
    if (header.blockChars == 0) {
        *why = QStringLiteral("buffer size 00");
        return std::nullopt;
    }
    header.address = digits.mid(3, 4).toInt(nullptr, 16);
    const QByteArray delay = digits.mid(7);
    if (delay.at(0) != '0') {
        *why = QStringLiteral("delay field \"%1\" does not start with 0").arg(QString::fromLatin1(delay));
        return std::nullopt;
    }
    header.delayMs = delay.toInt(nullptr, 16);
    return header;
}
