#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

// Everything drawn on the canvas, as large as the largest LCD size shown
// since it was made, of which the top-left LCD-size part is the picture.
// A smaller size hides the rest without losing it; a larger one shows it
// again. Pixels are pure black or white (RGB32).
class PictureSheet
{
public:
    explicit PictureSheet(QSize lcdSize);

    QSize lcdSize() const { return m_lcdSize; }
    QRect lcdRect() const { return QRect(QPoint(0, 0), m_lcdSize); }
    // The picture: the LCD-size part (shares memory until either changes).
    QImage picture() const;
    // A picture that draws straight into the sheet's LCD-size part. Valid
    // until the sheet next changes size or is replaced.
    QImage view();

    const QImage &sheet() const { return m_sheet; }
    QImage &sheet() { return m_sheet; }

    // Shows another part; the sheet grows as needed and never shrinks.
    void setLcdSize(QSize size);
    // White everywhere, the hidden part too.
    void clear();
    // A new picture: white everywhere, then `picture` at the top-left.
    void replace(const QImage &picture);
    // Overwrites the LCD-size part only, the hidden part stays.
    void setPicture(const QImage &picture);

private:
    QSize m_lcdSize;
    QImage m_sheet;
};
