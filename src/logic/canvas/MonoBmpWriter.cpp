#include "logic/canvas/MonoBmpWriter.h"

#include "logic/canvas/BmpFileHeader.h"
#include "logic/canvas/MonoBitmapRows.h"

#include <QDataStream>
#include <QIODevice>

namespace MonoBmpWriter {

QByteArray encode(const QImage &picture)
{
    const QByteArray rows = MonoBitmapRows::fromPicture(picture);
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // File header.
    out << quint8('B') << quint8('M') << quint32(BmpFileHeader::StandardMonoSize + rows.size())
        << quint16(0) << quint16(0) << quint32(BmpFileHeader::StandardMonoSize);
    // Info header: positive height, so the bottom row comes first.
    out << quint32(40) << qint32(picture.width()) << qint32(picture.height()) << quint16(1) << quint16(1)
        << quint32(0) << quint32(rows.size()) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    // Palette: black, white (blue, green, red, reserved).
    out << quint32(0x00000000) << quint32(0x00FFFFFF);
    out.writeRawData(rows.constData(), int(rows.size()));
    return file;
}

} // namespace MonoBmpWriter
