#include "logic/export/CSourceTemplate.h"

#include "logic/convert/Conversion.h"
#include "logic/export/ByteLines.h"
#include "logic/export/ExportOptions.h"

namespace CSourceTemplate {

QString progmemLines()
{
    return QStringLiteral("#ifdef __AVR__\n"
                          "#include <avr/pgmspace.h>\n"
                          "#endif\n"
                          "#ifndef PROGMEM\n"
                          "#define PROGMEM\n"
                          "#endif\n");
}

namespace {

QString arrayLines(const ConversionResult &m, const ExportOptions &options)
{
    const int perLine = ByteLines::resolve(options.bytesPerLine, DefaultBytesPerLine,
                                           ByteLines::unitLength(m.width, m.height, m.layout));
    const QList<QByteArray> lines = ByteLines::split(m.bytes, perLine);
    QString text;
    for (qsizetype i = 0; i < lines.size(); ++i)
        text += QLatin1String("    ") + ByteLines::cList(lines.at(i))
            + (i + 1 < lines.size() ? QLatin1String(",\n") : QLatin1String("\n"));
    return text;
}

} // namespace

QByteArray write(const ConversionResult &m, const ExportOptions &options)
{
    const QString upper = options.name.toUpper();
    QString text = QStringLiteral("/* %1: %2x%3 pixels, %4 bytes, %5 */\n")
                       .arg(options.name)
                       .arg(m.width)
                       .arg(m.height)
                       .arg(m.bytes.size())
                       .arg(m.layout.description());
    text += QLatin1String("#include <stdint.h>\n");
    if (options.progmem)
        text += progmemLines();
    text += QStringLiteral("\n#define %1_WIDTH %2\n#define %1_HEIGHT %3\n\n").arg(upper).arg(m.width).arg(m.height);
    text += QStringLiteral("const uint8_t %1[%2]%3 = {\n")
                .arg(options.name)
                .arg(m.bytes.size())
                .arg(options.progmem ? QLatin1String(" PROGMEM") : QLatin1String(""));
    text += arrayLines(m, options);
    text += QLatin1String("};\n");
    return text.toUtf8();
}

} // namespace CSourceTemplate
