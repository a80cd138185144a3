#pragma once

#include "logic/font/BitmapFont.h"

#include <QWidget>

// Every glyph of a font as the LCD shows it, sixteen a row, enlarged; the
// chosen one framed. A click (or an arrow key) chooses a glyph.
class FontSetView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PerRow = 16;

    explicit FontSetView(QWidget *parent = nullptr);

    void setFont(const BitmapFont &font);
    // Lit pixels light on dark, as an inverted display shows them.
    void setInverted(bool inverted);
    void choose(char32_t code);
    char32_t chosen() const { return m_chosen; }
    // The centre of a glyph's cell, for clicks.
    QPoint centreOf(char32_t code) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return QSize(100, 60); }

signals:
    void glyphChosen(char32_t code);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QSize cell() const;
    int indexOf(char32_t code) const;

    BitmapFont m_font;
    QImage m_picture; // the set at one pixel a pixel
    char32_t m_chosen = 0;
    bool m_inverted = false;
    int m_scale = 3;
};
