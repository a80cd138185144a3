#pragma once

#include "logic/canvas/CanvasState.h"
#include "logic/canvas/UndoHistory.h"

#include <QImage>
#include <QObject>
#include <functional>

class PixelCanvas;

// Undo and redo of the canvas: every change of the picture is wrapped in
// begin() and commit() (or perform()), which record the pixels and the
// canvas state it changed. Nested changes make one step.
class CanvasHistory : public QObject
{
    Q_OBJECT
public:
    // `current` reads the canvas state, `apply` restores one.
    CanvasHistory(PixelCanvas *canvas, std::function<CanvasState()> current,
                  std::function<void(const CanvasState &)> apply, QObject *parent = nullptr);

    void begin();
    void commit();
    void perform(const std::function<void()> &change);

    bool undo();
    bool redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    const UndoHistory &steps() const { return m_history; }

signals:
    // What undo and redo can do changed.
    void availabilityChanged();

private:
    bool travel(bool back);

    PixelCanvas *m_canvas;
    std::function<CanvasState()> m_current;
    std::function<void(const CanvasState &)> m_apply;
    UndoHistory m_history;
    int m_depth = 0;
    QImage m_before;
    CanvasState m_stateBefore;
};
