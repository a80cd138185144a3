#pragma once

#include <QByteArray>
#include <QString>

// What the Enter key sends.
enum class EnterKey { Cr, Lf, CrLf };

// The bytes that typing in the transmit window sends: characters as
// Latin-1, Enter as chosen (CR by default), Backspace as 8. Keys that give
// no character (arrows, Shift, function keys) send nothing.
namespace TypedKey {

QByteArray enterBytes(EnterKey enter);

// A key press. Nothing when its text has a character outside Latin-1:
// such a key is refused as a whole (see latin1Only).
QByteArray bytes(int key, const QString &text, EnterKey enter = EnterKey::Cr);

// Pasted or composed text (Latin-1 only): each line break, whether CR LF,
// CR or LF, goes out as Enter would send it.
QByteArray textBytes(const QString &text, EnterKey enter);

// The text without its characters outside Latin-1; *dropped tells whether
// there were any.
QString latin1Only(const QString &text, bool *dropped);

} // namespace TypedKey
