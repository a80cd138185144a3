#include "widgets/canvas/DrawingTools.h"

#include "logic/canvas/FloodFill.h"
#include "logic/canvas/PenStroke.h"
#include "widgets/canvas/PixelCanvas.h"
#include "logic/canvas/Shapes.h"
#include "logic/canvas/TextStamp.h"

namespace {
const QRgb White = qRgb(255, 255, 255);
// Pending text is neither black nor white, so it is never taken for the picture.
const QRgb Pending = qRgb(0, 120, 255);
} // namespace

DrawingTools::DrawingTools(PixelCanvas *canvas, QObject *parent) : QObject(parent), m_canvas(canvas)
{
}

QStringList DrawingTools::captions()
{
    return {tr("Pen"), tr("Line"), tr("Rectangle"), tr("Filled rectangle"), tr("Ellipse"), tr("Filled ellipse"),
            tr("Fill"), tr("Text")};
}

void DrawingTools::setTool(Tool tool)
{
    m_tool = tool;
    m_dragging = false;
    refreshPreview();
}

void DrawingTools::setText(const QString &text)
{
    m_text = text;
    m_stamped = false;
    refreshPreview();
}

void DrawingTools::setTextPreviewWanted(bool wanted)
{
    m_textWanted = wanted;
    refreshPreview();
}

bool DrawingTools::isShape() const
{
    return m_tool == Tool::Line || m_tool == Tool::Rectangle || m_tool == Tool::FilledRectangle
        || m_tool == Tool::Ellipse || m_tool == Tool::FilledEllipse;
}

void DrawingTools::press(QPoint lcdPoint, Qt::MouseButton button)
{
    // A second button pressed during a drag belongs to the drag.
    if (m_dragging)
        return;
    m_colour = button == Qt::RightButton ? White : m_canvas->drawColour();
    m_anchor = lcdPoint;
    if (m_tool == Tool::Text) {
        m_canvas->setCurrentPosition(lcdPoint);
        m_stamped = false;
        refreshPreview();
        return;
    }
    if (m_tool == Tool::Fill) {
        emit editStarting();
        m_canvas->edit([&](QImage &picture) { FloodFill::fill(picture, lcdPoint, m_colour); });
        emit editFinished();
        return;
    }
    m_dragging = true;
    if (isShape()) {
        move(lcdPoint);
        return;
    }
    emit editStarting();
    m_canvas->edit([&](QImage &picture) { PenStroke::stamp(picture, lcdPoint, m_canvas->penWidth(), m_colour); });
    m_canvas->setCurrentPosition(lcdPoint);
}

void DrawingTools::move(QPoint lcdPoint)
{
    if (!m_dragging)
        return;
    if (isShape()) {
        QImage preview = m_canvas->image().copy();
        drawShape(preview, lcdPoint);
        m_canvas->setPreview(preview);
        return;
    }
    const QPoint from = m_canvas->currentPosition();
    m_canvas->edit([&](QImage &picture) { PenStroke::line(picture, from, lcdPoint, m_canvas->penWidth(), m_colour); });
    m_canvas->setCurrentPosition(lcdPoint);
}

void DrawingTools::release(QPoint lcdPoint)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    if (isShape()) {
        m_canvas->clearPreview();
        emit editStarting();
        m_canvas->edit([&](QImage &picture) { drawShape(picture, lcdPoint); });
        m_canvas->setCurrentPosition(lcdPoint);
    }
    emit editFinished();
}

void DrawingTools::drawShape(QImage &picture, QPoint to) const
{
    const int pen = m_canvas->penWidth();
    switch (m_tool) {
    case Tool::Line:
        PenStroke::line(picture, m_anchor, to, pen, m_colour);
        break;
    case Tool::Rectangle:
    case Tool::FilledRectangle:
        Shapes::rectangle(picture, m_anchor, to, pen, m_colour, m_tool == Tool::FilledRectangle);
        break;
    case Tool::Ellipse:
    case Tool::FilledEllipse:
        Shapes::ellipse(picture, m_anchor, to, pen, m_colour, m_tool == Tool::FilledEllipse);
        break;
    default:
        break;
    }
}

void DrawingTools::textStamped()
{
    // The text is in the picture now; no copy follows the position to the next line.
    m_stamped = true;
    refreshPreview();
}

void DrawingTools::refreshPreview()
{
    if (m_dragging)
        return;
    const bool pending = (m_tool == Tool::Text || m_textWanted) && !m_text.isEmpty() && !m_stamped;
    if (!pending) {
        m_canvas->clearPreview();
        emit pendingText(false);
        return;
    }
    QImage preview = m_canvas->image().convertToFormat(QImage::Format_RGB32);
    m_canvas->stampInto(preview, m_canvas->currentPosition(), m_text, Pending);
    m_canvas->setPreview(preview);
    emit pendingText(true);
}
