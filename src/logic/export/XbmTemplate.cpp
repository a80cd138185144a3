#include "logic/export/XbmTemplate.h"

#include "logic/convert/ByteMatrix.h"
#include "logic/convert/Conversion.h"
#include "logic/export/ByteLines.h"
#include "logic/export/ExportOptions.h"

namespace XbmTemplate {

namespace {
const MatrixLayout XbmLayout{true, MatrixLayout::BitOrder::LsbFirst, MatrixLayout::Scan::Pages};
} // namespace

QByteArray bytes(const ConversionResult &m)
{
    if (m.layout == XbmLayout)
        return m.bytes;
    const QImage picture = ByteMatrix::pictureFrom(m.bytes, m.width, m.height, m.layout);
    return ByteMatrix::pack(picture, m.width, m.height, XbmLayout);
}

QByteArray write(const ConversionResult &m, const ExportOptions &options)
{
    const int perLine = ByteLines::resolve(options.bytesPerLine, DefaultBytesPerLine,
                                           ByteLines::unitLength(m.width, m.height, XbmLayout));
    QString text = QStringLiteral("#define %1_width %2\n#define %1_height %3\n").arg(options.name).arg(m.width).arg(m.height);
    text += QStringLiteral("static unsigned char %1_bits[] = {\n").arg(options.name);
    const QList<QByteArray> lines = ByteLines::split(bytes(m), perLine);
    for (qsizetype i = 0; i < lines.size(); ++i)
        text += QLatin1String("  ") + ByteLines::cList(lines.at(i))
            + (i + 1 < lines.size() ? QLatin1String(",\n") : QLatin1String("\n"));
    text += QLatin1String("};\n");
    return text.toUtf8();
}

} // namespace XbmTemplate
