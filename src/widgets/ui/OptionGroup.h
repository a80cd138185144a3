#pragma once

#include <QList>

class QAbstractButton;
class QLabel;

// Keyboard and mouse conventions for groups of options.
namespace OptionGroup {

// Tab enters the group on its checked option and leaves it from there;
// the arrow keys move among the options as before.
void tabLandsOnChecked(const QList<QAbstractButton *> &options);

// A click on `caption` (a label standing beside a control without a
// caption of its own) acts as a click on `control`.
void captionClicks(QLabel *caption, QAbstractButton *control);

} // namespace OptionGroup
