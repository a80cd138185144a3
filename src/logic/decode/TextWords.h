#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// A text cut into words (runs of letters, digits and '_') and the
// separators between them. ASCII letters are lower-cased and C comments
// (/* ... */ and // to the end of the line) are blanked out; positions stay
// those of the original text, so errors can point into it.
class TextWords
{
public:
    explicit TextWords(QStringView text);

    int count() const { return int(m_words.size()); }
    QStringView word(int index) const
    {
        return QStringView(m_clean).mid(m_words[index].start, m_words[index].end - m_words[index].start);
    }
    qsizetype start(int index) const { return m_words[index].start; }
    qsizetype end(int index) const { return m_words[index].end; }
    // The characters between word index-1 (or the text's start) and word
    // index; index == count() gives what follows the last word.
    QStringView separatorBefore(int index) const
    {
        const qsizetype from = index > 0 ? m_words[index - 1].end : 0;
        const qsizetype to = index < count() ? m_words[index].start : m_clean.size();
        return QStringView(m_clean).mid(from, to - from);
    }
    // The cleaned text: lower case, comments as blanks.
    QStringView text() const { return m_clean; }

    static bool isWordCharacter(QChar c)
    {
        const ushort u = c.unicode();
        if (u < 128)
            return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
        return isOtherWordCharacter(c);
    }
    // A separator's core is what remains without blanks and line breaks:
    // ", " and ",\n    " both have the core ",".
    static QString core(QStringView separator);
    static bool coreEquals(QStringView separator, QStringView core);
    // Whether `separator`'s core is `core` or a leading part of it.
    static bool coreStartsWith(QStringView core, QStringView separator);

private:
    // 32-bit positions keep the list of a 48 KB text small enough to be
    // served from the heap rather than fresh pages; input is bounded far
    // below 2 GB.
    struct Span
    {
        int start;
        int end;
    };

    void blankComments();
    static bool isOtherWordCharacter(QChar c);

    QString m_clean;
    std::vector<Span> m_words;
};
