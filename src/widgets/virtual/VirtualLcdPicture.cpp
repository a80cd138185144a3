#include "widgets/virtual/VirtualLcdPicture.h"

#include "logic/canvas/PictureFit.h"

#include <QPainter>

namespace {

constexpr int widestWish = 640; // screen pixels the picture asks for
constexpr int largestScale = 4;
constexpr int leastSide = 64; // screen pixels it keeps however small the window

} // namespace

VirtualLcdPicture::VirtualLcdPicture(QSize lcd, QWidget *parent)
    : QFrame(parent), m_image(lcd, QImage::Format_RGB32),
      m_wishedScale(qBound(1, widestWish / qMax(1, lcd.width()), largestScale))
{
    m_image.fill(Qt::white);
    setFrameShape(QFrame::Box);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void VirtualLcdPicture::setImage(const QImage &image)
{
    m_image = image;
    update();
}

double VirtualLcdPicture::scale() const
{
    return PictureFit::scale(m_image.size(), contentsRect().size(), largestScale);
}

QSize VirtualLcdPicture::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return m_image.size() * m_wishedScale + QSize(frame, frame);
}

QSize VirtualLcdPicture::minimumSizeHint() const
{
    const int frame = 2 * frameWidth();
    return m_image.size().boundedTo(QSize(leastSide, leastSide)) + QSize(frame, frame);
}

void VirtualLcdPicture::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    const double shown = scale();
    if (shown <= 0)
        return;
    QRect target(QPoint(), (QSizeF(m_image.size()) * shown).toSize());
    target.moveCenter(contentsRect().center());
    QPainter painter(this);
    // Whole-number scales keep sharp dots; a shrunk picture is averaged so thin lines stay visible.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, shown < 1);
    painter.drawImage(target, m_image);
}
