#include "logic/font/PcfReader.h"

#include <QHash>
#include <QVector>

namespace PcfReader {

namespace {

enum TableType { Accelerators = 1 << 1, Metrics = 1 << 2, Bitmaps = 1 << 3, Encodings = 1 << 5,
                 BdfAccelerators = 1 << 8 };
constexpr quint32 CompressedMetrics = 0x100;
constexpr quint32 ByteMsbFirst = 1 << 2;
constexpr quint32 BitMsbFirst = 1 << 3;

// Reads numbers of one table at a time, in the byte order its format word gives.
class TableReader
{
public:
    TableReader(const QByteArray &bytes, qint64 offset, qint64 size) : m_bytes(bytes), m_at(offset)
    {
        m_end = qMin<qint64>(offset + size, bytes.size());
        m_format = take(4, false);
    }
    bool ok() const { return m_ok; }
    quint32 format() const { return m_format; }
    qint64 position() const { return m_at; }
    quint32 u32() { return take(4, m_format & ByteMsbFirst); }
    qint32 i32() { return qint32(u32()); }
    qint16 i16() { return qint16(take(2, m_format & ByteMsbFirst)); }
    quint16 u16() { return quint16(take(2, m_format & ByteMsbFirst)); }
    quint8 u8() { return quint8(take(1, false)); }

private:
    quint32 take(int count, bool msbFirst)
    {
        if (m_at < 0 || m_at + count > m_end) {
            m_ok = false;
            return 0;
        }
        quint32 value = 0;
        for (int i = 0; i < count; ++i) {
            const quint32 byte = uchar(m_bytes.at(m_at + i));
            value |= msbFirst ? byte << (8 * (count - 1 - i)) : byte << (8 * i);
        }
        m_at += count;
        return value;
    }

    const QByteArray &m_bytes;
    qint64 m_at;
    qint64 m_end = 0;
    quint32 m_format = 0;
    bool m_ok = true;
};

struct CharMetrics
{
    int left = 0, right = 0, advance = 0, ascent = 0, descent = 0;
};

struct Table
{
    qint64 offset = 0, size = 0;
};

CharMetrics readMetrics(TableReader &table, bool compressed)
{
    CharMetrics m;
    if (compressed) {
        m.left = table.u8() - 0x80;
        m.right = table.u8() - 0x80;
        m.advance = table.u8() - 0x80;
        m.ascent = table.u8() - 0x80;
        m.descent = table.u8() - 0x80;
        return m;
    }
    m.left = table.i16();
    m.right = table.i16();
    m.advance = table.i16();
    m.ascent = table.i16();
    m.descent = table.i16();
    table.u16(); // attributes
    return m;
}

bool readAllMetrics(const QByteArray &bytes, Table t, QVector<CharMetrics> *metrics)
{
    TableReader table(bytes, t.offset, t.size);
    const bool compressed = table.format() & CompressedMetrics;
    const qint64 count = compressed ? table.u16() : table.u32();
    // Each record takes 5 bytes compressed, 12 not: a count the file cannot hold is refused before any memory is taken.
    if (!table.ok() || count > t.size || count * (compressed ? 5 : 12) > bytes.size())
        return false;
    metrics->resize(count);
    for (CharMetrics &m : *metrics)
        m = readMetrics(table, compressed);
    return table.ok();
}

// One glyph's rows as stored: padded to the glyph pad, bytes swapped within
// scan units when byte and bit order differ.
QImage glyphBits(const QByteArray &bytes, qint64 start, quint32 format, const CharMetrics &m, bool *ok)
{
    const int width = m.right - m.left, height = m.ascent + m.descent;
    if (width <= 0 || height <= 0 || width > 1024 || height > 1024)
        return QImage();
    const int pad = 1 << (format & 3), unit = 1 << ((format >> 4) & 3);
    const int stride = ((width + 7) / 8 + pad - 1) / pad * pad;
    const bool swap = bool(format & ByteMsbFirst) != bool(format & BitMsbFirst) && unit > 1;
    if (start < 0 || start + qint64(stride) * height > bytes.size()) {
        *ok = false;
        return QImage();
    }
    QImage image = GlyphBits::blank(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int index = x / 8;
            if (swap)
                index = index / unit * unit + (unit - 1 - index % unit);
            const uchar byte = uchar(bytes.at(start + qint64(y) * stride + index));
            const uchar bit = (format & BitMsbFirst) ? uchar(0x80 >> (x % 8)) : uchar(1 << (x % 8));
            if (byte & bit)
                image.setPixel(x, y, 1);
        }
    return image;
}

bool readGlyphs(const QByteArray &bytes, Table t, const QVector<CharMetrics> &metrics, QVector<QImage> *images)
{
    TableReader table(bytes, t.offset, t.size);
    const qint64 count = table.u32();
    if (!table.ok() || count != metrics.size())
        return false;
    QVector<qint64> offsets(count);
    for (qint64 &offset : offsets)
        offset = table.u32();
    for (int i = 0; i < 4; ++i)
        table.u32();
    const qint64 data = table.position();
    bool ok = table.ok();
    images->resize(count);
    for (qint64 i = 0; i < count && ok; ++i)
        (*images)[i] = glyphBits(bytes, data + offsets.at(i), table.format(), metrics.at(i), &ok);
    return ok;
}

// Code point -> glyph index.
bool readEncodings(const QByteArray &bytes, Table t, QHash<char32_t, int> *codes)
{
    TableReader table(bytes, t.offset, t.size);
    const int firstCol = table.i16(), lastCol = table.i16(), firstRow = table.i16(), lastRow = table.i16();
    table.i16(); // default character
    if (!table.ok() || lastCol < firstCol || lastRow < firstRow || firstCol < 0 || firstRow < 0 || lastCol > 255
        || lastRow > 255)
        return false;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int col = firstCol; col <= lastCol; ++col) {
            const quint16 index = table.u16();
            if (index != 0xFFFF)
                codes->insert(char32_t(row << 8 | col), index);
        }
    return table.ok();
}

bool readAscent(const QByteArray &bytes, Table t, BitmapFont *font)
{
    TableReader table(bytes, t.offset, t.size);
    for (int i = 0; i < 8; ++i)
        table.u8();
    const qint64 ascent = table.i32();
    const qint64 descent = table.i32();
    if (!BitmapFont::isMetric(ascent) || !BitmapFont::isMetric(descent))
        return false;
    font->ascent = int(ascent);
    font->descent = int(descent);
    return table.ok();
}

quint32 lsb32(const QByteArray &bytes, qint64 at)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value |= quint32(uchar(bytes.at(at + i))) << (8 * i);
    return value;
}

// The table of contents: little-endian words after the magic.
QHash<quint32, Table> tablesOf(const QByteArray &bytes)
{
    QHash<quint32, Table> tables;
    if (bytes.size() < 8)
        return tables;
    const quint32 count = lsb32(bytes, 4);
    for (quint32 i = 0; i < count && i < 64 && 8 + 16 * qint64(i + 1) <= bytes.size(); ++i) {
        const qint64 entry = 8 + 16 * qint64(i);
        tables.insert(lsb32(bytes, entry), {qint64(lsb32(bytes, entry + 12)), qint64(lsb32(bytes, entry + 8))});
    }
    return tables;
}

} // namespace

bool isPcf(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArray("\1fcp", 4));
}

bool read(const QByteArray &bytes, BitmapFont *font, QString *reason)
{
    const QHash<quint32, Table> tables = tablesOf(bytes);
    QVector<CharMetrics> metrics;
    QVector<QImage> images;
    QHash<char32_t, int> codes;
    const Table accelerators = tables.value(tables.contains(BdfAccelerators) ? BdfAccelerators : Accelerators);
    if (!isPcf(bytes) || !tables.contains(Metrics) || !tables.contains(Bitmaps) || !tables.contains(Encodings)) {
        *reason = QStringLiteral("no PCF font (metrics, bitmaps or encodings missing)");
        return false;
    }
    if (!readAllMetrics(bytes, tables.value(Metrics), &metrics) || !readGlyphs(bytes, tables.value(Bitmaps), metrics, &images)
        || !readEncodings(bytes, tables.value(Encodings), &codes) || !readAscent(bytes, accelerators, font)) {
        *reason = QStringLiteral("damaged PCF tables");
        return false;
    }
    font->glyphs.clear();
    for (auto at = codes.cbegin(); at != codes.cend(); ++at) {
        if (at.value() >= metrics.size())
            continue;
        const CharMetrics &m = metrics.at(at.value());
        font->put({at.key(), images.at(at.value()), m.left, -m.ascent, m.advance});
    }
    return true;
}

} // namespace PcfReader
