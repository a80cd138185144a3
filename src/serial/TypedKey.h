#pragma once

#include <QByteArray>
#include <QString>

// The byte a key press in the transmit window sends: its character as
// Latin-1, Enter as CR (13), Backspace as 8. Keys that give no character
// (arrows, Shift, function keys) and characters with no Latin-1 byte give
// nothing, so no wrong byte goes out.
namespace TypedKey {

QByteArray bytes(int key, const QString &text);

} // namespace TypedKey
