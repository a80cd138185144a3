#include "logic/decode/BytePattern.h"

#include "logic/decode/HexDigits.h"
#include "logic/decode/TextWords.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// Enough words to learn from in any text: the pattern repeats thousands of
// times in a picture, and looking at every word would cost more than the
// rest of the decoding.
constexpr int SampleWords = 128;
constexpr int LongestUnit = 16;
constexpr int MostCandidates = 256;
// A long glued word of equal bytes ("0000...") reads well in many ways; the
// votes of one word stop here, and the shortest unit wins the tie.
constexpr int MostVotesPerWord = 256;
// One half-read unit is no evidence of a pattern.
constexpr int MinimumVotes = 2;

struct Candidate
{
    QStringView prefix;
    QStringView suffix;
    qsizetype votes;
};

bool matchesAt(const QChar *text, QStringView part)
{
    for (qsizetype i = 0; i < part.size(); ++i)
        if (text[i] != part[i])
            return false;
    return true;
}

int unitValue(QStringView word, qsizetype at, QStringView prefix, QStringView suffix)
{
    const qsizetype digits = prefix.size();
    if (at < 0 || at + digits + 2 + suffix.size() > word.size())
        return -1;
    const QChar *unit = word.data() + at;
    const QChar high = unit[digits];
    const QChar low = unit[digits + 1];
    if (!HexDigits::isHex(high) || !HexDigits::isHex(low) || !matchesAt(unit, prefix)
        || !matchesAt(unit + digits + 2, suffix))
        return -1;
    return HexDigits::value(high) * 16 + HexDigits::value(low);
}

int countUnits(QStringView word, QStringView prefix, QStringView suffix, bool fromEnd, int limit = INT_MAX)
{
    const qsizetype length = prefix.size() + 2 + suffix.size();
    int units = 0;
    for (qsizetype at = fromEnd ? word.size() - length : 0;
         units < limit && unitValue(word, at, prefix, suffix) >= 0; at += fromEnd ? -length : length)
        ++units;
    return units;
}

// What may follow a word's last whole unit in Convert's output: nothing,
// the closing "00", or the last byte without its suffix.
bool isConvertTail(QStringView rest, QStringView prefix, QStringView suffix)
{
    return rest.isEmpty() || rest == QLatin1String("00")
        || (!suffix.isEmpty() && unitValue(rest, 0, prefix, QStringView()) >= 0 && rest.size() == prefix.size() + 2);
}

void vote(std::vector<Candidate> &candidates, QStringView prefix, QStringView suffix, qsizetype units)
{
    for (Candidate &candidate : candidates)
        if (candidate.prefix == prefix && candidate.suffix == suffix) {
            candidate.votes += units;
            return;
        }
    if (candidates.size() < MostCandidates)
        candidates.push_back({prefix, suffix, units});
}

bool holdsBrokenBytes(QStringView glued, QStringView prefix, bool beforeBytes)
{
    if (glued.isEmpty())
        return false;
    if (HexDigits::isHex(beforeBytes ? glued.back() : glued.front()))
        return true;
    if (!prefix.isEmpty() && glued.contains(prefix))
        return true;
    return prefix.isEmpty() && std::any_of(glued.begin(), glued.end(), [](QChar c) { return HexDigits::isHex(c); });
}

// Each way of reading `word` from its start gets two votes for every unit
// it finds when it reads the word to the end (or to a tail Convert writes),
// one a unit when something unreadable follows: a typo in a long glued word
// must not hand the word to a wrong reading. Reading from the end after
// header text glued to the bytes ("logo0500") gets one vote a unit.
void voteForWord(std::vector<Candidate> &candidates, QStringView word)
{
    const qsizetype length = word.size();
    for (qsizetype unit = 2; unit <= qMin<qsizetype>(length, LongestUnit); ++unit) {
        for (qsizetype digits = 0; digits + 2 <= unit; ++digits) {
            QStringView prefix = word.left(digits);
            QStringView suffix = word.mid(digits + 2, unit - digits - 2);
            const int units = countUnits(word, prefix, suffix, false, MostVotesPerWord);
            if (units > 0) {
                const bool complete =
                    units == MostVotesPerWord || isConvertTail(word.mid(units * unit), prefix, suffix);
                vote(candidates, prefix, suffix, complete ? 2 * units : units);
            }
            prefix = word.right(unit).left(digits);
            suffix = word.right(unit).mid(digits + 2);
            const int trailing = countUnits(word, prefix, suffix, true, MostVotesPerWord);
            const QStringView header = word.left(length - trailing * unit);
            if (trailing > 0 && !header.isEmpty() && !holdsBrokenBytes(header, prefix, true))
                vote(candidates, prefix, suffix, trailing);
        }
    }
}

int sampleStep(int count)
{
    return qMax(1, count / SampleWords);
}

bool isSingleByte(const BytePattern &pattern, QStringView word)
{
    return word.size() == pattern.unitLength() && pattern.unitAt(word, 0) >= 0;
}

QString commonestSeparator(const TextWords &words, const BytePattern &pattern)
{
    std::vector<std::pair<QString, int>> cores;
    const int step = sampleStep(words.count());
    for (int index = 1; index < words.count(); index += step) {
        // Only single bytes: a header word glued like bytes ("cafe") next to
        // a long glued body must not pass its separator off as the delimiter.
        if (!isSingleByte(pattern, words.word(index - 1)) || !isSingleByte(pattern, words.word(index)))
            continue;
        const QString core = TextWords::core(words.separatorBefore(index));
        auto found = std::find_if(cores.begin(), cores.end(), [&core](const auto &entry) { return entry.first == core; });
        if (found != cores.end())
            ++found->second;
        else if (cores.size() < MostCandidates)
            cores.emplace_back(core, 1);
    }
    auto best = std::max_element(cores.begin(), cores.end(),
                                 [](const auto &a, const auto &b) { return a.second < b.second; });
    return best == cores.end() ? QString() : best->first;
}

} // namespace

int BytePattern::unitAt(QStringView word, qsizetype at) const
{
    return unitValue(word, at, prefix, suffix);
}

int BytePattern::leadingUnits(QStringView word) const
{
    return countUnits(word, prefix, suffix, false);
}

int BytePattern::trailingUnits(QStringView word) const
{
    return countUnits(word, prefix, suffix, true);
}

bool BytePattern::holdsBrokenBytes(QStringView glued, bool beforeBytes) const
{
    return ::holdsBrokenBytes(glued, prefix, beforeBytes);
}

bool BytePattern::isWhole(QStringView word) const
{
    return !word.isEmpty() && word.size() % unitLength() == 0 && leadingUnits(word) * unitLength() == word.size();
}

BytePattern BytePattern::learn(const TextWords &words)
{
    std::vector<Candidate> candidates;
    const int step = sampleStep(words.count());
    for (int index = 0; index < words.count(); index += step)
        voteForWord(candidates, words.word(index));
    BytePattern pattern;
    const Candidate *best = nullptr;
    for (const Candidate &candidate : candidates) {
        const qsizetype unit = candidate.prefix.size() + candidate.suffix.size();
        if (candidate.votes < MinimumVotes)
            continue;
        if (!best || candidate.votes > best->votes
            || (candidate.votes == best->votes && unit < best->prefix.size() + best->suffix.size()))
            best = &candidate;
    }
    if (best) {
        pattern.prefix = best->prefix.toString();
        pattern.suffix = best->suffix.toString();
    }
    pattern.separator = commonestSeparator(words, pattern);
    return pattern;
}
