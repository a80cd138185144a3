// Font logic: character lists, the PCF and BDF readers, cells, the forms'
// bytes by hand, and every form read back as firmware would draw it.
#include "logic/convert/ControllerProfiles.h"
#include "logic/font/BdfFont.h"
#include "logic/font/CharacterList.h"
#include "logic/font/FontExport.h"
#include "logic/font/FontFileBytes.h"
#include "logic/font/FontFileReader.h"
#include "logic/font/FontFileWriter.h"
#include "logic/font/FontSource.h"
#include "logic/font/PackedFont.h"
#include "logic/font/PcfReader.h"

#include <QFontDatabase>
#include <QtTest>

namespace {

const QString Pcf5x7 = QStringLiteral("/usr/share/fonts/X11/misc/5x7-ISO8859-1.pcf.gz");

// A glyph from rows of '#' and '.'.
Glyph glyphOf(char32_t code, const QStringList &rows, int xOffset, int top, int advance)
{
    Glyph glyph{code, GlyphBits::blank(int(rows.first().size()), int(rows.size())), xOffset, top, advance};
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows.at(y).size(); ++x)
            if (rows.at(y).at(x) == QLatin1Char('#'))
                glyph.bits.setPixel(x, y, 1);
    return glyph;
}

// "#.#" above ".#.", sitting on the baseline one column right of the cursor, and a blank space.
BitmapFont tinyFont()
{
    BitmapFont font;
    font.ascent = 2;
    font.descent = 0;
    font.put(glyphOf('!', {QStringLiteral("#.#"), QStringLiteral(".#.")}, 1, -2, 5));
    font.put(Glyph{' ', QImage(), 0, 0, 2});
    return font;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result += char(value);
    return result;
}

} // namespace

class FontFormats : public QObject
{
    Q_OBJECT

private slots:
    void characterLists_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("codes"); // as describe() spells them; empty: refused
        QTest::newRow("range") << "32-126" << "0x20-0x7e";
        QTest::newRow("hex, list and a character") << "0x41-0x43,0xb0,°,A" << "0x41-0x43,0xb0";
        QTest::newRow("beyond the first plane") << "U+1F600,-" << "0x2d,0x1f600";
        QTest::newRow("latin1") << "latin1" << "0x20-0x7e,0xa0-0xff";
        QTest::newRow("reversed range") << "126-32" << "";
        QTest::newRow("no code point") << "0x110000" << "";
        QTest::newRow("two characters") << "ab" << "";
    }
    void characterLists()
    {
        QFETCH(QString, list);
        QFETCH(QString, codes);
        QList<char32_t> parsed;
        QString reason;
        QCOMPARE(CharacterList::parse(list, &parsed, &reason), !codes.isEmpty());
        if (!codes.isEmpty())
            QCOMPARE(CharacterList::describe(parsed), codes);
    }

    // Bytes worked out by hand from tinyFont().
    void formsPackByHand_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QByteArray>("bitmap");
        // Cells 5 wide (the widest advance), 2 rows; ' ' blank, '!' from column 1.
        QTest::newRow("table ks0108") << int(PackedFont::Form::Table) << "ks0108"
                                      << bytes({0, 0, 0, 0, 0, 0, 1, 2, 1, 0});
        QTest::newRow("table t6963c") << int(PackedFont::Form::Table) << "t6963c" << bytes({0, 0, 0x50, 0x20});
        // Proportional: ' ' keeps its advance of 2, '!' is trimmed to 3 columns plus one of spacing.
        QTest::newRow("proportional ks0108") << int(PackedFont::Form::Proportional) << "ks0108"
                                             << bytes({0, 0, 1, 2, 1, 0});
        // GFX: '!' alone, its six bits 101010 MSB first without row padding.
        QTest::newRow("gfx") << int(PackedFont::Form::Gfx) << "ks0108" << bytes({0xa8});
    }
    void formsPackByHand()
    {
        QFETCH(int, form);
        QFETCH(QString, profile);
        QFETCH(QByteArray, bitmap);
        PackedFont packed;
        QString reason;
        QVERIFY(FontPacking::pack(tinyFont(), {' ', '!'}, CellMetrics(), PackedFont::Form(form),
                                  ControllerProfiles::byName(profile)->layout, &packed, &reason));
        QCOMPARE(packed.bitmap, bitmap);
        QCOMPARE(packed.count(), 2);
        if (packed.form == PackedFont::Form::Proportional) {
            QCOMPARE(packed.widths.first(), 2);
            QCOMPARE(packed.widths.last(), 4);
            QCOMPARE(packed.offsets.last(), 2);
        }
        if (packed.form == PackedFont::Form::Gfx) {
            const GfxGlyph v = packed.glyphs.last();
            QCOMPARE(QList<int>({v.bitmapOffset, v.width, v.height, v.xAdvance, v.xOffset, v.yOffset}),
                     QList<int>({0, 3, 2, 5, 1, -2}));
        }
    }

    // Written as C, read back, drawn: the glyphs firmware gets, in every form and layout.
    void formsReadBackAsWritten_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("profile");
        for (const ControllerProfile &profile : ControllerProfiles::all()) {
            const QByteArray name = profile.names.first().toLatin1();
            QTest::addRow("table %s", name.constData()) << int(PackedFont::Form::Table) << profile.names.first();
            QTest::addRow("proportional %s", name.constData()) << int(PackedFont::Form::Proportional) << profile.names.first();
        }
        QTest::newRow("gfx") << int(PackedFont::Form::Gfx) << "ks0108";
    }
    void formsReadBackAsWritten()
    {
        QFETCH(int, form);
        QFETCH(QString, profile);
        BitmapFont pcf;
        QString reason;
        if (!QFile::exists(Pcf5x7))
            QSKIP("xfonts-base is not installed");
        QVERIFY2(FontSources::readBitmapFile(Pcf5x7, &pcf, &reason), qPrintable(reason));
        FontExportChoice choice;
        QVERIFY(CharacterList::parse(QStringLiteral("latin1"), &choice.codes, &reason));
        choice.form = PackedFont::Form(form);
        choice.layout = ControllerProfiles::byName(profile)->layout;
        BitmapFont expected, readBack;
        QByteArray source;
        PackedFont packed;
        QVERIFY(FontExport::drawn(pcf, choice, &expected, &reason));
        QVERIFY(FontExport::content(pcf, choice, &source, &reason));
        QVERIFY2(FontFileReader::read(source, &packed, &reason), qPrintable(reason));
        readBack = FontPacking::drawn(packed);
        QCOMPARE(readBack.ascent, expected.ascent);
        QCOMPARE(readBack.glyphs, expected.glyphs);
        // The GFX form keeps every glyph as the PCF has it.
        if (choice.form == PackedFont::Form::Gfx)
            QCOMPARE(readBack.subset(choice.codes).glyphs, pcf.subset(choice.codes).glyphs);
    }

    void bdfKeepsThePcfGlyphs()
    {
        BitmapFont pcf, bdf;
        QString reason;
        if (!QFile::exists(Pcf5x7))
            QSKIP("xfonts-base is not installed");
        QVERIFY(FontSources::readBitmapFile(Pcf5x7, &pcf, &reason));
        QVERIFY(pcf.glyphs.size() > 190);
        QVERIFY2(BdfFont::read(BdfFont::write(pcf, 7), &bdf, &reason), qPrintable(reason));
        QCOMPARE(bdf.ascent, pcf.ascent);
        QCOMPARE(bdf.descent, pcf.descent);
        QCOMPARE(bdf.glyphs, pcf.glyphs);
    }

    // Every cut of a real PCF is refused or read; none crashes or reads out of bounds.
    void damagedPcfIsRefused()
    {
        QByteArray whole;
        QString reason;
        if (!QFile::exists(Pcf5x7))
            QSKIP("xfonts-base is not installed");
        QVERIFY(FontFileBytes::read(Pcf5x7, &whole, &reason));
        for (qsizetype length = 0; length < whole.size(); length += 97) {
            BitmapFont font;
            QVERIFY(!PcfReader::read(whole.left(length), &font, &reason));
        }
    }

    void missingGlyphsAreReported()
    {
        FontSource source;
        source.family = QStringLiteral("DejaVu Sans");
        source.pixelSize = 16;
        LoadedFont loaded;
        QString reason;
        if (!QFontDatabase::families().contains(source.family))
            QSKIP("DejaVu Sans is not installed");
        QVERIFY(FontSources::load(source, {'A', 0x1D11E}, &loaded, &reason));
        QCOMPARE(loaded.missing, QList<char32_t>({0x1D11E}));
        QVERIFY(loaded.font.find('A'));
        QVERIFY(loaded.font.find('A')->height() >= 10);
    }
};

QTEST_MAIN(FontFormats)
#include "tst_fontformats.moc"
