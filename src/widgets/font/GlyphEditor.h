#pragma once

#include "logic/font/BitmapFont.h"

#include <QWidget>

// One glyph, enlarged, on its line: the cursor's column and the baseline
// are marked. A click lights or clears a pixel; the glyph changes at once.
class GlyphEditor : public QWidget
{
    Q_OBJECT
public:
    explicit GlyphEditor(QWidget *parent = nullptr);

    // The glyph to edit, on a line `ascent` rows above and `descent` below the baseline.
    void setGlyph(const Glyph &glyph, int ascent, int descent);
    const Glyph &glyph() const { return m_glyph; }
    bool hasGlyph() const { return m_hasGlyph; }
    // The pixel at line column `x` (0: the cursor) and row `y` (0: the first below the baseline) toggled.
    void toggle(int x, int y);
    // Where on the widget the pixel (x, y) of the line lies (its centre).
    QPoint centreOf(int x, int y) const;

    QSize sizeHint() const override;

signals:
    void glyphEdited(const Glyph &glyph);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The box shown, in line coordinates: columns from the cursor, rows from the baseline.
    QRect box() const;
    int scale() const;

    Glyph m_glyph;
    int m_ascent = 0;
    int m_descent = 0;
    bool m_hasGlyph = false;
};
