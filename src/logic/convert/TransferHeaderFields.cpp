#include "logic/convert/TransferHeaderFields.h"

#include <cctype>


namespace {

bool allHex(QStringView text)
{
    for (const QChar c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c.toLatin1())) || c.unicode() > 0x7f)
            return false;
    return true;
}

// Without the address the old delays of 1 or 2 digits; with it, 1 to 4.
bool isHeaderLength(qsizetype length)
{
    return (length >= 5 && length <= 6)
        || (length >= TransferHeaderFields::ShortestWithAddress && length <= TransferHeaderFields::LongestWithAddress);
}

int hexValue(QStringView digits)
{
    return digits.toString().toInt(nullptr, 16);
}

} // namespace

QString TransferHeaderFields::words() const
{
    QString text = eeprom ? QStringLiteral("EEPROM") : QStringLiteral("LCD, display type %1").arg(displayType);
    text += QStringLiteral(", buffer %1").arg(buffer);
    if (!hasAddress)
        text += QStringLiteral(", no address");
    else if (address < 10)
        text += QStringLiteral(", address %1").arg(addressDigits);
    else
        text += QStringLiteral(", address %1 (%2)").arg(addressDigits).arg(address);
    return text + QStringLiteral(", PIC delay %1 ms").arg(delayMs);
}

bool TransferHeaderFields::parse(QStringView header, TransferHeaderFields *fields, QString *why)
{
    const qsizetype length = header.size();
    if (!allHex(header) || !isHeaderLength(length)) {
        *why = QStringLiteral("\"%1*\" is no transfer header (target, buffer, address and delay in hex, then \"*\")")
                   .arg(header);
        return false;
    }
    const QChar target = header.front().toLower();
    if (target != QLatin1Char('0') && target != QLatin1Char('1') && target != QLatin1Char('3')
        && target != QLatin1Char('4')) {
        *why = QStringLiteral("unknown target and display type \"%1\" (1 for the EEPROM; 0, 3 or 4 for the LCD)")
                   .arg(target);
        return false;
    }
    const qsizetype delayAt = length >= ShortestWithAddress ? 7 : 3;
    if (header.at(delayAt) != QLatin1Char('0')) {
        *why = QStringLiteral("delay field \"%1\" does not start with 0").arg(header.mid(delayAt));
        return false;
    }
    if (hexValue(header.mid(1, 2)) == 0) {
        *why = QStringLiteral("buffer size 00");
        return false;
    }
    TransferHeaderFields result;
    result.eeprom = target == QLatin1Char('1');
    if (!result.eeprom)
        result.displayType = target;
    result.buffer = hexValue(header.mid(1, 2));
    result.hasAddress = length >= ShortestWithAddress;
    if (result.hasAddress) {
        result.addressDigits = header.mid(3, 4).toString().toLower();
        result.address = hexValue(header.mid(3, 4));
    }
    result.delayMs = hexValue(header.mid(delayAt));
    *fields = result;
    return true;
}
