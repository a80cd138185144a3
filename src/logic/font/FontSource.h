#pragma once

#include "logic/font/BitmapFont.h"

#include <QList>
#include <QString>
#include <QStringList>

// Where glyphs come from: an installed family, or a font file (TTF, OTF,
// PCF, PCF.gz, BDF). Bitmap files keep their own pixel size exactly;
// outlines are drawn at pixelSize without anti-aliasing.
struct FontSource
{
    enum class Hinting { Default, None, Vertical, Full };

    QString file;   // a font file; empty: the installed `family`
    QString family;
    QString style;  // a style the family offers ("Bold", "Oblique"), empty: regular
    int pixelSize = 16;
    Hinting hinting = Hinting::Full;
    bool bold = false; // the bold face, or emboldened when the font has none

    // "none|vertical|full|default", as options and settings spell them.
    static const QStringList &hintingNames();
    static bool hintingFromName(const QString &name, Hinting *hinting);
};

struct LoadedFont
{
    BitmapFont font;
    QList<char32_t> missing; // asked for, but not in the font
    bool bitmapFile = false; // its pixel size is the file's own
};

namespace FontSources {

constexpr int SmallestPixelSize = 4;
constexpr int LargestPixelSize = 255; // GFX keeps sizes in a byte

// The glyphs of `codes`. False with a reason naming the file or family.
bool load(const FontSource &source, const QList<char32_t> &codes, LoadedFont *loaded, QString *reason);
// Needs a QGuiApplication.
QStringList installedFamilies();
// A bitmap file's font as it is, for any code it has.
bool readBitmapFile(const QString &path, BitmapFont *font, QString *reason);
// The X11 way: every row ORed with itself one pixel to the right.
Glyph emboldened(const Glyph &glyph);

} // namespace FontSources
