// The bytes of any file, as `tavrel font` and the Font tool read a font
// (PCF, BDF) and as --render reads a generated C font back. A font that
// reads is packed in every form, read back and drawn, one glyph a code from
// the first to the last. Seeds: the X11 5x7 PCF unpacked, and BDF and C files written by
// `tavrel font` from the 5x7 and 6x13 PCFs for the characters @ to G.
#include "FuzzSupport.h"

#include "logic/font/BdfFont.h"
#include "logic/font/FontFileReader.h"
#include "logic/font/FontPainter.h"
#include "logic/font/PackedFont.h"
#include "logic/font/PcfReader.h"

namespace {

void packEveryForm(const BitmapFont &font)
{
    QList<char32_t> codes;
    for (const Glyph &glyph : font.glyphs)
        if (codes.size() < 64 && glyph.code < 0x10000 && glyph.width() <= 64 && glyph.height() <= 64)
            codes << glyph.code;
    if (codes.isEmpty())
        return;
    for (const auto form : {PackedFont::Form::Table, PackedFont::Form::Proportional, PackedFont::Form::Gfx}) {
        PackedFont packed;
        QString reason;
        if (!FontPacking::pack(font, codes, CellMetrics(), form, MatrixLayout::usual(false), &packed, &reason))
            continue;
        const BitmapFont drawn = FontPacking::drawn(packed);
        FuzzSupport::check(drawn.glyphs.size() == packed.count(), "the drawn font lost or gained glyphs");
        FontPainter::render(QStringLiteral("Ag{"), drawn);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    const QByteArray file = FuzzSupport::bytes(data, size);
    BitmapFont font;
    QString reason;
    if (PcfReader::isPcf(file)) {
        if (PcfReader::read(file, &font, &reason))
            packEveryForm(font);
    } else if (FontFileReader::isFontSource(file)) {
        PackedFont packed;
        if (FontFileReader::read(file, &packed, &reason))
            FontPainter::render(QStringLiteral("Hello"), FontPacking::drawn(packed));
    } else if (BdfFont::read(file, &font, &reason)) {
        packEveryForm(font);
    }
    return 0;
}
