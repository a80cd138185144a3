#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The fields of a Windows bitmap's file and info headers that decide how its
// pixel bytes may be read. Every offset and size is checked against the
// file's length before any pixel byte is touched.
class BmpFileHeader
{
public:
    // The 14-byte file header, the 40-byte info header and two palette entries.
    static constexpr int StandardMonoSize = 62;

    // Reads the headers of `file`; isBmp() is false when it lacks the "BM" mark.
    static BmpFileHeader parse(const QByteArray &file);

    bool isBmp() const { return m_isBmp; }
    // Why the headers cannot describe a readable picture within `fileSize`
    // bytes, or empty when they can (compressed pixel data is left to the
    // decoder, which stops at the end of the file by itself).
    QString problem(qint64 fileSize) const;
    // The layout whose bytes are walked as they stand: info header of 40
    // bytes, one bit a pixel, uncompressed, bottom row first, two palette
    // entries and pixel data at byte 62, exactly `width` x `height`.
    bool isStandardMono(int width, int height) const;
    // For a standard one-bit file: is palette entry 0 the lighter colour?
    // Then a 0 bit is a light pixel.
    static bool firstPaletteEntryLighter(const QByteArray &file);

    qint64 pixelOffset() const { return m_pixelOffset; }
    qint64 width() const { return m_width; }
    qint64 height() const { return m_height; }
    int bitsPerPixel() const { return m_bitsPerPixel; }

private:
    bool isUncompressed() const;

    bool m_isBmp = false;
    qint64 m_pixelOffset = 0;
    qint64 m_infoSize = 0;
    qint64 m_width = 0;
    qint64 m_height = 0; // negative: top row first
    int m_planes = 0;
    int m_bitsPerPixel = 0;
    quint32 m_compression = 0;
    quint32 m_coloursUsed = 0;
};
