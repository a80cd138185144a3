#pragma once

#include "logic/canvas/PictureSheet.h"
#include "logic/font/BitmapFont.h"

#include <QFont>
#include <QImage>
#include <QWidget>
#include <functional>

// The drawing surface: a picture of exactly LCD-size pixels (black = lit),
// shown with each LCD pixel as a square of `zoom` screen pixels, with a
// pixel grid from zoom 4 up. What a smaller LCD size hides is kept (see
// PictureSheet). It knows how to draw but not when: the canvas panel and
// its tools decide that on its signals.
class PixelCanvas : public QWidget
{
    Q_OBJECT
public:
    static constexpr int GridFromZoom = 4;

    explicit PixelCanvas(QWidget *parent = nullptr);

    QImage image() const { return m_sheet.picture(); }
    int lcdWidth() const { return m_sheet.lcdSize().width(); }
    int lcdHeight() const { return m_sheet.lcdSize().height(); }
    bool isBlack(int x, int y) const;

    // Replaces the picture (anchored top-left, clipped or padded with
    // white); what a smaller size hides stays.
    void setImage(const QImage &picture);
    // A new picture altogether: the hidden part is wiped too.
    void replaceAll(const QImage &picture);
    void setLcdSize(int width, int height);
    // Wipes everything, the hidden part too.
    void clear();

    // Runs `change` on the picture (drawing there draws on the canvas), then repaints.
    void edit(const std::function<void(QImage &picture)> &change);
    // Everything drawn, hidden part included; undo works on it in place.
    const QImage &sheet() const { return m_sheet.sheet(); }
    void editSheet(const std::function<void(QImage &sheet)> &change);

    void setDrawColour(QRgb colour) { m_colour = colour; }
    QRgb drawColour() const { return m_colour; }
    void setPenWidth(int width) { m_penWidth = width; }
    int penWidth() const { return m_penWidth; }

    // The drawing position: the last point set (where text is stamped).
    QPoint currentPosition() const { return m_current; }
    void setCurrentPosition(QPoint position) { m_current = position; }

    void setPoint(QPoint lcdPoint);
    void lineTo(QPoint lcdPoint);

    QFont stampFont() const { return m_font; }
    void setStampFont(const QFont &font) { m_font = font; }
    // A font made in the Font tool: text is then stamped exactly as the
    // firmware draws it with that font. An empty font gives the stamp font back.
    void setLcdFont(const BitmapFont &font) { m_lcdFont = font; }
    bool usesLcdFont() const { return !m_lcdFont.glyphs.isEmpty(); }
    // Prints `text` in `colour` with its line's top-left at `topLeft`, in the
    // LCD font when one is in use; returns the line height.
    int stampInto(QImage &picture, QPoint topLeft, const QString &text, QRgb colour) const;
    // Prints `text` at the drawing position in the drawing colour, then
    // moves the position to the start of the next line.
    void stampText(const QString &text);

    // Shown instead of the picture until cleared: a shape being dragged,
    // text before it is stamped. The picture itself is untouched.
    void setPreview(const QImage &preview);
    void clearPreview();
    bool hasPreview() const { return !m_preview.isNull(); }

    int zoom() const { return m_zoom; }
    void setZoom(int zoom);
    QPoint toLcd(QPointF widgetPoint) const;

    QSize sizeHint() const override;

signals:
    void pressed(QPoint lcdPoint, Qt::MouseButton button);
    // With or without a button held.
    void moved(QPoint lcdPoint);
    void released(QPoint lcdPoint);
    void pointerLeft();
    // An arrow key: move the picture one pixel.
    void shiftRequested(int dx, int dy);
    // Any change of the picture's pixels or size.
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void imageChanged();
    void paintGrid(QPainter &painter, const QRect &dirty) const;

    PictureSheet m_sheet;
    QImage m_preview;
    QRgb m_colour;
    int m_penWidth = 1;
    int m_zoom = 3;
    QPoint m_current;
    QFont m_font;
    BitmapFont m_lcdFont;
};
