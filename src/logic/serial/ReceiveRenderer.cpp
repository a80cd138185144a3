#include "logic/serial/ReceiveRenderer.h"

namespace {
using ReceiveFilter::Role;

constexpr char16_t controlPictures = 0x2400;
constexpr char16_t deletePicture = 0x2421;
constexpr int hexWidth = 3 * ReceiveRenderer::hexRowBytes - 1;

QChar hexDigit(int value)
{
    return QLatin1Char("0123456789abcdef"[value & 0xF]);
}

// Shown as itself beside a hex row; NBSP and the soft hyphen would not show.
bool printable(unsigned char byte)
{
    return (byte >= 0x20 && byte < 0x7F) || (byte >= 0xA1 && byte != 0xAD);
}
} // namespace

ReceiveRenderer::ReceiveRenderer(const ReceiveViewOptions &options) : m_options(options)
{
}

void ReceiveRenderer::reset()
{
    m_atLineStart = true;
    m_breakPending = false;
    m_column = 0;
    m_row.clear();
    m_shownRow = 0;
}

ScreenUpdate ReceiveRenderer::render(const QByteArray &bytes, const QTime &arrival)
{
    ScreenUpdate update;
    if (bytes.isEmpty())
        return update;
    m_stamp = m_options.timestamps ? arrival.toString(QStringLiteral("[hh:mm:ss.zzz] ")) : QString();
    if (m_options.hex)
        renderHex(bytes, update);
    else
        renderText(bytes, update.text);
    return update;
}

void ReceiveRenderer::renderText(const QByteArray &bytes, QString &out)
{
    out.reserve(qMin(bytes.size() + 64, m_keep > 0 ? 2 * qsizetype(m_keep) + 64 : bytes.size() + 64));
    for (qsizetype at = firstShownTextByte(bytes); at < bytes.size(); ++at) {
        textByte(static_cast<unsigned char>(bytes.at(at)), out);
        bound(out);
    }
}

// Of a flood, only the lines that can show are drawn: drawing starts after
// the line end that comes before the newest m_keep characters. A line
// drawn from its start comes out the same, so the window shows the same;
// a flood without a line end is drawn whole.
qsizetype ReceiveRenderer::firstShownTextByte(const QByteArray &bytes)
{
    if (m_keep <= 0 || bytes.size() <= 2 * qsizetype(m_keep))
        return 0;
    auto role = [this, &bytes](qsizetype at) {
        return ReceiveFilter::role(static_cast<unsigned char>(bytes.at(at)), m_options.lineStart);
    };
    qsizetype at = bytes.size();
    for (int shown = 0; at > 0 && shown < m_keep; --at)
        if (m_options.controlBytes || role(at - 1) != Role::Dropped)
            ++shown;
    while (at > 0 && role(at - 1) != Role::LineEnd)
        --at;
    if (at == 0)
        return 0;
    // A shown CR's LF stays on the CR's row, which does not show.
    if (m_options.controlBytes && m_options.lineStart == ReceiveFilter::LineStart::AfterCr && bytes.at(at) == '\n')
        ++at;
    m_atLineStart = true;
    m_breakPending = false;
    m_column = 0;
    return at;
}

void ReceiveRenderer::textByte(unsigned char byte, QString &out)
{
    const Role role = ReceiveFilter::role(byte, m_options.lineStart);
    if (m_breakPending) {
        m_breakPending = false;
        if (role == Role::Dropped) { // the LF of a shown CR LF: on the same row
            appendGlyph(out, byte);
            endLine(out);
            return;
        }
        endLine(out);
    }
    if (role == Role::Dropped && !m_options.controlBytes)
        return;
    startLine(out);
    if (role != Role::LineEnd || m_options.controlBytes)
        appendGlyph(out, byte);
    if (role != Role::LineEnd)
        return;
    if (m_options.controlBytes && m_options.lineStart == ReceiveFilter::LineStart::AfterCr)
        m_breakPending = true;
    else
        endLine(out);
}

void ReceiveRenderer::startLine(QString &out)
{
    if (!m_atLineStart)
        return;
    out += m_stamp;
    m_atLineStart = false;
    m_column = 0;
}

void ReceiveRenderer::endLine(QString &out)
{
    startLine(out); // an empty line still gets its stamp
    out += QLatin1Char('\n');
    m_atLineStart = true;
}

void ReceiveRenderer::appendGlyph(QString &out, unsigned char byte)
{
    const bool escaped = byte >= 0x80 && byte < 0xA0;
    const int width = escaped ? 4 : 1;
    if (m_column > 0 && m_column + width > maxRowLength) {
        out += QChar(QChar::LineSeparator);
        m_column = 0;
    }
    m_column += width;
    if (escaped) {
        out += QLatin1String("\\x");
        out += hexDigit(byte >> 4);
        out += hexDigit(byte);
    } else if (byte < 0x20) {
        out += QChar(char16_t(controlPictures + byte));
    } else if (byte == 0x7F) {
        out += QChar(deletePicture);
    } else {
        out += QChar(char16_t(byte));
    }
}

void ReceiveRenderer::renderHex(const QByteArray &bytes, ScreenUpdate &update)
{
    update.replaceTail = m_shownRow;
    QString &out = update.text;
    for (qsizetype at = firstShownHexByte(bytes.size()); at < bytes.size(); ++at) {
        if (m_row.isEmpty())
            m_rowStamp = m_stamp;
        m_row.append(bytes.at(at));
        if (m_row.size() == hexRowBytes) {
            appendHexRow(out);
            out += QLatin1Char('\n');
            m_row.clear();
            bound(out);
        }
    }
    const qsizetype complete = out.size();
    if (!m_row.isEmpty())
        appendHexRow(out);
    m_shownRow = int(out.size() - complete);
}

// Rows are independent of each other: of a flood, only the rows that can
// show (the newest m_keep characters and a little more) are drawn at all.
qsizetype ReceiveRenderer::firstShownHexByte(qsizetype count)
{
    if (m_keep <= 0)
        return 0;
    const qsizetype rowChars = m_stamp.size() + hexWidth + 2 + hexRowBytes + 1;
    const qsizetype rowsShown = m_keep / rowChars + 2;
    const qsizetype completing = (hexRowBytes - m_row.size()) % hexRowBytes;
    const qsizetype fullRows = (count - completing) / hexRowBytes;
    if (fullRows <= rowsShown)
        return 0;
    m_row.clear(); // its row is among those that cannot show
    return completing + (fullRows - rowsShown) * hexRowBytes;
}

void ReceiveRenderer::appendHexRow(QString &out) const
{
    const qsizetype start = out.size();
    out += m_rowStamp;
    for (qsizetype i = 0; i < m_row.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(' ');
        const auto byte = static_cast<unsigned char>(m_row.at(i));
        out += hexDigit(byte >> 4);
        out += hexDigit(byte);
    }
    out += QString(start + m_rowStamp.size() + hexWidth + 2 - out.size(), QLatin1Char(' '));
    for (char c : m_row) {
        const auto byte = static_cast<unsigned char>(c);
        out += printable(byte) ? QChar(char16_t(byte)) : QLatin1Char('.');
    }
}

// Only the newest m_keep characters can be shown: cutting the front now and
// then keeps a flood from building a string of megabytes.
void ReceiveRenderer::bound(QString &out) const
{
    if (m_keep > 0 && out.size() > 2 * qsizetype(m_keep))
        out.remove(0, out.size() - m_keep);
}
