#include "serial/TypedKey.h"

#include <Qt>

namespace TypedKey {

QByteArray bytes(int key, const QString &text)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QByteArray(1, '\r');
    case Qt::Key_Backspace:
        return QByteArray(1, '\b');
    case Qt::Key_Delete: // the X11 text of Delete is DEL, but it edits, it types nothing
        return {};
    default:
        break;
    }
    if (text.size() != 1 || text.at(0).unicode() > 0xFF)
        return {};
    return QByteArray(1, char(text.at(0).unicode()));
}

} // namespace TypedKey
