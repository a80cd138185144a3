#include "logic/virtual/VirtualStreamSummary.h"

#include <algorithm>

namespace {

QString counted(qsizetype count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

QString milliseconds(qint64 ns)
{
    return QString::number(ns / 1e6, 'f', 1) + QStringLiteral(" ms");
}

} // namespace

qint64 VirtualStreamSummary::shortestPauseNs() const
{
    return pausesNs.isEmpty() ? 0 : *std::min_element(pausesNs.cbegin(), pausesNs.cend());
}

qint64 VirtualStreamSummary::medianPauseNs() const
{
    if (pausesNs.isEmpty())
        return 0;
    QList<qint64> sorted = pausesNs;
    std::sort(sorted.begin(), sorted.end());
    const qsizetype middle = sorted.size() / 2;
    return sorted.size() % 2 ? sorted.at(middle) : (sorted.at(middle - 1) + sorted.at(middle)) / 2;
}

QString VirtualStreamSummary::text() const
{
    QString target = QStringLiteral("no header");
    if (header) {
        target = header->isEeprom()
            ? QStringLiteral("EEPROM at %1").arg(header->address, 4, 16, QLatin1Char('0'))
            : QStringLiteral("LCD");
        target += QStringLiteral(", header ") + QString::fromLatin1(header->text);
    }
    QString text = QStringLiteral("stream %1: %2, %3, %4, ")
                       .arg(number)
                       .arg(target, counted(blocks, "block", "blocks"), counted(bytes, "byte", "bytes"));
    text += pausesNs.isEmpty() ? QStringLiteral("no pauses")
                               : QStringLiteral("shortest pause %1, median %2")
                                     .arg(milliseconds(shortestPauseNs()), milliseconds(medianPauseNs()));
    if (droppedBlocks > 0)
        text += QStringLiteral(", %1 dropped").arg(counted(droppedBlocks, "block", "blocks"));
    text += QStringLiteral(", ") + counted(faults.size() + unlistedFaults, "fault", "faults");
    return unlistedFaults ? text + QStringLiteral(" (the first %1 listed)").arg(faults.size()) : text;
}
