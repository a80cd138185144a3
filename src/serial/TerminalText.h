#pragma once

#include <QString>

class QPlainTextEdit;

// The receive window's text, kept to a bound by dropping its oldest
// characters so the newest input always stays. Both calls touch only the ends
// of the document, never copy the whole text: receiving stays cheap however
// full the window is. A CR LF shows as one line break and counts as one
// character.
namespace TerminalText {

// Characters in the window (line breaks count one).
int length(const QPlainTextEdit *edit);
// Appends at the end without moving the caret; the view follows the new
// text only when it was already scrolled to the bottom.
void append(QPlainTextEdit *edit, const QString &text, int limit);
// Whether the window shows exactly `text`; compares lengths first so a
// full window is not copied.
bool shows(const QPlainTextEdit *edit, const QString &text);
// Drops the oldest characters until at most `limit` are left.
void dropOldest(QPlainTextEdit *edit, int limit);

} // namespace TerminalText
