#include "widgets/font/GlyphEditor.h"
#include "widgets/ui/FontToolNames.h"

#include <QMouseEvent>
#include <QPainter>

GlyphEditor::GlyphEditor(QWidget *parent) : QWidget(parent)
{
    setObjectName(FontToolNames::glyphEditor);
    setAccessibleName(tr("Glyph pixels"));
    setAccessibleDescription(tr("Click a pixel to light or clear it"));
    setMinimumSize(160, 160);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void GlyphEditor::setGlyph(const Glyph &glyph, int ascent, int descent)
{
    m_glyph = glyph;
    m_ascent = ascent;
    m_descent = descent;
    m_hasGlyph = true;
    update();
}

QRect GlyphEditor::box() const
{
    const Glyph &g = m_glyph;
    const int left = qMin(0, g.width() ? g.xOffset : 0);
    const int right = qMax(qMax(g.advance, 1), g.width() ? g.xOffset + g.width() : 0);
    const int top = qMin(-m_ascent, g.width() ? g.top : 0);
    const int bottom = qMax(m_descent, g.width() ? g.top + g.height() : 0);
    // A column and a row of room on every side, to draw beyond the glyph.
    return QRect(QPoint(left - 1, top - 1), QPoint(right, bottom));
}

int GlyphEditor::scale() const
{
    const QRect b = box();
    return qMax(2, qMin(width() / b.width(), height() / b.height()));
}

QPoint GlyphEditor::centreOf(int x, int y) const
{
    const QRect b = box();
    const int s = scale();
    return QPoint((x - b.left()) * s + s / 2, (y - b.top()) * s + s / 2);
}

void GlyphEditor::toggle(int x, int y)
{
    const QRect b = box();
    // The glyph over the whole box, the pixel flipped, then cut to its lit pixels again.
    Glyph whole = m_glyph;
    whole.bits = GlyphBits::blank(b.width(), b.height());
    whole.xOffset = b.left();
    whole.top = b.top();
    for (int row = 0; row < m_glyph.height(); ++row)
        for (int column = 0; column < m_glyph.width(); ++column)
            if (m_glyph.lit(column, row))
                whole.bits.setPixel(column + m_glyph.xOffset - b.left(), row + m_glyph.top - b.top(), 1);
    const QPoint at(x - b.left(), y - b.top());
    if (!whole.bits.valid(at))
        return;
    whole.bits.setPixel(at, whole.lit(at.x(), at.y()) ? 0 : 1);
    m_glyph = whole.trimmed();
    update();
    emit glyphEdited(m_glyph);
}

void GlyphEditor::mousePressEvent(QMouseEvent *event)
{
    if (!m_hasGlyph || event->button() != Qt::LeftButton)
        return;
    const QRect b = box();
    const int s = scale();
    const QPoint p = event->position().toPoint();
    toggle(p.x() / s + b.left(), p.y() / s + b.top());
}

void GlyphEditor::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (!m_hasGlyph)
        return;
    const QRect b = box();
    const int s = scale();
    for (int y = b.top(); y <= b.bottom(); ++y)
        for (int x = b.left(); x <= b.right(); ++x) {
            const QRect cell(centreOf(x, y) - QPoint(s / 2, s / 2), QSize(s - 1, s - 1));
            const bool lit = m_glyph.lit(x - m_glyph.xOffset, y - m_glyph.top);
            painter.fillRect(cell, lit ? palette().text().color() : QColor(220, 220, 220));
        }
    painter.setPen(QPen(Qt::red, 1));
    const int baseline = (0 - b.top()) * s - 1, cursor = (0 - b.left()) * s - 1;
    painter.drawLine(0, baseline, b.width() * s, baseline);
    painter.setPen(QPen(Qt::blue, 1));
    painter.drawLine(cursor, 0, cursor, b.height() * s);
    const int advance = (m_glyph.advance - b.left()) * s - 1;
    painter.drawLine(advance, 0, advance, b.height() * s);
}

QSize GlyphEditor::sizeHint() const
{
    return QSize(220, 220);
}
