#include "serial/TerminalText.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

namespace TerminalText {

int length(const QPlainTextEdit *edit)
{
    // characterCount() includes the separator that ends the last block.
    return edit->document()->characterCount() - 1;
}

bool shows(const QPlainTextEdit *edit, const QString &text)
{
    return length(edit) == text.size() && edit->toPlainText() == text;
}

void append(QPlainTextEdit *edit, const QString &text, int limit)
{
    QScrollBar *bar = edit->verticalScrollBar();
    const bool following = bar->value() == bar->maximum();
    QTextCursor end(edit->document());
    // One edit block: the changed paragraph is laid out once, not after the
    // insertion and again after the trim.
    end.beginEditBlock();
    end.movePosition(QTextCursor::End);
    // More than the window holds: only its tail would survive anyway. A CR LF
    // is two characters here and one in the window, so twice the bound is
    // kept and dropOldest cuts exactly.
    const qsizetype kept = 2 * qsizetype(limit);
    end.insertText(text.size() > kept ? text.right(kept) : text);
    dropOldest(edit, limit);
    end.endEditBlock();
    if (following)
        bar->setValue(bar->maximum());
}

void dropOldest(QPlainTextEdit *edit, int limit)
{
    const int excess = length(edit) - limit;
    if (excess <= 0)
        return;
    QTextCursor start(edit->document());
    start.setPosition(excess, QTextCursor::KeepAnchor);
    start.removeSelectedText();
}

} // namespace TerminalText
