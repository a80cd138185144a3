#pragma once

#include "logic/serial/BoundedText.h"

#include <QString>

class QPlainTextEdit;

// The receive window's document, kept to a bound by dropping its oldest
// characters so the newest input always stays. The calls touch only the ends
// of the document, never copy the whole text: receiving stays cheap however
// full the window is. A line break counts as one character.
namespace TerminalText {

// Characters in the window (line breaks count one).
int length(const QPlainTextEdit *edit);
// Applies a rendered update without moving the caret. The view follows the
// new text when it was scrolled to the bottom; otherwise the line at its top
// stays there while older text is dropped above it.
void apply(QPlainTextEdit *edit, const ScreenUpdate &update, int limit);
// Whether the window shows exactly `text`; compares lengths first so a
// full window is not copied.
bool shows(const QPlainTextEdit *edit, const QString &text);
// Drops the oldest characters until at most `limit` are left.
void dropOldest(QPlainTextEdit *edit, int limit);

} // namespace TerminalText
