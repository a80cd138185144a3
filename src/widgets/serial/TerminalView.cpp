#include "widgets/serial/TerminalView.h"

#include <QMimeData>

QString TerminalView::selectedReceivedText() const
{
    QString text = textCursor().selectedText();
    text.remove(QChar::LineSeparator);
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QMimeData *TerminalView::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(selectedReceivedText());
    return data;
}
