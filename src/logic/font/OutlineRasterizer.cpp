#include "logic/font/OutlineRasterizer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRawFont>

namespace {

QFont::HintingPreference hintingOf(FontSource::Hinting hinting)
{
    switch (hinting) {
    case FontSource::Hinting::None:
        return QFont::PreferNoHinting;
    case FontSource::Hinting::Vertical:
        return QFont::PreferVerticalHinting;
    case FontSource::Hinting::Full:
        return QFont::PreferFullHinting;
    case FontSource::Hinting::Default:
        break;
    }
    return QFont::PreferDefaultHinting;
}

} // namespace

OutlineRasterizer::OutlineRasterizer(const QString &family, const FontSource &source) : m_font(family)
{
    m_font.setPixelSize(source.pixelSize);
    if (!source.style.isEmpty())
        m_font.setStyleName(source.style);
    if (source.bold)
        m_font.setBold(true);
    m_font.setHintingPreference(hintingOf(source.hinting));
    // No grey pixels, and no glyphs borrowed from other fonts: a missing one is reported.
    m_font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    m_margin = source.pixelSize;
    m_baseline = 2 * source.pixelSize;
    m_scratch = QImage(5 * source.pixelSize, 4 * source.pixelSize, QImage::Format_RGB32);
}

Glyph OutlineRasterizer::glyph(char32_t code)
{
    const QString text = QString::fromUcs4(&code, 1);
    m_scratch.fill(Qt::white);
    {
        QPainter painter(&m_scratch);
        painter.setFont(m_font);
        painter.setPen(Qt::black);
        painter.drawText(m_margin, m_baseline, text);
    }
    Glyph glyph;
    glyph.code = code;
    glyph.advance = QFontMetrics(m_font).horizontalAdvance(text);
    QRect ink;
    for (int y = 0; y < m_scratch.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(m_scratch.constScanLine(y));
        for (int x = 0; x < m_scratch.width(); ++x)
            if (qGray(row[x]) < 128)
                ink |= QRect(x, y, 1, 1);
    }
    if (ink.isEmpty())
        return glyph;
    glyph.bits = GlyphBits::blank(ink.width(), ink.height());
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(m_scratch.constScanLine(y));
        for (int x = ink.left(); x <= ink.right(); ++x)
            if (qGray(row[x]) < 128)
                glyph.bits.setPixel(x - ink.left(), y - ink.top(), 1);
    }
    glyph.xOffset = ink.left() - m_margin;
    glyph.top = ink.top() - m_baseline;
    return glyph;
}

BitmapFont OutlineRasterizer::glyphs(const QList<char32_t> &codes, QList<char32_t> *missing)
{
    BitmapFont font;
    const QFontMetrics metrics(m_font);
    font.name = m_font.family();
    font.ascent = metrics.ascent();
    font.descent = metrics.descent();
    const QRawFont raw = QRawFont::fromFont(m_font);
    for (char32_t code : codes) {
        if (raw.supportsCharacter(uint(code)))
            font.put(glyph(code));
        else
            *missing << code;
    }
    return font;
}
