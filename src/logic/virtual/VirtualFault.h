#pragma once

#include <QMetaType>
#include <QString>

// Something a real PIC would have choked on, at the byte of the stream
// (counted from the stream's first byte, 0-based) where it showed.
struct VirtualFault
{
    qsizetype offset = 0;
    QString message;

    QString text() const { return QStringLiteral("byte %1: %2").arg(offset).arg(message); }
};

Q_DECLARE_METATYPE(VirtualFault)
