#include "logic/export/ByteLines.h"

#include "logic/convert/ByteMatrix.h"
#include "logic/export/ExportOptions.h"

namespace ByteLines {

int unitLength(int width, int height, const MatrixLayout &layout)
{
    if (layout.horizontal)
        return ByteMatrix::bytesPerRow(width, layout);
    return layout.scan == MatrixLayout::Scan::Columns ? ByteMatrix::pageCount(height) : qMax(width, 0);
}

QList<QByteArray> split(const QByteArray &bytes, int perLine)
{
    if (perLine < 1)
        return {bytes};
    QList<QByteArray> lines;
    for (qsizetype at = 0; at < bytes.size(); at += perLine)
        lines << bytes.mid(at, perLine);
    return lines;
}

QString cList(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size() * 6);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text += QLatin1String(", ");
        text += QStringLiteral("0x%1").arg(uchar(bytes.at(i)), 2, 16, QLatin1Char('0'));
    }
    return text;
}

int resolve(int bytesPerLine, int templateDefault, int unitLength)
{
    if (bytesPerLine == ExportOptions::LinePerUnit)
        return unitLength;
    return bytesPerLine > 0 ? bytesPerLine : templateDefault;
}

} // namespace ByteLines
