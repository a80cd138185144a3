#include "logic/canvas/ImportSettings.h"

namespace {
template <typename Enum>
bool fromName(const QStringList &names, const QString &name, Enum *value)
{
    const int index = names.indexOf(name.trimmed().toLower());
    if (index < 0)
        return false;
    *value = Enum(index);
    return true;
}
} // namespace

bool ImportSettings::isDefault() const
{
    const ImportSettings plain;
    return placement == plain.placement && threshold == plain.threshold && dither == plain.dither
        && invert == plain.invert && rotation == plain.rotation && flipHorizontal == plain.flipHorizontal
        && flipVertical == plain.flipVertical;
}

QStringList ImportSettings::placementNames()
{
    return {QStringLiteral("crop"), QStringLiteral("center"), QStringLiteral("fit"), QStringLiteral("fill"),
            QStringLiteral("stretch")};
}

QStringList ImportSettings::ditherNames()
{
    return {QStringLiteral("none"), QStringLiteral("fs"), QStringLiteral("atkinson"), QStringLiteral("bayer")};
}

bool ImportSettings::placementFromName(const QString &name, Placement *placement)
{
    return fromName(placementNames(), name, placement);
}

bool ImportSettings::ditherFromName(const QString &name, Dither *dither)
{
    return fromName(ditherNames(), name, dither);
}
