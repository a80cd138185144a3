#include "logic/convert/Conversion.h"

#include "logic/convert/ByteMatrix.h"
#include "logic/convert/OutputText.h"

namespace {

// The horizontal matrix ends with a bare "00" for the PIC, after the last
// byte's delimiter; it is no delimiter, so nothing is cut from it.
QString horizontalText(const QString &body, const ConversionSettings &s)
{
    return OutputText::finished(body + QLatin1String("00"), s.header, s.footer);
}

ConversionResult resultFor(const ConversionSettings &s)
{
    ConversionResult result;
    result.width = s.width;
    result.height = s.height;
    result.layout = s.layout;
    return result;
}

} // namespace

namespace Conversion {

ConversionResult ofPicture(const QImage &drawn, const ConversionSettings &s)
{
    QImage picture = drawn;
    if (s.lightIsSet) {
        // The packings set bits for black pixels: swap black and white first.
        picture = drawn.convertToFormat(QImage::Format_RGB32);
        picture.invertPixels();
    }
    ConversionResult result = resultFor(s);
    result.bytes = ByteMatrix::pack(picture, s.width, s.height, result.layout);
    const QString body = OutputText::hexBytes(result.bytes, s.format, s.delimiter);
    result.text = s.layout.horizontal
        ? horizontalText(body, s)
        : OutputText::finished(OutputText::withoutClosingDelimiter(body, s.delimiter), s.header, s.footer);
    return result;
}

ConversionResult ofLoadedBitmap(const HexGrid &grid, const ConversionSettings &settings)
{
    // A bitmap file holds rows: its bytes are horizontal whatever was asked.
    ConversionSettings s = settings;
    if (!s.layout.horizontal)
        s.layout = MatrixLayout::usual(true);
    ConversionResult result = resultFor(s);
    QStringList cells = ByteMatrix::horizontalCells(grid, s.width, s.height);
    if (result.layout.bitOrder != MatrixLayout::usualBitOrder(true))
        cells = ByteMatrix::mirroredCells(cells);
    result.bytes = ByteMatrix::cellBytes(cells);
    result.text = horizontalText(OutputText::cells(cells, s.format, s.delimiter), s);
    return result;
}

QString fromPicture(const QImage &picture, const ConversionSettings &s)
{
    return ofPicture(picture, s).text;
}

QString fromLoadedBitmap(const HexGrid &grid, const ConversionSettings &s)
{
    return ofLoadedBitmap(grid, s).text;
}

} // namespace Conversion
