#include "logic/export/ExportSource.h"

#include "logic/convert/ByteMatrix.h"
#include "logic/decode/LcdByteDecoder.h"
#include "logic/decode/SendStreamDecoder.h"

#include <QCoreApplication>

namespace ExportSource {

ConversionResult read(const QString &text, int width, int height, const MatrixLayout &layout, QString *problem)
{
    problem->clear();
    if (text.trimmed().isEmpty()) {
        *problem = QCoreApplication::translate("ExportSource", "the output window is empty");
        return {};
    }
    LcdByteDecoder::Request request;
    request.width = width;
    request.height = height;
    request.layout = layout;
    request.stream = SendStreamDecoder::looksLikeStream(text);
    const LcdByteDecoder::Result decoded = LcdByteDecoder::decode(text, request);
    if (!decoded.ok()) {
        *problem = QCoreApplication::translate("ExportSource", "the output window's text is not a %1x%2 picture (%3)")
                       .arg(width)
                       .arg(height)
                       .arg(decoded.problem());
        return {};
    }
    const qsizetype picture = ByteMatrix::byteCount(width, height, layout);
    return {text, decoded.bytes.left(picture), width, height, layout};
}

} // namespace ExportSource
