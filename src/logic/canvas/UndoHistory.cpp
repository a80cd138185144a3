#include "logic/canvas/UndoHistory.h"

#include <climits>

namespace {

const QRgb White = 0xFFFFFF;

bool isBlack(QRgb pixel)
{
    return (pixel & 0xFFFFFF) == 0;
}

// The pixel of `image` at (x, y), white outside it.
QRgb pixelOrWhite(const QImage &image, int x, int y)
{
    return x < image.width() && y < image.height() ? reinterpret_cast<const QRgb *>(image.constScanLine(y))[x]
                                                   : White;
}

} // namespace

UndoHistory::UndoHistory(qint64 budgetBytes, int maxSteps) : m_budget(budgetBytes), m_maxSteps(maxSteps)
{
}

QRect UndoHistory::changedArea(const QImage &before, const QImage &after)
{
    int top = -1, bottom = -1, left = INT_MAX, right = -1;
    for (int y = 0; y < after.height(); ++y) {
        const auto *now = reinterpret_cast<const QRgb *>(after.constScanLine(y));
        const auto differs = [&](int x) { return isBlack(now[x]) != isBlack(pixelOrWhite(before, x, y)); };
        int first = 0;
        while (first < after.width() && !differs(first))
            ++first;
        if (first == after.width())
            continue;
        int last = after.width() - 1;
        while (!differs(last))
            --last;
        top = top < 0 ? y : top;
        bottom = y;
        left = qMin(left, first);
        right = qMax(right, last);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

UndoHistory::Step UndoHistory::capture(const QImage &image, QRect area, const CanvasState &state)
{
    Step step{area, QByteArray(), state};
    const int rowBytes = (area.width() + 7) / 8;
    step.bits = QByteArray(qsizetype(rowBytes) * area.height(), '\0');
    auto *out = reinterpret_cast<uchar *>(step.bits.data());
    for (int y = 0; y < area.height(); ++y, out += rowBytes)
        for (int x = 0; x < area.width(); ++x)
            if (isBlack(pixelOrWhite(image, area.left() + x, area.top() + y)))
                out[x / 8] |= uchar(0x80 >> (x % 8));
    return step;
}

void UndoHistory::paste(const Step &step, QImage &sheet)
{
    const int rowBytes = (step.area.width() + 7) / 8;
    const auto *in = reinterpret_cast<const uchar *>(step.bits.constData());
    const QRect inside = step.area.intersected(sheet.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const uchar *bits = in + qsizetype(y - step.area.top()) * rowBytes;
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const int i = x - step.area.left();
            line[x] = bits[i / 8] & (0x80 >> (i % 8)) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        }
    }
}

qint64 UndoHistory::cost(const Step &step)
{
    return step.bits.size() + qint64(sizeof(Step)) + 32; // the array's own header, roughly
}

bool UndoHistory::record(const QImage &before, const QImage &after, const CanvasState &stateBefore,
                         const CanvasState &stateAfter)
{
    const QRect area = changedArea(before, after);
    if (area.isEmpty() && stateBefore == stateAfter)
        return false;
    for (const Step &step : std::as_const(m_redo))
        m_bytes -= cost(step);
    m_redo.clear();
    m_undo.append(capture(before, area, stateBefore));
    m_bytes += cost(m_undo.last());
    trim();
    return true;
}

bool UndoHistory::travel(QList<Step> &from, QList<Step> &to, QImage &sheet, CanvasState &state)
{
    if (from.isEmpty())
        return false;
    const Step step = from.takeLast();
    to.append(capture(sheet, step.area, state));
    paste(step, sheet);
    state = step.state;
    m_bytes += cost(to.last()) - cost(step);
    return true;
}

bool UndoHistory::undo(QImage &sheet, CanvasState &state)
{
    return travel(m_undo, m_redo, sheet, state);
}

bool UndoHistory::redo(QImage &sheet, CanvasState &state)
{
    return travel(m_redo, m_undo, sheet, state);
}

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_bytes = 0;
}

void UndoHistory::trim()
{
    while (!m_undo.isEmpty() && (m_bytes > m_budget || m_undo.size() > m_maxSteps))
        m_bytes -= cost(m_undo.takeFirst());
}
