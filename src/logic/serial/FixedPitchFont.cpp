#include "logic/serial/FixedPitchFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace FixedPitchFont {

namespace {

bool isFixed(const QFont &font)
{
    return QFontInfo(font).fixedPitch();
}

QFont withFamily(const QFont &preferred, const QString &family)
{
    QFont font = preferred;
    font.setFamilies({family});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

QFont from(const QFont &preferred)
{
    if (isFixed(preferred))
        return preferred;
    const QStringList wellKnown = {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                                   QStringLiteral("Noto Sans Mono"), QStringLiteral("Monospace")};
    for (const QString &family : wellKnown)
        if (isFixed(withFamily(preferred, family)))
            return withFamily(preferred, family);
    for (const QString &family : QFontDatabase::families())
        if (QFontDatabase::isFixedPitch(family) && isFixed(withFamily(preferred, family)))
            return withFamily(preferred, family);
    return preferred; // no fixed-pitch font installed at all
}

QFont system()
{
    return from(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

} // namespace FixedPitchFont
