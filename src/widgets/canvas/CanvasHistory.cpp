#include "widgets/canvas/CanvasHistory.h"

#include "widgets/canvas/PixelCanvas.h"

CanvasHistory::CanvasHistory(PixelCanvas *canvas, std::function<CanvasState()> current,
                             std::function<void(const CanvasState &)> apply, QObject *parent)
    : QObject(parent), m_canvas(canvas), m_current(std::move(current)), m_apply(std::move(apply))
{
}

void CanvasHistory::begin()
{
    if (m_depth++ > 0)
        return;
    // A shallow copy: the canvas copies its pixels once, on the first change.
    m_before = m_canvas->sheet();
    m_stateBefore = m_current();
}

void CanvasHistory::commit()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    if (m_history.record(m_before, m_canvas->sheet(), m_stateBefore, m_current()))
        emit availabilityChanged();
    m_before = QImage();
}

void CanvasHistory::perform(const std::function<void()> &change)
{
    begin();
    change();
    commit();
}

bool CanvasHistory::travel(bool back)
{
    if (m_depth > 0)
        return false; // not in the middle of a stroke
    CanvasState state = m_current();
    bool moved = false;
    m_canvas->editSheet([&](QImage &sheet) { moved = back ? m_history.undo(sheet, state) : m_history.redo(sheet, state); });
    if (moved) {
        m_apply(state);
        emit availabilityChanged();
    }
    return moved;
}

bool CanvasHistory::undo()
{
    return travel(true);
}

bool CanvasHistory::redo()
{
    return travel(false);
}
