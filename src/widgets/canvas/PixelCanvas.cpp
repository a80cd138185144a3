#include "widgets/canvas/PixelCanvas.h"

#include "logic/canvas/PenStroke.h"
#include "logic/canvas/TextStamp.h"
#include "logic/font/FontPainter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

PixelCanvas::PixelCanvas(QWidget *parent)
    : QWidget(parent), m_sheet(QSize(240, 64)), m_colour(qRgb(0, 0, 0))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(sizeHint());
    setCursor(Qt::CrossCursor);
    // The pointer position shows while hovering, not only while drawing.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

bool PixelCanvas::isBlack(int x, int y) const
{
    return QRect(0, 0, lcdWidth(), lcdHeight()).contains(x, y) && (sheet().pixel(x, y) & 0xFFFFFF) == 0;
}

void PixelCanvas::setImage(const QImage &picture)
{
    m_sheet.setPicture(picture);
    imageChanged();
}

void PixelCanvas::replaceAll(const QImage &picture)
{
    m_sheet.replace(picture);
    imageChanged();
}

void PixelCanvas::setLcdSize(int width, int height)
{
    m_sheet.setLcdSize(QSize(width, height));
    setFixedSize(sizeHint());
    imageChanged();
}

void PixelCanvas::clear()
{
    m_sheet.clear();
    m_current = QPoint(0, 0);
    imageChanged();
}

void PixelCanvas::edit(const std::function<void(QImage &picture)> &change)
{
    QImage picture = m_sheet.view();
    change(picture);
    imageChanged();
}

void PixelCanvas::editSheet(const std::function<void(QImage &sheet)> &change)
{
    change(m_sheet.sheet());
    imageChanged();
}

void PixelCanvas::setPoint(QPoint lcdPoint)
{
    edit([&](QImage &picture) { PenStroke::stamp(picture, lcdPoint, m_penWidth, m_colour); });
    m_current = lcdPoint;
}

void PixelCanvas::lineTo(QPoint lcdPoint)
{
    edit([&](QImage &picture) { PenStroke::line(picture, m_current, lcdPoint, m_penWidth, m_colour); });
    m_current = lcdPoint;
}

int PixelCanvas::stampInto(QImage &picture, QPoint topLeft, const QString &text, QRgb colour) const
{
    if (!usesLcdFont())
        return TextStamp::stamp(picture, topLeft, text, m_font, colour);
    FontPainter::draw(picture, topLeft, text, m_lcdFont, colour);
    return m_lcdFont.lineHeight();
}

void PixelCanvas::stampText(const QString &text)
{
    QImage picture = m_sheet.view();
    const int lineHeight = stampInto(picture, m_current, text, m_colour);
    m_current = QPoint(0, m_current.y() + lineHeight);
    // An empty line only moves the position: the picture is unchanged.
    if (!text.isEmpty())
        imageChanged();
}

void PixelCanvas::setPreview(const QImage &preview)
{
    m_preview = preview;
    update();
}

void PixelCanvas::clearPreview()
{
    if (m_preview.isNull())
        return;
    m_preview = QImage();
    update();
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
    return QPoint(int(std::floor(widgetPoint.x() / m_zoom)), int(std::floor(widgetPoint.y() / m_zoom)));
}

QSize PixelCanvas::sizeHint() const
{
    return m_sheet.lcdSize() * m_zoom;
}

void PixelCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    const QImage &shown = m_preview.isNull() ? sheet() : m_preview;
    // Nearest-neighbour scaling keeps every LCD pixel a crisp square.
    const QRect source(dirty.left() / m_zoom, dirty.top() / m_zoom, dirty.width() / m_zoom + 2,
                       dirty.height() / m_zoom + 2);
    const QRect clipped = source.intersected(m_sheet.lcdRect()).intersected(shown.rect());
    painter.fillRect(dirty, palette().color(QPalette::Dark));
    painter.drawImage(QRect(clipped.topLeft() * m_zoom, clipped.size() * m_zoom), shown, clipped);
    if (m_zoom >= GridFromZoom)
        paintGrid(painter, dirty);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PixelCanvas::paintGrid(QPainter &painter, const QRect &dirty) const
{
    // A line along the left and top edge of every LCD pixel, in a grey that shows on black and on white.
    painter.setPen(QColor(128, 128, 128));
    const int firstColumn = dirty.left() / m_zoom, lastColumn = qMin(dirty.right() / m_zoom, lcdWidth());
    for (int column = firstColumn; column <= lastColumn; ++column)
        painter.drawLine(column * m_zoom, dirty.top(), column * m_zoom, dirty.bottom());
    const int firstRow = dirty.top() / m_zoom, lastRow = qMin(dirty.bottom() / m_zoom, lcdHeight());
    for (int row = firstRow; row <= lastRow; ++row)
        painter.drawLine(dirty.left(), row * m_zoom, dirty.right(), row * m_zoom);
}

void PixelCanvas::mousePressEvent(QMouseEvent *event)
{
    emit pressed(toLcd(event->position()), event->button());
}

void PixelCanvas::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(toLcd(event->position()));
}

void PixelCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(toLcd(event->position()));
}

void PixelCanvas::leaveEvent(QEvent *event)
{
    emit pointerLeft();
    QWidget::leaveEvent(event);
}

void PixelCanvas::keyPressEvent(QKeyEvent *event)
{
    const int dx = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    const int dy = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    if ((dx || dy) && !(event->modifiers() & ~Qt::KeypadModifier)) {
        emit shiftRequested(dx, dy);
        return;
    }
    QWidget::keyPressEvent(event);
}

void PixelCanvas::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void PixelCanvas::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void PixelCanvas::imageChanged()
{
    update();
    emit changed();
}
