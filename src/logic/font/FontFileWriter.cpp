#include "logic/font/FontFileWriter.h"

#include "logic/export/ByteLines.h"
#include "logic/export/CSourceTemplate.h"
#include "logic/font/CharacterList.h"

namespace FontFileWriter {

namespace {

using Form = PackedFont::Form;
using T = ExportOptions::Template;

QString hex(uint value)
{
    return QStringLiteral("0x%1").arg(value, 2, 16, QLatin1Char('0'));
}

// "0x41 'A'"; characters that could end a comment or a line go by code alone.
QString label(char32_t code)
{
    const bool plain = code >= 0x20 && code < 0x7f && code != '\\' && code != '*' && code != '/';
    return plain ? hex(uint(code)) + QStringLiteral(" '") + QChar(char16_t(code)) + QLatin1Char('\'')
                 : hex(uint(code));
}

QByteArray littleEndian16(const QList<int> &values)
{
    QByteArray bytes;
    for (int value : values)
        bytes += char(value & 0xFF), bytes += char((value >> 8) & 0xFF);
    return bytes;
}

QByteArray bytesOf(const QList<int> &values)
{
    QByteArray bytes;
    for (int value : values)
        bytes += char(value);
    return bytes;
}

QByteArray gfxRecords(const PackedFont &font)
{
    QByteArray bytes;
    for (const GfxGlyph &g : font.glyphs) {
        bytes += littleEndian16({g.bitmapOffset});
        for (int value : {g.width, g.height, g.xAdvance, g.xOffset, g.yOffset})
            bytes += char(value);
    }
    return bytes + littleEndian16({int(font.first), int(font.last)}) + char(font.height);
}

// Every array as bytes, for assembler and binary.
QList<QPair<QString, QByteArray>> byteSections(const PackedFont &font, const QString &name)
{
    if (font.form == Form::Table)
        return {{name, font.bitmap}};
    if (font.form == Form::Proportional)
        return {{name + QStringLiteral("_bitmaps"), font.bitmap},
                {name + QStringLiteral("_widths"), bytesOf(font.widths)},
                {name + QStringLiteral("_offsets"), littleEndian16(font.offsets)}};
    return {{name + QStringLiteral("_bitmaps"), font.bitmap}, {name + QStringLiteral("_glyphs"), gfxRecords(font)}};
}

QString cValues(const QList<int> &values)
{
    QStringList parts;
    for (int value : values)
        parts << QString::number(value);
    return parts.join(QStringLiteral(", "));
}

QString defines(const PackedFont &font, const QString &upper)
{
    QString text = QStringLiteral("#define %1_FIRST %2\n#define %1_LAST %3\n").arg(upper, hex(font.first), hex(font.last));
    if (font.form == Form::Table)
        text += QStringLiteral("#define %1_WIDTH %2\n").arg(upper).arg(font.width);
    text += QStringLiteral("#define %1_HEIGHT %2\n#define %1_BASELINE %3\n").arg(upper).arg(font.height).arg(font.baseline);
    if (font.form == Form::Table)
        text += QStringLiteral("#define %1_BYTES_PER_CHAR %2\n").arg(upper).arg(font.bitmap.size() / font.count());
    return text + QLatin1Char('\n');
}

// One line a character, each glyph's bytes from `at[i]` to `at[i + 1]`.
QString glyphLines(const PackedFont &font, const QList<int> &at)
{
    QString text;
    for (qsizetype i = 0; i + 1 < at.size(); ++i) {
        const QByteArray bytes = font.bitmap.mid(at.at(i), at.at(i + 1) - at.at(i));
        text += QStringLiteral("    ") + (bytes.isEmpty() ? QString() : ByteLines::cList(bytes) + QLatin1Char(','))
            + QStringLiteral(" /* ") + label(font.first + char32_t(i)) + QStringLiteral(" */\n");
    }
    return text;
}

QList<int> glyphStarts(const PackedFont &font)
{
    QList<int> at;
    for (qsizetype i = 0; i < font.count(); ++i)
        at << (font.form == Form::Table      ? int(i * (font.bitmap.size() / font.count()))
               : font.form == Form::Gfx      ? font.glyphs.at(i).bitmapOffset
                                             : font.offsets.at(i));
    return at << int(font.bitmap.size());
}

QString cArray(const QString &type, const QString &name, qsizetype size, bool progmem, const QString &body)
{
    return QStringLiteral("const %1 %2[%3]%4 = {\n%5};\n\n")
        .arg(type, name, QString::number(size), progmem ? QStringLiteral(" PROGMEM") : QString(), body);
}

QString gfxStructs()
{
    return QStringLiteral("#ifndef _GFXFONT_H_\n#define _GFXFONT_H_\n"
                          "typedef struct {\n    uint16_t bitmapOffset;\n    uint8_t width;\n    uint8_t height;\n"
                          "    uint8_t xAdvance;\n    int8_t xOffset;\n    int8_t yOffset;\n} GFXglyph;\n"
                          "typedef struct {\n    uint8_t *bitmap;\n    GFXglyph *glyph;\n    uint16_t first;\n"
                          "    uint16_t last;\n    uint8_t yAdvance;\n} GFXfont;\n#endif\n\n");
}

QString gfxSource(const PackedFont &font, const QString &name, bool progmem)
{
    QString records;
    for (qsizetype i = 0; i < font.glyphs.size(); ++i) {
        const GfxGlyph &g = font.glyphs.at(i);
        records += QStringLiteral("    {%1}, /* %2 */\n")
                       .arg(cValues({g.bitmapOffset, g.width, g.height, g.xAdvance, g.xOffset, g.yOffset}),
                            label(font.first + char32_t(i)));
    }
    const QString pm = progmem ? QStringLiteral(" PROGMEM") : QString();
    return gfxStructs()
        + cArray(QStringLiteral("uint8_t"), name + QStringLiteral("_bitmaps"), qMax<qsizetype>(font.bitmap.size(), 1),
                 progmem, font.bitmap.isEmpty() ? QStringLiteral("    0\n") : glyphLines(font, glyphStarts(font)))
        + cArray(QStringLiteral("GFXglyph"), name + QStringLiteral("_glyphs"), font.glyphs.size(), progmem, records)
        + QStringLiteral("const GFXfont %1%2 = {(uint8_t *)%1_bitmaps, (GFXglyph *)%1_glyphs, %3, %4, %5};\n")
              .arg(name, pm, hex(font.first), hex(font.last), QString::number(font.height));
}

QString cSource(const PackedFont &font, const ExportOptions &options)
{
    const QString &name = options.name;
    QString text = QStringLiteral("/* %1: tavrel font %2 */\n#include <stdint.h>\n").arg(name, geometryLine(font));
    if (options.progmem)
        text += CSourceTemplate::progmemLines();
    text += QLatin1Char('\n') + defines(font, name.toUpper());
    const QList<int> starts = glyphStarts(font);
    if (font.form == Form::Gfx)
        return text + gfxSource(font, name, options.progmem);
    const qsizetype bitmapSize = qMax<qsizetype>(font.bitmap.size(), 1);
    const QString glyphs = font.bitmap.isEmpty() ? QStringLiteral("    0\n") : glyphLines(font, starts);
    if (font.form == Form::Table)
        return text + cArray(QStringLiteral("uint8_t"), name, bitmapSize, options.progmem, glyphs);
    return text + cArray(QStringLiteral("uint8_t"), name + QStringLiteral("_bitmaps"), bitmapSize, options.progmem, glyphs)
        + cArray(QStringLiteral("uint8_t"), name + QStringLiteral("_widths"), font.widths.size(), options.progmem,
                 QStringLiteral("    ") + cValues(font.widths) + QLatin1Char('\n'))
        + cArray(QStringLiteral("uint16_t"), name + QStringLiteral("_offsets"), font.offsets.size(), options.progmem,
                 QStringLiteral("    ") + cValues(font.offsets) + QLatin1Char('\n'));
}

QString assembler(const PackedFont &font, const ExportOptions &options)
{
    const bool retlw = options.directive == ExportOptions::Directive::Retlw;
    QString text = QStringLiteral("; %1: tavrel font %2\n").arg(options.name, geometryLine(font));
    for (const auto &section : byteSections(font, options.name)) {
        text += section.first + (retlw ? QLatin1String("\n") : QLatin1String(":\n"));
        const int perLine = retlw ? 1 : ByteLines::resolve(options.bytesPerLine, 16, 16);
        for (const QByteArray &line : ByteLines::split(section.second, perLine))
            text += (retlw ? QLatin1String("    retlw ") : QLatin1String("    db ")) + ByteLines::cList(line)
                + QLatin1Char('\n');
    }
    return text;
}

} // namespace

QString geometryLine(const PackedFont &font)
{
    const MatrixLayout &l = font.layout;
    return QStringLiteral("form=%1 first=%2 last=%3 width=%4 height=%5 baseline=%6 packing=%7 bit-order=%8 scan=%9")
        .arg(PackedFont::formNames().at(int(font.form)), hex(font.first), hex(font.last))
        .arg(font.width)
        .arg(font.height)
        .arg(font.baseline)
        .arg(l.horizontal ? QStringLiteral("horizontal") : QStringLiteral("vertical"),
             l.bitOrder == MatrixLayout::BitOrder::MsbFirst ? QStringLiteral("msb") : QStringLiteral("lsb"),
             l.scan == MatrixLayout::Scan::Columns ? QStringLiteral("columns") : QStringLiteral("pages"))
        // Stated only when not eight, so files of whole-byte layouts read as before.
        + (l.pixelsPerByte != 8 ? QStringLiteral(" pixels-per-byte=%1").arg(l.pixelsPerByte) : QString());
}

bool supports(ExportOptions::Template kind)
{
    return kind == T::C || kind == T::Assembler || kind == T::Binary;
}

QByteArray write(const PackedFont &font, const ExportOptions &options)
{
    if (options.kind == T::Assembler)
        return assembler(font, options).toUtf8();
    if (options.kind == T::Binary) {
        QByteArray bytes;
        for (const auto &section : byteSections(font, options.name))
            bytes += section.second;
        return bytes;
    }
    return cSource(font, options).toUtf8();
}

} // namespace FontFileWriter
