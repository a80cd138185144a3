#include "logic/serial/TypedKey.h"

#include <Qt>

namespace TypedKey {

QByteArray enterBytes(EnterKey enter)
{
    switch (enter) {
    case EnterKey::Lf:
        return QByteArrayLiteral("\n");
    case EnterKey::CrLf:
        return QByteArrayLiteral("\r\n");
    case EnterKey::Cr:
        break;
    }
    return QByteArrayLiteral("\r");
}

QByteArray bytes(int key, const QString &text, EnterKey enter)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return enterBytes(enter);
    case Qt::Key_Backspace:
        return QByteArray(1, '\b');
    case Qt::Key_Delete: // the X11 text of Delete is DEL, but it edits, it types nothing
        return {};
    default:
        break;
    }
    bool outside = false;
    latin1Only(text, &outside);
    return outside ? QByteArray() : text.toLatin1();
}

QByteArray textBytes(const QString &text, EnterKey enter)
{
    QByteArray result;
    result.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            result += enterBytes(enter);
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            result += char(c.unicode());
        }
    }
    return result;
}

QString latin1Only(const QString &text, bool *dropped)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text)
        if (c.unicode() <= 0xFF)
            kept += c;
    *dropped = kept.size() != text.size();
    return kept;
}

} // namespace TypedKey
