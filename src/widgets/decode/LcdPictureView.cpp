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

void LcdPictureView::setScale(double scale)
{
    if (scale <= 0 || scale == m_scale)
        return;
    m_scale = scale;
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
    return (QSizeF(m_image.size()) * m_scale).toSize().expandedTo(QSize(1, 1));
}

void LcdPictureView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // Without smoothing every image pixel becomes a sharp square.
    painter.drawImage(QRect(QPoint(0, 0), sizeHint()), m_image);
    const int zoom = int(m_scale);
    if (zoom != m_scale || zoom < GridFromZoom || m_image.isNull())
        return;
    painter.setPen(m_grid);
    const QRect area = event->rect();
    const int right = qMin(area.right(), width() - 1);
    const int bottom = qMin(area.bottom(), height() - 1);
    for (int x = (area.left() / zoom) * zoom; x <= right; x += zoom)
        painter.drawLine(x, area.top(), x, bottom);
    for (int y = (area.top() / zoom) * zoom; y <= bottom; y += zoom)
        painter.drawLine(area.left(), y, right, y);
}
