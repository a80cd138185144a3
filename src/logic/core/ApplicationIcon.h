#pragma once

#include <QIcon>

// The program's icon, an LCD module showing a heart: the PNG sizes that are
// installed into the icon theme, built into the program.
namespace ApplicationIcon {

QIcon icon();

} // namespace ApplicationIcon
