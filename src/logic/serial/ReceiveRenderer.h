#pragma once

#include "logic/serial/BoundedText.h"
#include "logic/serial/ReceiveFilter.h"

#include <QByteArray>
#include <QString>
#include <QTime>

// How the receive window shows the bytes. The defaults are the classic
// view: text, CR ends a line, no stamps, control bytes as they are.
struct ReceiveViewOptions
{
    bool hex = false;
    ReceiveFilter::LineStart lineStart = ReceiveFilter::LineStart::AfterCr;
    bool timestamps = false;
    bool controlBytes = false;
};

// Turns received bytes into the text the receive window appends, one read at
// a time, remembering where the last read left off (mid-line, mid-row), so
// that rendering a stream in pieces gives the same text as rendering it
// whole.
//
// Text view: one "\n" per line end (see ReceiveFilter). A line longer than
// maxRowLength continues on a new row after a U+2028 line separator (a
// break for the eye that copying leaves out, see TerminalView). Every
// control byte shown shows as a symbol, never raw (NUL would cut the text
// short for assistive tools, BEL and ESC would act): C0 bytes as their
// Control Pictures (U+2400..U+241F), DEL as U+2421 and 0x80..0x9F as
// "\x80". The line end bytes show only with control bytes shown; then a
// CR LF stays on one row.
//
// Hex view: rows of 16 bytes, "41 42 0d" padded to a fixed width, then the
// printable characters with "." for the others. The last, partial row is
// rewritten as it fills (ScreenUpdate::replaceTail).
//
// Timestamps "[hh:mm:ss.zzz] " open each line (each hex row) with the
// arrival time of its first byte.
class ReceiveRenderer
{
public:
    static constexpr int maxRowLength = 500;
    static constexpr int hexRowBytes = 16;

    explicit ReceiveRenderer(const ReceiveViewOptions &options = {});

    const ReceiveViewOptions &options() const { return m_options; }
    // Output beyond this many characters is cut from the front while
    // rendering, so a flood of megabytes stays cheap; 0 keeps everything.
    void setKeep(int characters) { m_keep = characters; }
    // The next byte starts a new line (and a new hex row).
    void reset();

    ScreenUpdate render(const QByteArray &bytes, const QTime &arrival);

private:
    void renderText(const QByteArray &bytes, QString &out);
    qsizetype firstShownTextByte(const QByteArray &bytes);
    void renderHex(const QByteArray &bytes, ScreenUpdate &update);
    void textByte(unsigned char byte, QString &out);
    void startLine(QString &out);
    void endLine(QString &out);
    void appendGlyph(QString &out, unsigned char byte);
    qsizetype firstShownHexByte(qsizetype count);
    void appendHexRow(QString &out) const;
    void bound(QString &out) const;

    ReceiveViewOptions m_options;
    int m_keep = 0;
    QString m_stamp; // of the bytes being rendered
    // Text view
    bool m_atLineStart = true;
    bool m_breakPending = false; // a shown CR waits to see whether LF follows
    int m_column = 0;
    // Hex view
    QByteArray m_row;
    QString m_rowStamp;
    int m_shownRow = 0; // characters of the partial row already shown
};
