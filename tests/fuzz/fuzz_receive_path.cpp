// What the PIC sends, cut into reads of varying length, through the receive
// filter into a terminal window, as the terminal does on each tick. The
// window keeps a small bound here so that trimming happens often. Input: one
// byte seeds the cuts, one picks the bound, the rest arrives as Latin-1.
#include "FuzzSupport.h"

#include "serial/ReceiveFilter.h"
#include "serial/TerminalText.h"

#include <QPlainTextEdit>

#include <cstdio>

namespace {
// The text the window should show for `filtered`: a CR LF is one line break
// there, and a document gives back a no-break space as a plain one.
QString shownForm(QString filtered)
{
    filtered.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    filtered.replace(QChar::Nbsp, QLatin1Char(' '));
    return filtered;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    if (size < 2)
        return 0;
    quint32 cuts = data[0] * 2654435761u + 1;
    const int limit = 16 + data[1] * 4;
    const QString received = QString::fromLatin1(FuzzSupport::bytes(data + 2, size - 2));

    QPlainTextEdit window;
    QString filteredInPieces;
    for (qsizetype at = 0; at < received.size();) {
        cuts = cuts * 1103515245u + 12345u;
        const qsizetype length = 1 + (cuts >> 16) % 97;
        const QString filtered = ReceiveFilter::filter(received.mid(at, length));
        filteredInPieces += filtered;
        TerminalText::append(&window, filtered, limit);
        FuzzSupport::check(TerminalText::length(&window) <= limit, "the window grew past its bound");
        at += length;
    }
    const QString filtered = ReceiveFilter::filter(received);
    FuzzSupport::check(filtered == filteredInPieces, "the filter's output depends on how the reads were cut");
    FuzzSupport::check(filtered.count(QLatin1Char('\r')) == filtered.count(QLatin1Char('\n')),
                       "a line break is not CR LF");
    const QString expected = shownForm(filtered).right(limit);
    const QString shown = window.toPlainText();
    if (shown != expected)
        std::fprintf(stderr, "expected \"%s\"\nshown    \"%s\"\n", expected.toUtf8().toPercentEncoding(" ").constData(),
                     shown.toUtf8().toPercentEncoding(" ").constData());
    FuzzSupport::check(shown == expected, "the window does not show the newest characters");
    return 0;
}
