#include "logic/convert/TransferHeader.h"

#include "logic/canvas/LcdSizes.h"

namespace {

// Hex of a 16-bit value the way the PIC reads it: a negative number shows
// its two's complement.
QString hex(qint16 value)
{
    return QString::number(quint16(value), 16).toUpper();
}

} // namespace

QString TransferHeader::typeCharacter(int lcdSizeIndex)
{
    const QChar type = LcdSizes::displayTypeOf(lcdSizeIndex);
    return type.isNull() ? QString() : QString(type);
}

TransferHeader TransferHeader::build(const PicTransferOptions &settings)
{
    TransferHeader header;
    const QString type =
        settings.displayType.isNull() ? typeCharacter(settings.lcdSizeIndex) : QString(settings.displayType);
    header.m_text = settings.eepromMode ? QStringLiteral("1") : type;
    header.m_text += hex(settings.picBufferSize).rightJustified(2, QLatin1Char('0'));
    if (!header.appendAddress(settings.eepromText))
        return header;
    // No length check: 16 ms and more give a three-character field ("010").
    header.m_text += QLatin1Char('0') + hex(settings.picDelayMs);
    header.m_text += QLatin1Char('*');
    return header;
}

std::optional<int> TransferHeader::parseAddress(const QString &typed, QString *error)
{
    bool isNumber = false;
    const qlonglong address = typed.trimmed().toLongLong(&isNumber, 10);
    // The PIC takes exactly four address digits; a fifth would be read as
    // the delay, so a larger address is refused rather than left out.
    if (!isNumber || address < 0 || address > MaxAddress) {
        if (error)
            *error = tr("EEPROM start address must be a whole number from 0 to %1").arg(MaxAddress);
        return std::nullopt;
    }
    return int(address);
}

bool TransferHeader::appendAddress(const QString &typed)
{
    const std::optional<int> address = parseAddress(typed, &m_error);
    if (!address)
        return false;
    m_text += QString::number(*address, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return true;
}
