#include "logic/decode/HexTextDecoder.h"

#include "logic/decode/BytePattern.h"
#include "logic/decode/HexDigits.h"
#include "logic/decode/TextWords.h"

#include <QVector>

#include <algorithm>
#include <vector>

namespace HexTextDecoder {

namespace {

// A series of byte words joined by the separator.
struct Run
{
    int first;
    int last;
    qsizetype units;
};

class BodyReader
{
public:
    BodyReader(QStringView source, const TextWords &words, const BytePattern &pattern)
        : m_source(source), m_words(words), m_pattern(pattern), m_unit(pattern.unitLength()),
          m_joined(size_t(words.count()) + 1, -1)
    {
    }

    Result read();

private:
    QVector<Run> runs();
    // Whether word `index` is joined to the one before by the separator;
    // remembered, as finding the runs and reading the bytes both ask.
    bool joined(int index)
    {
        signed char &known = m_joined[size_t(index)];
        if (known < 0)
            known = TextWords::coreEquals(m_words.separatorBefore(index), m_pattern.separator);
        return known;
    }
    bool startsLikeByte(QStringView word) const;
    bool mayReachBeyondRuns() const { return !m_pattern.prefix.isEmpty() || !m_pattern.separator.isEmpty(); }

    // Appends the units from `from` on; returns how many.
    int readUnits(QStringView word, qsizetype from);
    bool readGluedHeader(int index);
    bool readWord(int index, int last);
    QVector<Run> bodyRuns(const QVector<Run> &found) const;
    bool readSeparator(int index);
    // What may follow the last whole byte.
    enum class Tail { UncutByte, ClosingZero, Broken, Footer };
    Tail tailKind(QStringView tail) const;
    void readLastWordTail(int index, qsizetype from);
    void readWordAfterBytes(int index);
    void refuseByteLikeNeighbour(int index, bool beforeBytes);

    void refuse(qsizetype position, qsizetype length, const QString &reason);
    void refuseToken(qsizetype position, qsizetype length);
    QString example() const { return m_pattern.prefix + QLatin1String("00") + m_pattern.suffix; }

    QStringView m_source;
    const TextWords &m_words;
    const BytePattern &m_pattern;
    const int m_unit;
    std::vector<signed char> m_joined; // -1: not looked at yet
    Result m_result;
};

QVector<Run> BodyReader::runs()
{
    QVector<Run> found;
    bool open = false; // the last run may take the next word
    for (int index = 0; index < m_words.count(); ++index) {
        const QStringView word = m_words.word(index);
        if (open && joined(index)) {
            const int leading = m_pattern.leadingUnits(word);
            if (leading > 0) {
                found.last().last = index;
                found.last().units += leading;
                open = leading * m_unit == word.size();
                continue;
            }
        }
        // A word may start a run when it ends with a byte, or be a run of
        // its own when only its start is bytes ("010g").
        const int trailing = m_pattern.trailingUnits(word);
        const int units = trailing > 0 ? trailing : m_pattern.leadingUnits(word);
        open = trailing > 0;
        if (units > 0)
            found.append({index, index, units});
    }
    return found;
}

// A word that begins like a byte but may be a broken one.
bool BodyReader::startsLikeByte(QStringView word) const
{
    if (!m_pattern.prefix.isEmpty())
        return word.startsWith(m_pattern.prefix);
    return !word.isEmpty() && HexDigits::isHex(word.front());
}

void BodyReader::refuse(qsizetype position, qsizetype length, const QString &reason)
{
    m_result.error = DecodeError::at(m_source, position, m_source.mid(position, length).toString(), reason);
}

void BodyReader::refuseToken(qsizetype position, qsizetype length)
{
    refuse(position, length, QStringLiteral("cannot read \"%1\" as a byte (written like \"%2\")")
                                 .arg(m_source.mid(position, length), example()));
}

int BodyReader::readUnits(QStringView word, qsizetype from)
{
    int units = 0;
    int value = m_pattern.unitAt(word, from);
    while (value >= 0) {
        m_result.bytes.append(char(value));
        ++units;
        value = m_pattern.unitAt(word, from + qsizetype(units) * m_unit);
    }
    return units;
}

// A first word that does not start with a byte: header glued to the bytes
// ("logo0x05"), or a broken byte.
bool BodyReader::readGluedHeader(int index)
{
    const QStringView word = m_words.word(index);
    const int units = m_pattern.trailingUnits(word);
    const qsizetype glued = word.size() - qsizetype(units) * m_unit;
    if (m_pattern.holdsBrokenBytes(word.left(glued), true)) {
        refuseToken(m_words.start(index), qMin<qsizetype>(glued, m_unit));
        return false;
    }
    m_result.bodyStart = m_words.start(index) + glued;
    readUnits(word, glued);
    m_result.bodyEnd = m_words.end(index);
    return true;
}

// Reads the bytes of one word of the body; false when the body ends here.
bool BodyReader::readWord(int index, int last)
{
    const QStringView word = m_words.word(index);
    const qsizetype at = qsizetype(readUnits(word, 0)) * m_unit;
    m_result.bodyEnd = m_words.start(index) + at;
    if (at == word.size())
        return true;
    if (index < last)
        refuseToken(m_words.start(index) + at, qMin<qsizetype>(word.size() - at, m_unit));
    else
        readLastWordTail(index, at);
    return false;
}

bool BodyReader::readSeparator(int index)
{
    if (joined(index))
        return true;
    const QStringView separator = m_words.separatorBefore(index);
    const qsizetype separatorStart = m_words.start(index) - separator.size();
    qsizetype first = 0;
    while (first < separator.size() && separator[first].isSpace())
        ++first;
    if (first == separator.size()) {
        const qsizetype wordLength = m_words.end(index) - m_words.start(index);
        refuse(m_words.start(index), wordLength,
               QStringLiteral("missing \"%1\" before \"%2\"")
                   .arg(m_pattern.separator, m_source.mid(m_words.start(index), wordLength)));
        return false;
    }
    qsizetype last = separator.size();
    while (last > first && separator[last - 1].isSpace())
        --last;
    const QString expected = m_pattern.separator.isEmpty() ? QStringLiteral("blanks")
                                                            : QStringLiteral("\"%1\"").arg(m_pattern.separator);
    refuse(separatorStart + first, last - first,
           QStringLiteral("cannot read \"%1\" between bytes (separated by %2)")
               .arg(m_source.mid(separatorStart + first, last - first), expected));
    return false;
}

// Convert cuts the last delimiter whole, so with a suffix ("05h,ffh") the
// last byte comes without it ("05h,ff"); horizontal rows end with a bare
// "00" after the delimiter.
BodyReader::Tail BodyReader::tailKind(QStringView tail) const
{
    const QString &prefix = m_pattern.prefix;
    if (!m_pattern.suffix.isEmpty() && tail.size() == prefix.size() + 2 && tail.startsWith(prefix)
        && HexDigits::isHex(tail[prefix.size()]) && HexDigits::isHex(tail[prefix.size() + 1]))
        return Tail::UncutByte;
    if (tail == QLatin1String("00"))
        return Tail::ClosingZero;
    return m_pattern.holdsBrokenBytes(tail, false) ? Tail::Broken : Tail::Footer;
}

void BodyReader::readLastWordTail(int index, qsizetype from)
{
    const QStringView tail = m_words.word(index).mid(from);
    m_result.bodyEnd = m_words.start(index) + from;
    switch (tailKind(tail)) {
    case Tail::UncutByte:
        m_result.bytes.append(char(HexDigits::value(tail[m_pattern.prefix.size()]) * 16
                                   + HexDigits::value(tail[m_pattern.prefix.size() + 1])));
        m_result.bodyEnd += tail.size();
        break;
    case Tail::ClosingZero:
        m_result.bytes.append('\0');
        m_result.bodyEnd += 2;
        break;
    case Tail::Broken: {
        const qsizetype at = qsizetype(m_pattern.leadingUnits(tail)) * m_unit;
        refuseToken(m_result.bodyEnd + at, qMin<qsizetype>(tail.size() - at, m_unit));
        break;
    }
    case Tail::Footer:
        break;
    }
}

// The word after the last whole byte, when the bytes end with a whole word.
void BodyReader::readWordAfterBytes(int index)
{
    if (index >= m_words.count())
        return;
    const QStringView separator = m_words.separatorBefore(index);
    const Tail kind = tailKind(m_words.word(index));
    const bool taken = (kind == Tail::UncutByte && TextWords::coreEquals(separator, m_pattern.separator))
        || (kind == Tail::ClosingZero && TextWords::coreStartsWith(m_pattern.separator, separator));
    if (taken)
        readLastWordTail(index, 0);
    else
        refuseByteLikeNeighbour(index, false);
}

// A broken byte right before or after the bytes would otherwise pass for
// header or footer.
void BodyReader::refuseByteLikeNeighbour(int index, bool beforeBytes)
{
    if (index < 0 || index >= m_words.count() || !mayReachBeyondRuns())
        return;
    if (!joined(beforeBytes ? index + 1 : index) || !startsLikeByte(m_words.word(index)))
        return;
    refuseToken(m_words.start(index), qMin<qsizetype>(m_words.end(index) - m_words.start(index), m_unit + 4));
}

// The runs long enough to be the picture's bytes; the body goes from the
// first to the last of them.
QVector<Run> BodyReader::bodyRuns(const QVector<Run> &found) const
{
    if (found.isEmpty())
        return {};
    const Run longest = *std::max_element(found.begin(), found.end(),
                                          [](const Run &a, const Run &b) { return a.units < b.units; });
    QVector<Run> body;
    for (const Run &run : found)
        if (run.units >= MinimumRun && run.units * LongestRunShare >= longest.units)
            body.append(run);
    if (body.isEmpty())
        body.append(longest);
    return body;
}

Result BodyReader::read()
{
    const QVector<Run> body = bodyRuns(runs());
    if (body.isEmpty())
        return m_result;
    const int first = body.first().first;
    const int last = body.last().last;
    qsizetype expected = 0;
    for (const Run &run : body)
        expected += run.units;
    m_result.bytes.reserve(expected + 1);
    int index = first;
    if (m_pattern.leadingUnits(m_words.word(first)) == 0) {
        if (!readGluedHeader(first))
            return m_result;
        ++index;
    } else {
        m_result.bodyStart = m_words.start(first);
        m_result.bodyEnd = m_result.bodyStart; // an empty place until a byte is read
        refuseByteLikeNeighbour(first - 1, true);
        if (!m_result.ok())
            return m_result;
    }
    for (; index <= last; ++index)
        if ((index > first && !readSeparator(index)) || !readWord(index, last))
            return m_result;
    // Here the last word ends with a whole byte.
    readWordAfterBytes(last + 1);
    return m_result;
}

} // namespace

Result decode(QStringView text)
{
    const TextWords words(text);
    const BytePattern pattern = BytePattern::learn(words);
    return BodyReader(text, words, pattern).read();
}

} // namespace HexTextDecoder
