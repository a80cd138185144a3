#pragma once

#include "logic/convert/MatrixLayout.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>

class PreviewDecoder;

// What the preview says beneath its picture: how it compares with the
// canvas, and what the text decoded to.
class PreviewReport
{
    Q_DECLARE_TR_FUNCTIONS(PreviewReport)
public:
    // `notCompared`: why the text is not held against the canvas, or empty;
    // `differing`: pixels that differ, -1 when the sizes do not match.
    static QString difference(const PreviewDecoder &decoder, const QString &notCompared, const QImage &reference,
                              int differing);
    // The transfer header read, then the error or the bytes and geometry.
    static QString details(const PreviewDecoder &decoder);
    // The packing, with the profile or the orders when they are not its usual ones.
    static QString layout(const MatrixLayout &layout);
};
