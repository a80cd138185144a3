#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>

// The drawing surface: a picture of exactly LCD-size pixels (black = lit),
// shown with each LCD pixel as a square of `zoom` screen pixels. It knows
// how to draw but not when: the canvas panel decides that on its signals.
class PixelCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit PixelCanvas(QWidget *parent = nullptr);

    const QImage &image() const { return m_image; }
    int lcdWidth() const { return m_image.width(); }
    int lcdHeight() const { return m_image.height(); }
    bool isBlack(int x, int y) const;

    // Replaces the picture (anchored top-left, clipped or padded with white).
    void setImage(const QImage &picture);
    void setLcdSize(int width, int height);
    void clear();

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
    // Prints `text` at the drawing position in the drawing colour, then
    // moves the position to the start of the next line.
    void stampText(const QString &text);

    int zoom() const { return m_zoom; }
    void setZoom(int zoom);
    QPoint toLcd(QPointF widgetPoint) const;

    QSize sizeHint() const override;

signals:
    void pressed(QPoint lcdPoint);
    void moved(QPoint lcdPoint);
    void released(QPoint lcdPoint);
    // Any change of the picture's pixels or size.
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void imageChanged();

    QImage m_image;
    QRgb m_colour;
    int m_penWidth = 1;
    int m_zoom = 3;
    QPoint m_current;
    QFont m_font;
};
