#include "logic/virtual/VirtualMemory.h"

#include "logic/convert/ByteMatrix.h"

VirtualMemory::VirtualMemory(const VirtualPicConfig &config)
    : m_config(config), m_lcd(config.lcdBytes(), '\0'), m_eeprom(config.eepromSize, char(0xff))
{
}

bool VirtualMemory::write(const ReceivedHeader &header, qsizetype index, uchar value)
{
    if (!header.isEeprom()) {
        if (index < m_lcd.size())
            m_lcd[index] = char(value);
        return true;
    }
    const qsizetype address = header.address + index;
    if (address >= m_eeprom.size())
        return false;
    m_eeprom[address] = char(value);
    return true;
}

QImage VirtualMemory::picture(const ReceivedHeader *header) const
{
    const QByteArray shown = header && header->isEeprom() ? m_eeprom.mid(header->address, m_config.lcdBytes()) : m_lcd;
    return ByteMatrix::pictureFrom(shown, m_config.width, m_config.height, m_config.horizontal);
}

QByteArray VirtualMemory::eepromLine(const QByteArray &eeprom, int address, int count)
{
    QByteArray line = QStringLiteral("EEPROM %1:").arg(address, 4, 16, QLatin1Char('0')).toLatin1();
    for (int i = address; i < address + count && i < eeprom.size(); ++i)
        line += ' ' + QByteArray::number(static_cast<unsigned char>(eeprom.at(i)), 16).rightJustified(2, '0');
    return line + "\r\n";
}
