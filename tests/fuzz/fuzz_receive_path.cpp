// What the PIC sends, cut into reads of varying length, through the
// terminal's renderer into a bounded window, as the terminal does on each
// tick. Input: one byte seeds the cuts, one picks the bound and the view,
// the rest arrives as bytes.
#include "FuzzSupport.h"

#include "logic/serial/BoundedText.h"
#include "logic/serial/ReceiveRenderer.h"
#include "widgets/serial/TerminalText.h"

#include <QPlainTextEdit>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    if (size < 2)
        return 0;
    quint32 cuts = data[0] * 2654435761u + 1;
    const int limit = 16 + (data[1] >> 2) * 16;
    ReceiveViewOptions options;
    options.hex = data[1] & 1;
    options.lineStart = (data[1] & 2) ? ReceiveFilter::LineStart::AfterLf : ReceiveFilter::LineStart::AfterCr;
    const QByteArray received = FuzzSupport::bytes(data + 2, size - 2);
    const QTime arrival(12, 0);

    ReceiveRenderer inPieces(options);
    QPlainTextEdit window;
    QString text;
    for (qsizetype at = 0; at < received.size();) {
        cuts = cuts * 1103515245u + 12345u;
        const qsizetype length = 1 + (cuts >> 16) % 97;
        const ScreenUpdate update = inPieces.render(received.mid(at, length), arrival);
        BoundedText::apply(text, update, limit);
        TerminalText::apply(&window, update, limit);
        FuzzSupport::check(TerminalText::length(&window) <= limit, "the window grew past its bound");
        FuzzSupport::check(text.size() <= limit, "the bounded text grew past its bound");
        at += length;
    }
    ReceiveRenderer whole(options);
    QString expected;
    BoundedText::apply(expected, whole.render(received, arrival), limit);
    FuzzSupport::check(text == expected, "the text depends on how the reads were cut");
    QString shown = window.toPlainText();
    QString wanted = expected;
    wanted.replace(QChar::Nbsp, QLatin1Char(' '));
    wanted.replace(QChar::LineSeparator, QLatin1Char('\n')); // a long line's row break, as the document gives it
    shown.replace(QChar::Nbsp, QLatin1Char(' '));
    FuzzSupport::check(shown == wanted, "the window does not show the newest characters");
    return 0;
}
