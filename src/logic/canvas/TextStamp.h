#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

// Prints a line of text into a black-and-white picture without antialiasing,
// so every pixel stays pure black or white and thin strokes survive the
// conversion to LCD bytes.
namespace TextStamp {

// `font` as it is stamped: no antialiasing, point sizes taken at 96 dots an
// inch, so one LCD pixel is one screen pixel whatever the display.
QFont crispFont(const QFont &font);

// Prints `text` with the top-left of its line at `topLeft` in `colour`,
// leaving the background as it is. Returns the line height, by which the
// next line starts lower.
int stamp(QImage &image, QPoint topLeft, const QString &text, const QFont &font, QRgb colour);

} // namespace TextStamp
