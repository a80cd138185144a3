#pragma once

#include <QObject>
#include <QPoint>
#include <QRgb>
#include <QStringList>

class PixelCanvas;

// What a mouse gesture on the canvas does with the tool chosen: the pen
// draws as the pointer moves; line, rectangle and ellipse show the shape
// while it is dragged and draw it on release; fill floods the area
// clicked; text places the text where clicked and shows it there, in blue,
// until it is stamped. The right mouse button draws in white (erases).
class DrawingTools : public QObject
{
    Q_OBJECT
public:
    enum class Tool { Pen, Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse, Fill, Text };

    explicit DrawingTools(PixelCanvas *canvas, QObject *parent = nullptr);

    // The captions of the tools, in enum order.
    static QStringList captions();

    Tool tool() const { return m_tool; }
    void setTool(Tool tool);
    // The text the Text tool shows before it is stamped, and whether to show it.
    void setText(const QString &text);
    void setTextPreviewWanted(bool wanted);

    void press(QPoint lcdPoint, Qt::MouseButton button);
    void move(QPoint lcdPoint);
    void release(QPoint lcdPoint);
    bool isDragging() const { return m_dragging; }

    // Shows the text where it would be stamped, or nothing when not wanted.
    void refreshPreview();
    // The text went into the picture: nothing is pending until it changes or is placed again.
    void textStamped();

signals:
    // Around each change of the picture, so it can be undone as one step.
    void editStarting();
    void editFinished();
    // Whether text not yet in the picture is shown on the canvas.
    void pendingText(bool shown);

private:
    void drawShape(QImage &picture, QPoint to) const;
    bool isShape() const;

    PixelCanvas *m_canvas;
    Tool m_tool = Tool::Pen;
    QString m_text;
    bool m_textWanted = false;
    bool m_stamped = false;
    bool m_dragging = false;
    QPoint m_anchor;
    QRgb m_colour = 0;
};
