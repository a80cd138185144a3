#include "widgets/serial/TransmitWindow.h"

#include "widgets/ui/UserMessages.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

TransmitWindow::TransmitWindow(QWidget *parent) : QPlainTextEdit(parent)
{
}

void TransmitWindow::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+V and Shift+Insert paste, and the paste sends; their own text
    // (0x16) is no byte for the PIC.
    if (event->matches(QKeySequence::Paste)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    bool outside = false;
    TypedKey::latin1Only(event->text(), &outside);
    if (outside) {
        UserMessages::beep();
        event->accept();
        return;
    }
    const QByteArray bytes = TypedKey::bytes(event->key(), event->text(), m_enter);
    if (!bytes.isEmpty())
        emit typed(bytes);
    QPlainTextEdit::keyPressEvent(event);
}

void TransmitWindow::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    const QString kept = take(commit);
    if (kept.size() == commit.size()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent shown(event->preeditString(), event->attributes());
    shown.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&shown);
}

void TransmitWindow::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    QMimeData shown;
    shown.setText(take(source->text()));
    QPlainTextEdit::insertFromMimeData(&shown);
}

QString TransmitWindow::take(const QString &text)
{
    bool outside = false;
    const QString kept = TypedKey::latin1Only(text, &outside);
    if (outside)
        UserMessages::beep();
    if (!kept.isEmpty())
        emit typed(TypedKey::textBytes(kept, m_enter));
    return kept;
}

void TransmitWindow::holdText(const QString &text)
{
    setPlainText(text);
    m_held = text;
    m_heldRevision = document()->revision();
}

QString TransmitWindow::heldText() const
{
    return document()->revision() == m_heldRevision ? m_held : toPlainText();
}

QMimeData *TransmitWindow::createMimeDataFromSelection() const
{
    const QTextCursor selection = textCursor();
    const bool whole = selection.selectionStart() == 0
        && selection.selectionEnd() == document()->characterCount() - 1;
    if (!whole || document()->revision() != m_heldRevision)
        return QPlainTextEdit::createMimeDataFromSelection();
    auto *data = new QMimeData;
    data->setText(m_held);
    return data;
}
