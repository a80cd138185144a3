#include "logic/export/AssemblerTemplate.h"

#include "logic/convert/Conversion.h"
#include "logic/export/ByteLines.h"
#include "logic/export/ExportOptions.h"

namespace AssemblerTemplate {

QByteArray write(const ConversionResult &m, const ExportOptions &options)
{
    const bool retlw = options.directive == ExportOptions::Directive::Retlw;
    QString text = QStringLiteral("; %1: %2x%3 pixels, %4 bytes, %5\n")
                       .arg(options.name)
                       .arg(m.width)
                       .arg(m.height)
                       .arg(m.bytes.size())
                       .arg(m.layout.description());
    // MPASM and gpasm take a label in the first column without a colon.
    text += options.name + (retlw ? QLatin1String("\n") : QLatin1String(":\n"));
    const int perLine = retlw ? 1
                              : ByteLines::resolve(options.bytesPerLine, DefaultBytesPerLine,
                                                   ByteLines::unitLength(m.width, m.height, m.layout));
    for (const QByteArray &line : ByteLines::split(m.bytes, perLine))
        text += (retlw ? QLatin1String("    retlw ") : QLatin1String("    db ")) + ByteLines::cList(line)
            + QLatin1Char('\n');
    return text.toUtf8();
}

} // namespace AssemblerTemplate
