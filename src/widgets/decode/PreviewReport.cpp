#include "widgets/decode/PreviewReport.h"

#include "logic/convert/ControllerProfiles.h"
#include "widgets/decode/PreviewDecoder.h"

QString PreviewReport::difference(const PreviewDecoder &decoder, const QString &notCompared, const QImage &reference,
                                  int differing)
{
    // With no text the details say so; anything here would contradict them.
    if (decoder.text().trimmed().isEmpty())
        return QString();
    if (!notCompared.isEmpty())
        return notCompared;
    if (!decoder.result().ok())
        return tr("Not compared with the canvas");
    if (reference.isNull())
        return tr("No canvas picture to compare with");
    if (differing < 0)
        return tr("Not compared: the canvas is %1x%2, the preview %3x%4")
            .arg(reference.width()).arg(reference.height()).arg(decoder.request().width).arg(decoder.request().height);
    if (differing == 0)
        return tr("Same as the canvas");
    return differing == 1 ? tr("1 pixel differs from the canvas (red)")
                          : tr("%1 pixels differ from the canvas (red)").arg(differing);
}

QString PreviewReport::details(const PreviewDecoder &decoder)
{
    if (decoder.text().trimmed().isEmpty())
        return tr("No text to preview");
    const LcdByteDecoder::Result &result = decoder.result();
    QStringList lines;
    if (result.headerRead)
        lines << result.header.words();
    if (result.error.isSet())
        lines << tr("Cannot decode: %1").arg(result.error.message());
    else if (!result.countError.isEmpty())
        lines << result.countError;
    else
        lines << tr("%1 bytes, %2x%3, %4")
                     .arg(result.bytes.size())
                     .arg(decoder.request().width)
                     .arg(decoder.request().height)
                     .arg(layout(decoder.request().layout));
    return lines.join(QLatin1Char('\n'));
}

QString PreviewReport::layout(const MatrixLayout &layout)
{
    if (layout == MatrixLayout::usual(layout.horizontal))
        return layout.horizontal ? tr("horizontal (T6963C, SED1330)") : tr("vertical (KS0108)");
    const QString packing = layout.horizontal ? tr("horizontal") : tr("vertical");
    if (const ControllerProfile *profile = ControllerProfiles::byLayout(layout))
        return QStringLiteral("%1 (%2)").arg(packing, profile->caption);
    QString text = packing + QLatin1String(", ") + MatrixLayout::bitOrderCaption(layout.horizontal, layout.bitOrder);
    if (!layout.horizontal)
        text += QLatin1String(", ") + MatrixLayout::scanCaption(layout.scan).toLower();
    return text;
}
