#pragma once

#include "logic/canvas/CanvasState.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>

// Undo and redo for a black-and-white picture. A step keeps only the
// rectangle that changed, one bit a pixel, and the canvas state before the
// change, so a stroke costs bytes and even a whole 1024x1024 picture only
// 128 KB. Undo and redo trade the stored rectangle and state with the
// current ones, so each step serves both ways.
class UndoHistory
{
public:
    static constexpr qint64 DefaultBudget = 16LL * 1024 * 1024;
    static constexpr int DefaultMaxSteps = 1000;

    explicit UndoHistory(qint64 budgetBytes = DefaultBudget, int maxSteps = DefaultMaxSteps);

    // Records a change from `before` to `after` (`after` may be larger; the
    // part `before` lacks counts as white). Drops the redo steps. Returns
    // false, recording nothing, when neither pixels nor state changed.
    bool record(const QImage &before, const QImage &after, const CanvasState &stateBefore,
                const CanvasState &stateAfter);

    // Each puts the stored pixels into `sheet` and the stored state into
    // `state`, keeping theirs for the way back. False when there is none.
    bool undo(QImage &sheet, CanvasState &state);
    bool redo(QImage &sheet, CanvasState &state);

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    int undoCount() const { return int(m_undo.size()); }
    qint64 bytesUsed() const { return m_bytes; }
    void clear();

    // The smallest rectangle of `after` where it differs from `before`.
    static QRect changedArea(const QImage &before, const QImage &after);

private:
    struct Step
    {
        QRect area;
        QByteArray bits; // black = 1, rows of (width + 7) / 8 bytes
        CanvasState state;
    };

    static Step capture(const QImage &image, QRect area, const CanvasState &state);
    static void paste(const Step &step, QImage &sheet);
    static qint64 cost(const Step &step);
    bool travel(QList<Step> &from, QList<Step> &to, QImage &sheet, CanvasState &state);
    void trim();

    QList<Step> m_undo;
    QList<Step> m_redo;
    qint64 m_bytes = 0;
    qint64 m_budget;
    int m_maxSteps;
};
