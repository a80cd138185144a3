#pragma once

#include <QFont>

// A font whose characters all have one width, for hex rows and columns of
// text that must line up. The system's fixed font is not fixed-pitch on
// every system (with some font sets fontconfig answers with a proportional
// one), so the font actually matched is checked and other families tried.
namespace FixedPitchFont {

// `preferred` when the font it matches is fixed-pitch, otherwise the first
// fixed-pitch family found, at the preferred size.
QFont from(const QFont &preferred);
// from() of the system's fixed font.
QFont system();

} // namespace FixedPitchFont
