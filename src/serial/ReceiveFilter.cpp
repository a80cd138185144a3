#include "serial/ReceiveFilter.h"

namespace ReceiveFilter {

QString filter(const QString &received)
{
    QString shown;
    shown.reserve(received.size() + received.count(QLatin1Char('\r')));
    for (QChar c : received) {
        if (c == QLatin1Char('\n'))
            continue;
        shown.append(c);
        if (c == QLatin1Char('\r'))
            shown.append(QLatin1Char('\n'));
    }
    return shown;
}

} // namespace ReceiveFilter
