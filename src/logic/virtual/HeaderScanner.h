#pragma once

#include "logic/virtual/ReceivedHeader.h"

#include <QByteArray>

#include <functional>
#include <optional>

// What the virtual PIC reads between streams: the transfer header's digits
// up to "*", or the EEPROM display request "*22000000a". Anything else is
// stray data, told through `junk` with the offset where it began.
class HeaderScanner
{
public:
    enum class Outcome { Pending, Header, DisplayRequest };
    using Report = std::function<void(qsizetype offset, const QString &message)>;

    explicit HeaderScanner(Report junk) : m_junk(std::move(junk)) {}

    Outcome take(char c, qsizetype offset);
    // The header the last Outcome::Header found.
    const ReceivedHeader &header() const { return *m_header; }
    // The stream ends here: a header without "*" is junk, a command cut
    // short a fault.
    void finish(const Report &fault);
    void clear();

private:
    Outcome takeDigit(char c, qsizetype offset);
    Outcome takeHeader();
    Outcome takeCommand(char c, qsizetype offset);

    Report m_junk;
    QByteArray m_pending; // header digits, or command characters after "*"
    qsizetype m_pendingStart = 0;
    bool m_inCommand = false;
    std::optional<ReceivedHeader> m_header;
};
