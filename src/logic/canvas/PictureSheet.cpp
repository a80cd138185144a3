#include "logic/canvas/PictureSheet.h"

#include <QPainter>

namespace {
QImage white(QSize size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Copies `picture` over the top-left of `target`, clipped to `area`.
void drawClipped(QImage &target, const QImage &picture, QRect area)
{
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setClipRect(area);
    painter.drawImage(0, 0, picture.convertToFormat(QImage::Format_RGB32));
}
} // namespace

PictureSheet::PictureSheet(QSize lcdSize) : m_lcdSize(lcdSize.expandedTo(QSize(1, 1))), m_sheet(white(m_lcdSize))
{
}

QImage PictureSheet::picture() const
{
    return m_sheet.size() == m_lcdSize ? m_sheet : m_sheet.copy(lcdRect());
}

QImage PictureSheet::view()
{
    // bits() gives the sheet its own memory first, so a copy taken earlier keeps the old pixels.
    return QImage(m_sheet.bits(), m_lcdSize.width(), m_lcdSize.height(), m_sheet.bytesPerLine(),
                  QImage::Format_RGB32);
}

void PictureSheet::setLcdSize(QSize size)
{
    m_lcdSize = size.expandedTo(QSize(1, 1));
    if (m_sheet.width() >= m_lcdSize.width() && m_sheet.height() >= m_lcdSize.height())
        return;
    QImage grown = white(m_sheet.size().expandedTo(m_lcdSize));
    drawClipped(grown, m_sheet, grown.rect());
    m_sheet = grown;
}

void PictureSheet::clear()
{
    m_sheet.fill(Qt::white);
}

void PictureSheet::replace(const QImage &picture)
{
    clear();
    setPicture(picture);
}

void PictureSheet::setPicture(const QImage &picture)
{
    // Padded with white where the picture is smaller than the LCD.
    QImage padded = white(m_lcdSize);
    drawClipped(padded, picture, padded.rect());
    drawClipped(m_sheet, padded, lcdRect());
}
