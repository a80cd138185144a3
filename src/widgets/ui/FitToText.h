#pragma once

#include <QStringList>

class QComboBox;
class QListWidget;
class QPushButton;

// Sizes controls by what they show in their own font, so no caption, item
// or row is cut off whatever font the desktop gives, and no control takes
// more room than its text needs.
namespace FitToText {

// The list's height shows `rows` whole rows (all of them when it holds
// fewer): no row is cut in half at the bottom.
void showWholeRows(QListWidget *list, int rows);

// The closed box is at least wide enough to show any of `texts` whole
// (every item it may ever hold, so it does not widen when its items change).
void widenToShow(QComboBox *box, const QStringList &texts);

// A button as narrow as its caption allows instead of the style's wider
// minimum, for rows of many short captions.
void narrowToCaption(QPushButton *button);

} // namespace FitToText
