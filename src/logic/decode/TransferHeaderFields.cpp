#include "logic/decode/TransferHeaderFields.h"

#include "logic/decode/HexDigits.h"

namespace {

bool allHex(QStringView text)
{
    for (const QChar c : text)
        if (!HexDigits::isHex(c.toLower()))
            return false;
    return true;
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
    if (!allHex(header) || length < 5 || length > 10 || length == 7 || length == 8) {
        *why = QStringLiteral("\"%1*\" is no transfer header (target, buffer, address and delay in hex, then \"*\")")
                   .arg(header);
        return false;
    }
    const QChar target = header.front().toLower();
    if (target != QLatin1Char('0') && target != QLatin1Char('1') && target != QLatin1Char('3')
        && target != QLatin1Char('4')) {
        *why = QStringLiteral("unknown target \"%1\" in the transfer header (1 for the EEPROM; 0, 3 or 4 for "
                              "the LCD)").arg(target);
        return false;
    }
    TransferHeaderFields result;
    result.eeprom = target == QLatin1Char('1');
    if (!result.eeprom)
        result.displayType = target;
    result.buffer = hexValue(header.mid(1, 2));
    result.hasAddress = length >= 9;
    if (result.hasAddress) {
        result.addressDigits = header.mid(3, 4).toString().toLower();
        result.address = hexValue(header.mid(3, 4));
    }
    result.delayMs = hexValue(header.mid(result.hasAddress ? 7 : 3));
    *fields = result;
    return true;
}
