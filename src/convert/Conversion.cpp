#include "convert/Conversion.h"

#include "convert/ByteMatrix.h"
#include "convert/OutputText.h"

namespace {

// The horizontal matrix ends with a bare "00" for the PIC, after the last
// byte's delimiter; it is no delimiter, so nothing is cut from it.
QString horizontalText(const QString &body, const ConversionSettings &s)
{
    return OutputText::finished(body + QLatin1String("00"), s.header, s.footer);
}

} // namespace

namespace Conversion {

QString fromPicture(const QImage &drawn, const ConversionSettings &s)
{
    QImage picture = drawn;
    if (s.lightIsSet) {
        // The packings set bits for black pixels: swap black and white first.
        picture = drawn.convertToFormat(QImage::Format_RGB32);
        picture.invertPixels();
    }
    if (s.horizontal)
        return horizontalText(
            OutputText::hexBytes(ByteMatrix::horizontal(picture, s.width, s.height), s.format, s.delimiter), s);
    const QString body =
        OutputText::hexBytes(ByteMatrix::vertical(picture, s.width, s.height), s.format, s.delimiter);
    return OutputText::finished(OutputText::withoutClosingDelimiter(body, s.delimiter), s.header, s.footer);
}

QString fromLoadedBitmap(const HexGrid &grid, const ConversionSettings &s)
{
    return horizontalText(
        OutputText::cells(ByteMatrix::horizontalCells(grid, s.width, s.height), s.format, s.delimiter), s);
}

} // namespace Conversion
