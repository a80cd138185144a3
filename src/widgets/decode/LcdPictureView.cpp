#include "widgets/decode/LcdPictureView.h"

#include <QPaintEvent>
#include <QPainter>

LcdPictureView::LcdPictureView(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void LcdPictureView::setImage(const QImage &image)
{
    const bool resized = image.size() != m_image.size();
    m_image = image;
    if (resized) {
        setFixedSize(sizeHint());
        updateGeometry();
    }
    update();
}

void LcdPictureView::setZoom(int zoom)
{
    m_zoom = qMax(1, zoom);
    setFixedSize(sizeHint());
    updateGeometry();
    update();
}

void LcdPictureView::setGridColour(const QColor &colour)
{
    m_grid = colour;
    update();
}

QSize LcdPictureView::sizeHint() const
{
    return m_image.size() * m_zoom;
}

void LcdPictureView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // Without smoothing every image pixel becomes a sharp square.
    painter.drawImage(QRect(QPoint(0, 0), sizeHint()), m_image);
    if (m_zoom < GridFromZoom || m_image.isNull())
        return;
    painter.setPen(m_grid);
    const QRect area = event->rect();
    const int right = qMin(area.right(), width() - 1);
    const int bottom = qMin(area.bottom(), height() - 1);
    for (int x = (area.left() / m_zoom) * m_zoom; x <= right; x += m_zoom)
        painter.drawLine(x, area.top(), x, bottom);
    for (int y = (area.top() / m_zoom) * m_zoom; y <= bottom; y += m_zoom)
        painter.drawLine(area.left(), y, right, y);
}
