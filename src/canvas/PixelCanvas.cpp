#include "canvas/PixelCanvas.h"

#include "canvas/PenStroke.h"
#include "canvas/TextStamp.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

PixelCanvas::PixelCanvas(QWidget *parent)
    : QWidget(parent), m_image(PenStroke::blank(240, 64)), m_colour(qRgb(0, 0, 0))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(sizeHint());
    setCursor(Qt::CrossCursor);
}

bool PixelCanvas::isBlack(int x, int y) const
{
    return m_image.valid(x, y) && (m_image.pixel(x, y) & 0xFFFFFF) == 0;
}

void PixelCanvas::setImage(const QImage &picture)
{
    m_image = PenStroke::resizedAnchored(picture.convertToFormat(QImage::Format_RGB32), lcdWidth(), lcdHeight());
    imageChanged();
}

void PixelCanvas::setLcdSize(int width, int height)
{
    m_image = PenStroke::resizedAnchored(m_image, width, height);
    setFixedSize(sizeHint());
    imageChanged();
}

void PixelCanvas::clear()
{
    m_image.fill(Qt::white);
    m_current = QPoint(0, 0);
    imageChanged();
}

void PixelCanvas::setPoint(QPoint lcdPoint)
{
    PenStroke::stamp(m_image, lcdPoint, m_penWidth, m_colour);
    m_current = lcdPoint;
    imageChanged();
}

void PixelCanvas::lineTo(QPoint lcdPoint)
{
    PenStroke::line(m_image, m_current, lcdPoint, m_penWidth, m_colour);
    m_current = lcdPoint;
    imageChanged();
}

void PixelCanvas::stampText(const QString &text)
{
    const int lineHeight = TextStamp::stamp(m_image, m_current, text, m_font, m_colour);
    m_current = QPoint(0, m_current.y() + lineHeight);
    // An empty line only moves the position: the picture is unchanged.
    if (!text.isEmpty())
        imageChanged();
}

void PixelCanvas::setZoom(int zoom)
{
    m_zoom = qBound(1, zoom, 16);
    setFixedSize(sizeHint());
    update();
}

QPoint PixelCanvas::toLcd(QPointF widgetPoint) const
{
    // Floor, not truncate: a point left of or above the canvas is negative.
    return QPoint(int(std::floor(widgetPoint.x() / m_zoom)),
                  int(std::floor(widgetPoint.y() / m_zoom)));
}

QSize PixelCanvas::sizeHint() const
{
    return m_image.size() * m_zoom;
}

void PixelCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    // Nearest-neighbour scaling keeps every LCD pixel a crisp square.
    const QRect source(dirty.left() / m_zoom, dirty.top() / m_zoom,
                       dirty.width() / m_zoom + 2, dirty.height() / m_zoom + 2);
    const QRect clipped = source.intersected(m_image.rect());
    painter.fillRect(dirty, palette().color(QPalette::Dark));
    painter.drawImage(QRect(clipped.topLeft() * m_zoom, clipped.size() * m_zoom), m_image, clipped);
}

void PixelCanvas::mousePressEvent(QMouseEvent *event)
{
    emit pressed(toLcd(event->position()));
}

void PixelCanvas::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(toLcd(event->position()));
}

void PixelCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(toLcd(event->position()));
}

void PixelCanvas::imageChanged()
{
    update();
    emit changed();
}
