#include "widgets/serial/TerminalText.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace TerminalText {

namespace {
// Where the view's top is: a character position and the wrapped line of its
// paragraph, as the scroll bar counts lines.
struct ViewTop
{
    int position;
    int lineInBlock;
};

ViewTop viewTop(const QPlainTextEdit *edit)
{
    const int value = edit->verticalScrollBar()->value();
    const QTextBlock top = edit->document()->findBlockByLineNumber(value);
    return {top.position(), value - top.firstLineNumber()};
}

void restoreViewTop(QPlainTextEdit *edit, const ViewTop &top, int removedFront)
{
    QScrollBar *bar = edit->verticalScrollBar();
    const int position = top.position - removedFront;
    if (position < 0) { // those lines are gone: the oldest left is the nearest
        bar->setValue(0);
        return;
    }
    const QTextBlock block = edit->document()->findBlock(position);
    bar->setValue(block.firstLineNumber() + top.lineInBlock);
}

void remove(QTextCursor &cursor, int from, int to)
{
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}
} // namespace

int length(const QPlainTextEdit *edit)
{
    // characterCount() includes the separator that ends the last block.
    return edit->document()->characterCount() - 1;
}

bool shows(const QPlainTextEdit *edit, const QString &text)
{
    return length(edit) == text.size() && edit->toPlainText() == text;
}

void apply(QPlainTextEdit *edit, const ScreenUpdate &update, int limit)
{
    QScrollBar *bar = edit->verticalScrollBar();
    const bool following = bar->value() == bar->maximum();
    const ViewTop top = viewTop(edit);
    const int before = length(edit);
    const TextEdit change = BoundedText::plan(before, update, limit);
    QTextCursor cursor(edit->document());
    // One edit block: each changed paragraph is laid out once.
    cursor.beginEditBlock();
    if (change.removeBack > 0)
        remove(cursor, before - change.removeBack, before);
    if (change.removeFront > 0)
        remove(cursor, 0, change.removeFront);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(change.insert);
    cursor.endEditBlock();
    if (following)
        bar->setValue(bar->maximum());
    else
        restoreViewTop(edit, top, change.removeFront);
}

void dropOldest(QPlainTextEdit *edit, int limit)
{
    const int excess = length(edit) - limit;
    if (excess <= 0)
        return;
    QTextCursor start(edit->document());
    remove(start, 0, excess);
}

} // namespace TerminalText
