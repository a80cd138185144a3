#pragma once

#include <QPlainTextEdit>

// The receive window. A long line is shown on several rows, broken by line
// separators (see ReceiveRenderer); copying leaves those breaks out, so what
// is pasted elsewhere is the text as it was received.
class TerminalView : public QPlainTextEdit
{
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    // The selection as copying gives it.
    QString selectedReceivedText() const;

protected:
    QMimeData *createMimeDataFromSelection() const override;
};
