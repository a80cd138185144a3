#include "logic/font/FontFileReader.h"

#include <QHash>
#include <QRegularExpression>

namespace FontFileReader {

namespace {

const QRegularExpression &geometryPattern()
{
    static const QRegularExpression pattern(QStringLiteral("tavrel font (form=[^\\n]*?)\\s*\\*/"));
    return pattern;
}

QHash<QString, QString> geometry(const QString &line)
{
    QHash<QString, QString> values;
    for (const QString &pair : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        values.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    return values;
}

int number(const QString &text, bool *ok)
{
    bool good = false;
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QString digits = negative ? text.mid(1) : text;
    const int value = digits.startsWith(QLatin1String("0x")) ? digits.mid(2).toInt(&good, 16) : digits.toInt(&good);
    *ok = *ok && good;
    return negative ? -value : value;
}

// Array name suffix ("" for the table's single array) -> its values.
QHash<QString, QList<int>> arrays(const QString &source, bool *ok)
{
    static const QRegularExpression comments(QStringLiteral("/\\*.*?\\*/"), QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression array(QStringLiteral("const\\s+\\w+\\s+(\\w+)\\s*\\[[^\\]]*\\][^=]*=\\s*\\{(.*?)\\};"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression value(QStringLiteral("-?(0x[0-9a-fA-F]+|\\d+)"));
    static const QRegularExpression suffix(QStringLiteral("_(bitmaps|widths|offsets|glyphs)$"));
    QString code = source;
    code.remove(comments);
    QHash<QString, QList<int>> found;
    for (auto match = array.globalMatch(code); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        const QRegularExpressionMatch named = suffix.match(m.captured(1));
        QList<int> &values = found[named.hasMatch() ? named.captured(1) : QString()];
        for (auto v = value.globalMatch(m.captured(2)); v.hasNext();)
            values << number(v.next().captured(0), ok);
    }
    return found;
}

bool layoutOf(const QHash<QString, QString> &g, MatrixLayout *layout)
{
    layout->horizontal = g.value(QStringLiteral("packing")) == QLatin1String("horizontal");
    layout->bitOrder = g.value(QStringLiteral("bit-order")) == QLatin1String("msb") ? MatrixLayout::BitOrder::MsbFirst
                                                                                    : MatrixLayout::BitOrder::LsbFirst;
    layout->scan = g.value(QStringLiteral("scan")) == QLatin1String("columns") ? MatrixLayout::Scan::Columns
                                                                               : MatrixLayout::Scan::Pages;
    bool ok = true;
    layout->pixelsPerByte = g.value(QStringLiteral("pixels-per-byte"), QStringLiteral("8")).toInt(&ok);
    return ok && layout->pixelsPerByte >= 1 && layout->pixelsPerByte <= 8;
}

bool inByte(int value)
{
    return value >= 0 && value <= 255;
}

QByteArray bytesOf(const QList<int> &values)
{
    QByteArray bytes;
    for (int value : values)
        bytes += char(value);
    return bytes;
}

} // namespace

bool isFontSource(const QByteArray &text)
{
    return geometryPattern().match(QString::fromUtf8(text.left(4096))).hasMatch();
}

bool read(const QByteArray &text, PackedFont *font, QString *reason)
{
    const QString source = QString::fromUtf8(text);
    const QRegularExpressionMatch match = geometryPattern().match(source);
    const QHash<QString, QString> g = geometry(match.captured(1));
    bool ok = match.hasMatch() && PackedFont::formFromName(g.value(QStringLiteral("form")), &font->form);
    font->first = char32_t(number(g.value(QStringLiteral("first")), &ok));
    font->last = char32_t(number(g.value(QStringLiteral("last")), &ok));
    font->width = number(g.value(QStringLiteral("width")), &ok);
    font->height = number(g.value(QStringLiteral("height")), &ok);
    font->baseline = number(g.value(QStringLiteral("baseline")), &ok);
    ok = ok && layoutOf(g, &font->layout) && font->last >= font->first && font->last - font->first < 65536
        && font->height >= 0 && font->height <= 255 && font->width >= 0 && font->width <= 255;
    const QHash<QString, QList<int>> values = arrays(source, &ok);
    const qsizetype count = ok ? font->count() : 0;
    if (font->form == PackedFont::Form::Table) {
        font->bitmap = bytesOf(values.value(QString()));
    } else if (font->form == PackedFont::Form::Proportional) {
        font->bitmap = bytesOf(values.value(QStringLiteral("bitmaps")));
        font->widths = values.value(QStringLiteral("widths"));
        font->offsets = values.value(QStringLiteral("offsets"));
        ok = ok && font->widths.size() == count && font->offsets.size() == count;
    } else {
        font->bitmap = bytesOf(values.value(QStringLiteral("bitmaps")));
        const QList<int> records = values.value(QStringLiteral("glyphs"));
        ok = ok && records.size() == 6 * count;
        for (qsizetype i = 0; ok && i < count; ++i) {
            font->glyphs << GfxGlyph{records.at(6 * i), records.at(6 * i + 1), records.at(6 * i + 2),
                                     records.at(6 * i + 3), records.at(6 * i + 4), records.at(6 * i + 5)};
            ok = inByte(font->glyphs.last().width) && inByte(font->glyphs.last().height);
        }
    }
    for (int width : qAsConst(font->widths))
        ok = ok && inByte(width);
    if (!ok)
        *reason = QStringLiteral("no font source written by this program, or its arrays do not match its first line");
    return ok;
}

} // namespace FontFileReader
