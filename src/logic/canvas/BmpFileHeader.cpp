#include "logic/canvas/BmpFileHeader.h"
#include "logic/canvas/PictureLimits.h"

#include <QCoreApplication>

namespace {
const int FileHeaderSize = 14;
const int CoreHeaderSize = 12; // OS/2 1.x: 16-bit width and height
using PictureLimits::LargestSide;

// Little-endian field at `offset`, or 0 where the file is too short; the
// caller learns of the shortness through the count of header bytes present.
quint32 field(const QByteArray &file, int offset, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        if (offset + i >= file.size())
            return 0;
        value = (value << 8) | quint8(file.at(offset + i));
    }
    return value;
}

int luminance(const QByteArray &file, int entryOffset)
{
    // Palette entries are stored blue, green, red, reserved.
    return 299 * quint8(file.at(entryOffset + 2)) + 587 * quint8(file.at(entryOffset + 1))
         + 114 * quint8(file.at(entryOffset));
}

QString tr(const char *text)
{
    return QCoreApplication::translate("BmpFileHeader", text);
}
} // namespace

BmpFileHeader BmpFileHeader::parse(const QByteArray &file)
{
    BmpFileHeader header;
    header.m_isBmp = file.startsWith("BM");
    if (!header.m_isBmp)
        return header;
    header.m_pixelOffset = field(file, 10, 4);
    header.m_infoSize = field(file, 14, 4);
    if (header.m_infoSize == CoreHeaderSize) {
        header.m_width = qint16(field(file, 18, 2));
        header.m_height = qint16(field(file, 20, 2));
        header.m_planes = int(field(file, 22, 2));
        header.m_bitsPerPixel = int(field(file, 24, 2));
        return header;
    }
    header.m_width = qint32(field(file, 18, 4));
    header.m_height = qint32(field(file, 22, 4));
    header.m_planes = int(field(file, 26, 2));
    header.m_bitsPerPixel = int(field(file, 28, 2));
    header.m_compression = field(file, 30, 4);
    header.m_coloursUsed = field(file, 46, 4);
    return header;
}

bool BmpFileHeader::isUncompressed() const
{
    // BI_RGB, BI_BITFIELDS and BI_ALPHABITFIELDS store every row in full.
    return m_compression == 0 || m_compression == 3 || m_compression == 6;
}

QString BmpFileHeader::problem(qint64 fileSize) const
{
    if (!m_isBmp)
        return QString();
    if (fileSize < FileHeaderSize + 4 || fileSize < FileHeaderSize + m_infoSize || m_infoSize < CoreHeaderSize)
        return tr("the file ends inside its bitmap header (%1 bytes)").arg(fileSize);
    if (m_width <= 0 || m_height == 0 || m_width > LargestSide || qAbs(m_height) > LargestSide)
        return tr("the header gives a picture of %1 x %2 pixels").arg(m_width).arg(m_height);
    if (m_pixelOffset < FileHeaderSize + m_infoSize || m_pixelOffset >= fileSize)
        return tr("the pixel data would start at byte %1, outside the file of %2 bytes")
            .arg(m_pixelOffset).arg(fileSize);
    if (!isUncompressed())
        return QString();
    if (m_bitsPerPixel != 1 && m_bitsPerPixel != 2 && m_bitsPerPixel != 4 && m_bitsPerPixel != 8
        && m_bitsPerPixel != 16 && m_bitsPerPixel != 24 && m_bitsPerPixel != 32)
        return tr("%1 bits a pixel is not a bitmap depth").arg(m_bitsPerPixel);
    const qint64 stride = (m_width * m_bitsPerPixel + 31) / 32 * 4;
    const qint64 needed = m_pixelOffset + stride * qAbs(m_height);
    if (needed > fileSize)
        return tr("the file is truncated: its pixels need %1 bytes, the file holds %2").arg(needed).arg(fileSize);
    return QString();
}

bool BmpFileHeader::isStandardMono(int width, int height) const
{
    return m_isBmp && m_infoSize == 40 && m_pixelOffset == StandardMonoSize && m_width == width
        && m_height == height && m_planes == 1 && m_bitsPerPixel == 1 && m_compression == 0
        && (m_coloursUsed == 0 || m_coloursUsed == 2);
}

bool BmpFileHeader::firstPaletteEntryLighter(const QByteArray &file)
{
    if (file.size() < StandardMonoSize)
        return false;
    return luminance(file, 54) > luminance(file, 58);
}
