#pragma once

#include <QString>

// What the PIC sends, made ready for the terminal window: every LF is
// dropped and every CR becomes CR LF. Lone CR, lone LF and CR LF all end a
// line exactly once, also when CR and LF arrive in different reads, so the
// filter needs no memory between reads.
namespace ReceiveFilter {

QString filter(const QString &received);

} // namespace ReceiveFilter
