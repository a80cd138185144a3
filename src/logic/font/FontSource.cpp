#include "logic/font/FontSource.h"

#include "logic/font/BdfFont.h"
#include "logic/font/FontFileBytes.h"
#include "logic/font/OutlineRasterizer.h"
#include "logic/font/PcfReader.h"

#include <QFileInfo>
#include <QFontDatabase>

const QStringList &FontSource::hintingNames()
{
    static const QStringList names = {QStringLiteral("default"), QStringLiteral("none"), QStringLiteral("vertical"),
                                      QStringLiteral("full")};
    return names;
}

bool FontSource::hintingFromName(const QString &name, Hinting *hinting)
{
    const qsizetype index = hintingNames().indexOf(name.toLower());
    if (index < 0)
        return false;
    *hinting = Hinting(index);
    return true;
}

namespace FontSources {

bool readBitmapFile(const QString &path, BitmapFont *font, QString *reason)
{
    QByteArray bytes;
    if (!FontFileBytes::read(path, &bytes, reason))
        return false;
    const bool ok = PcfReader::isPcf(bytes) ? PcfReader::read(bytes, font, reason) : BdfFont::read(bytes, font, reason);
    if (!ok)
        reason->prepend(path + QStringLiteral(": "));
    else if (font->name.isEmpty())
        font->name = QFileInfo(path).baseName();
    return ok;
}

Glyph emboldened(const Glyph &glyph)
{
    if (glyph.bits.isNull())
        return glyph;
    Glyph bold = glyph;
    bold.bits = GlyphBits::blank(glyph.width() + 1, glyph.height());
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x <= glyph.width(); ++x)
            if (glyph.lit(x, y) || glyph.lit(x - 1, y))
                bold.bits.setPixel(x, y, 1);
    bold.advance += 1;
    return bold;
}

namespace {

bool isBitmapFile(const QString &path)
{
    const QString name = path.toLower();
    return name.endsWith(QLatin1String(".pcf")) || name.endsWith(QLatin1String(".pcf.gz"))
        || name.endsWith(QLatin1String(".bdf"));
}

bool loadBitmapFile(const FontSource &source, const QList<char32_t> &codes, LoadedFont *loaded, QString *reason)
{
    BitmapFont whole;
    if (!readBitmapFile(source.file, &whole, reason))
        return false;
    loaded->bitmapFile = true;
    loaded->font = whole.subset(codes);
    if (source.bold)
        for (Glyph &glyph : loaded->font.glyphs)
            glyph = emboldened(glyph);
    for (char32_t code : codes)
        if (!whole.find(code))
            loaded->missing << code;
    return true;
}

} // namespace

bool load(const FontSource &source, const QList<char32_t> &codes, LoadedFont *loaded, QString *reason)
{
    *loaded = LoadedFont();
    if (!source.file.isEmpty() && isBitmapFile(source.file))
        return loadBitmapFile(source, codes, loaded, reason);
    if (source.pixelSize < SmallestPixelSize || source.pixelSize > LargestPixelSize) {
        *reason = QStringLiteral("the pixel size must be %1 to %2, not %3")
                      .arg(SmallestPixelSize).arg(LargestPixelSize).arg(source.pixelSize);
        return false;
    }
    QString family = source.family;
    if (!source.file.isEmpty()) {
        if (!QFileInfo(source.file).isReadable()) {
            *reason = QStringLiteral("cannot read %1: no such file or no permission").arg(source.file);
            return false;
        }
        const QStringList families = QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(source.file));
        if (families.isEmpty()) {
            *reason = QStringLiteral("%1 is no font file this program can read").arg(source.file);
            return false;
        }
        family = families.first();
    } else if (!QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        *reason = QStringLiteral("no installed font family \"%1\" (see --list-fonts)").arg(family);
        return false;
    }
    OutlineRasterizer rasterizer(family, source);
    loaded->font = rasterizer.glyphs(codes, &loaded->missing);
    return true;
}

QStringList installedFamilies()
{
    return QFontDatabase::families();
}

} // namespace FontSources
