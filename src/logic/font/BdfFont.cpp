#include "logic/font/BdfFont.h"

#include <QList>

namespace BdfFont {

namespace {

struct Reading
{
    BitmapFont *font;
    Glyph glyph;
    int bbxWidth = 0, bbxHeight = 0, bitmapRow = -1;
    bool inChar = false, skip = false;
};

// The numbers after the keyword, up to the first word that is none.
QList<int> numbers(const QList<QByteArray> &words)
{
    QList<int> values;
    bool ok = true;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const int value = words.at(i).toInt(&ok);
        if (!ok)
            break;
        values << value;
    }
    return values;
}

bool bitmapRow(Reading &r, const QByteArray &line)
{
    if (r.bitmapRow >= r.bbxHeight)
        return true; // rows beyond the box are ignored
    bool ok = true;
    for (int x = 0; x < r.bbxWidth && ok; ++x) {
        const char c = x / 4 < line.size() ? line.at(x / 4) : '0';
        const int digit = QByteArray(1, c).toInt(&ok, 16);
        if (ok && (digit & (8 >> (x % 4))))
            r.glyph.bits.setPixel(x, r.bitmapRow, 1);
    }
    ++r.bitmapRow;
    return ok;
}

bool keyword(Reading &r, const QList<QByteArray> &words)
{
    bool ok = true;
    const QByteArray &key = words.first();
    const QList<int> values = numbers(words);
    if (key == "STARTCHAR") {
        r = Reading{r.font, Glyph(), 0, 0, -1, true, false};
    } else if (key == "ENCODING" && !values.isEmpty()) {
        r.skip = values.first() < 0 || values.first() > 0x10FFFF;
        r.glyph.code = char32_t(qMax(values.first(), 0));
    } else if (key == "DWIDTH" && !values.isEmpty()) {
        r.glyph.advance = values.first();
    } else if (key == "BBX" && values.size() == 4) {
        ok = ok && values.at(0) >= 0 && values.at(1) >= 0 && values.at(0) <= 1024 && values.at(1) <= 1024;
        r.bbxWidth = values.at(0);
        r.bbxHeight = values.at(1);
        r.glyph.xOffset = values.at(2);
        r.glyph.top = -(values.at(3) + values.at(1));
    } else if (key == "BITMAP") {
        r.bitmapRow = 0;
        r.glyph.bits = r.bbxWidth > 0 && r.bbxHeight > 0 ? GlyphBits::blank(r.bbxWidth, r.bbxHeight) : QImage();
    } else if (key == "ENDCHAR") {
        if (!r.skip)
            r.font->put(r.glyph);
        r.inChar = false;
        r.bitmapRow = -1;
    } else if (key == "FONT_ASCENT" && !values.isEmpty()) {
        ok = BitmapFont::isMetric(values.first());
        r.font->ascent = ok ? values.first() : 0;
    } else if (key == "FONT_DESCENT" && !values.isEmpty()) {
        ok = BitmapFont::isMetric(values.first());
        r.font->descent = ok ? values.first() : 0;
    } else if (key == "FAMILY_NAME" && words.size() > 1) {
        r.font->name = QString::fromLatin1(words.mid(1).join(' ')).remove(QLatin1Char('"'));
    }
    return ok;
}

} // namespace

bool isBdf(const QByteArray &bytes)
{
    return bytes.startsWith("STARTFONT");
}

bool read(const QByteArray &bytes, BitmapFont *font, QString *reason)
{
    font->glyphs.clear();
    Reading reading{font, Glyph()};
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const bool ok = reading.inChar && reading.bitmapRow >= 0 && line != "ENDCHAR"
                            ? bitmapRow(reading, line)
                            : keyword(reading, line.simplified().split(' '));
        if (!ok) {
            *reason = QStringLiteral("line %1 of the BDF font does not read: %2").arg(i + 1).arg(QString::fromLatin1(line));
            return false;
        }
    }
    if (font->glyphs.isEmpty()) {
        *reason = QStringLiteral("the BDF font holds no glyph");
        return false;
    }
    return true;
}

namespace {

QByteArray hexRow(const Glyph &glyph, int y)
{
    QByteArray row;
    for (int x = 0; x < glyph.width(); x += 8) {
        int byte = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (glyph.lit(x + bit, y))
                byte |= 0x80 >> bit;
        row += QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
    }
    return row;
}

QByteArray glyphText(const Glyph &source, int pixelSize)
{
    const Glyph glyph = source.trimmed();
    QByteArray text = "STARTCHAR U+" + QByteArray::number(uint(glyph.code), 16).toUpper().rightJustified(4, '0') + '\n';
    text += "ENCODING " + QByteArray::number(uint(glyph.code)) + '\n';
    text += "SWIDTH " + QByteArray::number(glyph.advance * 1000 / qMax(1, pixelSize)) + " 0\n";
    text += "DWIDTH " + QByteArray::number(glyph.advance) + " 0\n";
    text += QByteArray("BBX %1 %2 %3 %4\n")
                .replace("%1", QByteArray::number(glyph.width()))
                .replace("%2", QByteArray::number(glyph.height()))
                .replace("%3", QByteArray::number(glyph.width() ? glyph.xOffset : 0))
                .replace("%4", QByteArray::number(glyph.width() ? -(glyph.top + glyph.height()) : 0));
    text += "BITMAP\n";
    for (int y = 0; y < glyph.height(); ++y)
        text += hexRow(glyph, y) + '\n';
    return text + "ENDCHAR\n";
}

} // namespace

QByteArray write(const BitmapFont &font, int pixelSize)
{
    int width = 0;
    for (const Glyph &glyph : font.glyphs)
        width = qMax(width, glyph.advance);
    const QByteArray family = font.name.isEmpty() ? QByteArray("Tavrel") : font.name.toLatin1();
    QByteArray text = "STARTFONT 2.1\n";
    text += "FONT -tavrel-" + family + "-medium-r-normal--" + QByteArray::number(pixelSize) + "-"
        + QByteArray::number(pixelSize * 10) + "-75-75-c-" + QByteArray::number(width * 10) + "-iso10646-1\n";
    text += "SIZE " + QByteArray::number(pixelSize) + " 75 75\n";
    text += "FONTBOUNDINGBOX " + QByteArray::number(width) + ' ' + QByteArray::number(font.lineHeight()) + " 0 "
        + QByteArray::number(-font.descent) + '\n';
    text += "STARTPROPERTIES 3\nFAMILY_NAME \"" + family + "\"\n";
    text += "FONT_ASCENT " + QByteArray::number(font.ascent) + "\nFONT_DESCENT " + QByteArray::number(font.descent)
        + "\nENDPROPERTIES\n";
    text += "CHARS " + QByteArray::number(font.glyphs.size()) + '\n';
    for (const Glyph &glyph : font.glyphs)
        text += glyphText(glyph, pixelSize);
    return text + "ENDFONT\n";
}

} // namespace BdfFont
