#pragma once

#include <QStringList>

class QWidget;

// Every visible caption in `window` that does not fit the room its widget
// has, measured with the widget's own font: labels, buttons, check boxes
// and options, frame titles, a combo box's shown item and its open list, and
// lists that show a row cut in half or an item cut short. Each entry names
// the widget and the text. Lay the window out before asking.
QStringList clippedCaptions(QWidget *window);
