#include "logic/decode/PreviewImage.h"

namespace PreviewImage {

bool isLit(QRgb pixel)
{
    return (pixel & 0xFFFFFF) == 0;
}

Result compose(const QImage &picture, const QImage &reference, const Colours &colours)
{
    const QImage decoded = picture.convertToFormat(QImage::Format_RGB32);
    const bool compared = !reference.isNull() && reference.size() == picture.size();
    const QImage canvas = compared ? reference.convertToFormat(QImage::Format_RGB32) : QImage();
    Result result;
    result.image = QImage(decoded.size(), QImage::Format_RGB32);
    result.differing = compared ? 0 : -1;
    for (int y = 0; y < decoded.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(decoded.constScanLine(y));
        const auto *ref = compared ? reinterpret_cast<const QRgb *>(canvas.constScanLine(y)) : nullptr;
        auto *out = reinterpret_cast<QRgb *>(result.image.scanLine(y));
        for (int x = 0; x < decoded.width(); ++x) {
            const bool lit = isLit(in[x]);
            const bool differs = ref && lit != isLit(ref[x]);
            result.differing += differs ? 1 : 0;
            out[x] = differs ? (lit ? colours.markedLit : colours.markedUnlit) : (lit ? colours.lit : colours.unlit);
        }
    }
    return result;
}

} // namespace PreviewImage
