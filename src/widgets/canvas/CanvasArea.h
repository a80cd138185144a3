#pragma once

#include <QWidget>

class DrawingTools;
class PixelCanvas;
class QComboBox;
class QLabel;
class QScrollArea;
class QVBoxLayout;

// The canvas in its scroll area with the row under it: zoom, tool and the
// pointer's position. "Fit" zooms to whatever room the window gives.
class CanvasArea : public QWidget
{
    Q_OBJECT
public:
    CanvasArea(PixelCanvas *canvas, DrawingTools *tools, QWidget *parent);

    // The canvas, zoom and tool, in screen order.
    QList<QWidget *> focusOrder() const;
    QComboBox *zoomBox() const { return m_zoom; }
    // Puts a row under the zoom and tool row.
    void addRow(QWidget *row);
    // After a change of the LCD size or of the room.
    void applyZoom();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pointerAt(QPoint lcdPoint);

    PixelCanvas *m_canvas;
    QVBoxLayout *m_layout = nullptr;
    QScrollArea *m_scroll = nullptr;
    QComboBox *m_zoom = nullptr;
    QComboBox *m_tool = nullptr;
    QLabel *m_position = nullptr;
};
