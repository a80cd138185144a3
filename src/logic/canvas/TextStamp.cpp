#include "logic/canvas/TextStamp.h"

#include <QFontMetrics>
#include <QPainter>

namespace TextStamp {

QFont crispFont(const QFont &font)
{
    QFont crisp = font;
    crisp.setStyleStrategy(QFont::NoAntialias);
    crisp.setHintingPreference(QFont::PreferFullHinting);
    if (font.pointSizeF() > 0)
        crisp.setPixelSize(qMax(1, qRound(font.pointSizeF() * 96.0 / 72.0)));
    return crisp;
}

int stamp(QImage &image, QPoint topLeft, const QString &text, const QFont &font, QRgb colour)
{
    const QFont crisp = crispFont(font);
    const QFontMetrics metrics(crisp, &image);
    if (!text.isEmpty()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setFont(crisp);
        painter.setPen(QColor::fromRgb(colour));
        painter.drawText(topLeft + QPoint(0, metrics.ascent()), text);
    }
    return metrics.lineSpacing();
}

} // namespace TextStamp
