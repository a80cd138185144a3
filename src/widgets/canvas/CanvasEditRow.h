#pragma once

#include <QImage>
#include <QWidget>

class CanvasHistory;
class PixelCanvas;
class QPushButton;

// The row under the canvas: "Undo", "Redo" and the operations on the whole
// picture (invert, flip, rotate). Every change goes through the history,
// so each is one undo step.
class CanvasEditRow : public QWidget
{
    Q_OBJECT
public:
    CanvasEditRow(PixelCanvas *canvas, CanvasHistory *history, QWidget *parent);

    // Undo to "Rotate 90", in screen order.
    QList<QWidget *> focusOrder() const { return m_buttons; }
    // Undo and Redo follow the history; "Rotate 90" turns a square picture only.
    void updateButtons();
    // Moves the picture by whole pixels (the arrow keys on the canvas).
    void shift(int dx, int dy);

private:
    QPushButton *add(const QString &name, const QString &caption, const QString &description,
                     QImage (*operation)(const QImage &));
    void transform(QImage (*operation)(const QImage &));

    PixelCanvas *m_canvas;
    CanvasHistory *m_history;
    QPushButton *m_undo = nullptr;
    QPushButton *m_redo = nullptr;
    QPushButton *m_rotate90 = nullptr;
    QList<QWidget *> m_buttons;
};
