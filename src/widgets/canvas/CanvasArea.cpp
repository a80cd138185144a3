#include "widgets/canvas/CanvasArea.h"
#include "widgets/ui/ControlNames.h"

#include "widgets/canvas/DrawingTools.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/ui/ControlFactory.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
// The canvas's room at start-up; "Fit" uses whatever room the window gives it.
const QSize CanvasViewport(644, 404);
} // namespace

CanvasArea::CanvasArea(PixelCanvas *canvas, DrawingTools *tools, QWidget *parent) : QWidget(parent), m_canvas(canvas)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(ControlNames::canvasScrollArea);
    // Small screens give the canvas less room: it scrolls rather than push the window past the screen.
    m_scroll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_scroll->setAlignment(Qt::AlignCenter);
    // The canvas takes the keys (arrows shift the picture); the scroll bars follow the mouse.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_canvas->setObjectName(QString(ControlNames::pixelCanvas));
    m_canvas->setAccessibleName(tr("Canvas"));
    m_canvas->setAccessibleDescription(tr("Arrow keys move the picture by one pixel"));
    m_scroll->setWidget(m_canvas);
    m_scroll->setAccessibleName(tr("Canvas"));
    m_scroll->installEventFilter(this);
    m_layout->addWidget(m_scroll, 1);

    auto *zoomRow = new QHBoxLayout;
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(ControlNames::canvasZoomBox);
    m_zoom->addItem(tr("Fit"), 0);
    for (int zoom = 1; zoom <= 8; ++zoom)
        m_zoom->addItem(QStringLiteral("%1:1").arg(zoom), zoom);
    zoomRow->addWidget(Controls::label(this, ControlNames::canvasZoomLabel, tr("Zoom"), m_zoom));
    zoomRow->addWidget(m_zoom);
    m_tool = new QComboBox(this);
    m_tool->setObjectName(ControlNames::drawingToolBox);
    m_tool->addItems(DrawingTools::captions());
    zoomRow->addWidget(Controls::label(this, ControlNames::drawingToolLabel, tr("Tool"), m_tool));
    zoomRow->addWidget(m_tool);
    zoomRow->addStretch();
    m_position = Controls::valueLabel(this, ControlNames::pointerPositionLabel, tr("X,Y Position"),
                                      tr("Pointer position"));
    m_position->setMinimumWidth(110);
    m_position->hide();
    zoomRow->addWidget(m_position);
    m_layout->addLayout(zoomRow);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { applyZoom(); });
    connect(m_tool, &QComboBox::currentIndexChanged, tools, [tools](int index) { tools->setTool(DrawingTools::Tool(index)); });
    connect(m_canvas, &PixelCanvas::pressed, this, [this](QPoint point) { pointerAt(point); });
    connect(m_canvas, &PixelCanvas::moved, this, &CanvasArea::pointerAt);
    connect(m_canvas, &PixelCanvas::pointerLeft, m_position, &QLabel::hide);
    applyZoom();
}

QList<QWidget *> CanvasArea::focusOrder() const
{
    return {m_canvas, m_zoom, m_tool};
}

void CanvasArea::addRow(QWidget *row)
{
    m_layout->addWidget(row);
}

bool CanvasArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll && event->type() == QEvent::Resize)
        applyZoom();
    return QWidget::eventFilter(watched, event);
}

void CanvasArea::applyZoom()
{
    int zoom = m_zoom->currentData().toInt();
    if (zoom == 0) {
        const QSize room = m_scroll->isVisible() ? m_scroll->maximumViewportSize() : CanvasViewport;
        const QSize lcd = m_canvas->image().size();
        zoom = qMax(1, qMin(room.width() / lcd.width(), room.height() / lcd.height()));
    }
    m_canvas->setZoom(zoom);
}

void CanvasArea::pointerAt(QPoint lcdPoint)
{
    m_position->setText(QStringLiteral("X:%1 Y:%2").arg(lcdPoint.x()).arg(lcdPoint.y()));
    m_position->show();
}
