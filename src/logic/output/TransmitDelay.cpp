#include "logic/output/TransmitDelay.h"

#include <climits>
#include <cmath>

namespace TransmitDelay {

namespace {
std::optional<double> milliseconds(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > INT_MAX)
        return std::nullopt;
    return value;
}
} // namespace

std::optional<int> truncated(const QString &text)
{
    const std::optional<double> value = milliseconds(text);
    if (!value)
        return std::nullopt;
    return int(std::trunc(*value));
}

std::optional<int> rounded(const QString &text)
{
    const std::optional<double> value = milliseconds(text);
    if (!value)
        return std::nullopt;
    const double whole = std::nearbyint(*value); // the default rounding mode: half to even
    if (whole > INT_MAX)
        return std::nullopt;
    return int(whole);
}

} // namespace TransmitDelay
