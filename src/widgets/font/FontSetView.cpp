#include "widgets/font/FontSetView.h"

#include "logic/font/CharacterList.h"
#include "logic/font/FontPainter.h"
#include "widgets/ui/FontToolNames.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QRgb Lit = qRgb(20, 30, 60);
const QRgb Unlit = qRgb(170, 200, 120);
} // namespace

FontSetView::FontSetView(QWidget *parent) : QWidget(parent)
{
    setObjectName(FontToolNames::fontSetView);
    setAccessibleName(tr("Character set"));
    setFocusPolicy(Qt::StrongFocus);
}

QSize FontSetView::cell() const
{
    int width = 1;
    for (const Glyph &glyph : m_font.glyphs)
        width = qMax(width, qMax(glyph.advance, glyph.xOffset + glyph.width()));
    return QSize(width + 1, qMax(m_font.lineHeight(), 1) + 1);
}

int FontSetView::indexOf(char32_t code) const
{
    for (qsizetype i = 0; i < m_font.glyphs.size(); ++i)
        if (m_font.glyphs.at(i).code == code)
            return int(i);
    return -1;
}

void FontSetView::setFont(const BitmapFont &font)
{
    m_font = font;
    const QSize c = cell();
    const int rows = int((font.glyphs.size() + PerRow - 1) / PerRow);
    m_picture = QImage(c.width() * PerRow + 1, c.height() * qMax(rows, 1) + 1, QImage::Format_RGB32);
    m_picture.fill(Unlit);
    for (qsizetype i = 0; i < font.glyphs.size(); ++i) {
        const Glyph &glyph = font.glyphs.at(i);
        const QString text = QString::fromUcs4(&glyph.code, 1);
        FontPainter::draw(m_picture, QPoint(int(i % PerRow) * c.width() + 1, int(i / PerRow) * c.height() + 1), text,
                          font, Lit);
    }
    m_scale = qBound(1, 480 / m_picture.width(), 4);
    if (indexOf(m_chosen) < 0 && !font.glyphs.isEmpty())
        m_chosen = font.glyphs.first().code;
    resize(sizeHint()); // in a scroll area that does not resize it
    update();
}

void FontSetView::setInverted(bool inverted)
{
    m_inverted = inverted;
    update();
}

void FontSetView::choose(char32_t code)
{
    if (indexOf(code) < 0)
        return;
    m_chosen = code;
    setAccessibleDescription(tr("Chosen: %1").arg(CharacterList::name(code)));
    update();
    emit glyphChosen(code);
}

QPoint FontSetView::centreOf(char32_t code) const
{
    const int i = qMax(indexOf(code), 0);
    const QSize c = cell() * m_scale;
    return QPoint((i % PerRow) * c.width() + c.width() / 2, (i / PerRow) * c.height() + c.height() / 2);
}

void FontSetView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_inverted ? QColor(Lit) : QColor(Unlit));
    QImage shown = m_picture;
    if (m_inverted)
        shown.invertPixels();
    painter.drawImage(QRect(QPoint(0, 0), shown.size() * m_scale), shown);
    const int i = indexOf(m_chosen);
    if (i < 0)
        return;
    const QSize c = cell() * m_scale;
    painter.setPen(QPen(Qt::red, 2));
    painter.drawRect(QRect(QPoint((i % PerRow) * c.width(), (i / PerRow) * c.height()), c));
}

void FontSetView::mousePressEvent(QMouseEvent *event)
{
    const QSize c = cell() * m_scale;
    const QPoint p = event->position().toPoint();
    const int column = p.x() / c.width(), row = p.y() / c.height();
    const qsizetype i = qsizetype(row) * PerRow + column;
    if (column < PerRow && i < m_font.glyphs.size())
        choose(m_font.glyphs.at(i).code);
}

void FontSetView::keyPressEvent(QKeyEvent *event)
{
    const int step = event->key() == Qt::Key_Right ? 1 : event->key() == Qt::Key_Left ? -1
                     : event->key() == Qt::Key_Down ? PerRow : event->key() == Qt::Key_Up ? -PerRow : 0;
    const int i = indexOf(m_chosen) + step;
    if (step == 0 || i < 0 || i >= m_font.glyphs.size())
        return QWidget::keyPressEvent(event);
    choose(m_font.glyphs.at(i).code);
}

QSize FontSetView::sizeHint() const
{
    return m_picture.size() * m_scale;
}
