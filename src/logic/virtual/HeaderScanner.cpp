#include "logic/virtual/HeaderScanner.h"

#include "logic/convert/TransferHeaderFields.h"
#include "logic/virtual/VirtualText.h"

namespace {
const QByteArray displayRequestTail = QByteArrayLiteral("22000000a"); // after the "*"
constexpr int shortestHeaderDigits = TransferHeaderFields::ShortestWithAddress;
constexpr int longestHeaderDigits = TransferHeaderFields::LongestWithAddress;
} // namespace

using VirtualText::isHex;

HeaderScanner::Outcome HeaderScanner::take(char c, qsizetype offset)
{
    if (m_inCommand)
        return takeCommand(c, offset);
    if (c == '*') {
        if (!m_pending.isEmpty())
            return takeHeader();
        m_inCommand = true;
        m_pendingStart = offset;
        return Outcome::Pending;
    }
    if (isHex(c))
        return takeDigit(c, offset);
    m_junk(m_pending.isEmpty() ? offset : m_pendingStart,
           QStringLiteral("data before a header: %1").arg(VirtualText::shown(c)));
    m_pending.clear();
    return Outcome::Pending;
}

HeaderScanner::Outcome HeaderScanner::takeDigit(char c, qsizetype offset)
{
    if (m_pending.isEmpty())
        m_pendingStart = offset;
    m_pending += c;
    if (m_pending.size() <= longestHeaderDigits)
        return Outcome::Pending;
    // Too long for a header: what came first is stray data.
    m_junk(m_pendingStart, QStringLiteral("data before a header"));
    m_pending.remove(0, 1);
    ++m_pendingStart;
    return Outcome::Pending;
}

// The digits before "*" end with the header; any before it are stray. The
// shortest header that parses wins: a delay of 16 ms or more never leaves
// a 9-digit tail that parses, so the delay's extra digit is not taken as
// stray.
HeaderScanner::Outcome HeaderScanner::takeHeader()
{
    QString why;
    for (qsizetype digits = shortestHeaderDigits; digits <= m_pending.size(); ++digits) {
        m_header = ReceivedHeader::parse(m_pending.right(digits), &why);
        if (!m_header)
            continue;
        if (digits < m_pending.size())
            m_junk(m_pendingStart, QStringLiteral("data before a header"));
        m_pending.clear();
        return Outcome::Header;
    }
    ReceivedHeader::parse(m_pending, &why);
    m_junk(m_pendingStart, QStringLiteral("header \"%1*\" does not parse: %2").arg(QString::fromLatin1(m_pending), why));
    m_pending.clear();
    return Outcome::Pending;
}

HeaderScanner::Outcome HeaderScanner::takeCommand(char c, qsizetype offset)
{
    const qsizetype next = m_pending.size();
    if (c == displayRequestTail.at(next) || (c == 'A' && displayRequestTail.at(next) == 'a')) {
        m_pending += c;
        if (m_pending.size() < displayRequestTail.size())
            return Outcome::Pending;
        clear();
        return Outcome::DisplayRequest;
    }
    m_junk(m_pendingStart, QStringLiteral("\"*%1\" is no command; the EEPROM display request is \"*%2\"")
                               .arg(QString::fromLatin1(m_pending + c), QString::fromLatin1(displayRequestTail)));
    clear();
    if (c != '*' && !isHex(c))
        return Outcome::Pending;
    return take(c, offset);
}

void HeaderScanner::finish(const Report &fault)
{
    if (m_inCommand)
        fault(m_pendingStart, QStringLiteral("the stream ends inside a command"));
    else if (!m_pending.isEmpty())
        m_junk(m_pendingStart, QStringLiteral("the stream ends in a header without \"*\""));
}

void HeaderScanner::clear()
{
    m_pending.clear();
    m_inCommand = false;
}
