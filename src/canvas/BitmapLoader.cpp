#include "canvas/BitmapLoader.h"

#include "core/BoundedRead.h"
#include "core/HexGrid.h"
#include "canvas/BmpByteWalk.h"
#include "canvas/BmpFileHeader.h"
#include "canvas/MonoBitmapRows.h"
#include "canvas/PictureDecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {
// Far above any LCD picture; keeps a wrong choice of file from filling memory.
const qint64 LargestFile = 64LL * 1024 * 1024;

QString tr(const char *text)
{
    return QCoreApplication::translate("BitmapLoader", text);
}

BitmapLoadResult failure(const QString &error)
{
    BitmapLoadResult result;
    result.error = error;
    return result;
}

// The pixel rows to walk, light pixels as 1 bits, or an empty array and `error`.
QByteArray lightIsOneRows(const QByteArray &data, QSize lcdSize, bool *asStored, QString *error)
{
    const BmpFileHeader header = BmpFileHeader::parse(data);
    *error = header.problem(data.size());
    if (!error->isEmpty())
        return QByteArray();
    *asStored = header.isStandardMono(lcdSize.width(), lcdSize.height());
    if (*asStored) {
        QByteArray rows = data.mid(BmpFileHeader::StandardMonoSize,
                                   qsizetype(MonoBitmapRows::stride(lcdSize.width())) * lcdSize.height());
        if (BmpFileHeader::firstPaletteEntryLighter(data))
            MonoBitmapRows::invert(rows);
        return rows;
    }
    const QImage picture = PictureDecoder::decode(data, error);
    if (picture.isNull())
        return QByteArray();
    return MonoBitmapRows::fromPicture(
        PictureDecoder::thresholded(picture, lcdSize.width(), lcdSize.height()));
}
} // namespace

namespace BitmapLoader {

BitmapLoadResult loadData(const QByteArray &data, QSize lcdSize, bool inverted, HexGrid &grid)
{
    if (lcdSize.width() < 1 || lcdSize.height() < 1 || lcdSize.height() > HexGrid::Size
        || BmpByteWalk::bytesPerRow(lcdSize.width()) > HexGrid::Size)
        return failure(tr("an LCD of %1 x %2 pixels is beyond the byte table")
                           .arg(lcdSize.width()).arg(lcdSize.height()));
    BitmapLoadResult result;
    const QByteArray rows = lightIsOneRows(data, lcdSize, &result.walkedAsStored, &result.error);
    if (!result.error.isEmpty())
        return result;
    result.picture = MonoBitmapRows::toPicture(rows, lcdSize.width(), lcdSize.height());
    result.cellsWritten = BmpByteWalk::walk(rows, lcdSize.width(), lcdSize.height(), inverted, grid);
    result.dump = BmpByteWalk::dump(grid, lcdSize.width(), lcdSize.height());
    return result;
}

BitmapLoadResult loadFile(const QString &path, QSize lcdSize, bool inverted, HexGrid &grid)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(tr("Cannot open %1: %2").arg(shown, file.errorString()));
    // Counted as read: a device or FIFO says 0 for its size, /dev/zero never ends.
    const BoundedRead::Result read = BoundedRead::readAll(file, LargestFile);
    if (read.status == BoundedRead::Status::TooLarge)
        return failure(tr("Cannot load %1: %2").arg(shown, BoundedRead::tooLargeReason(LargestFile)));
    if (read.status == BoundedRead::Status::Failed)
        return failure(tr("Cannot read %1: %2").arg(shown, read.systemReason));
    BitmapLoadResult result = loadData(read.data, lcdSize, inverted, grid);
    if (!result.ok())
        result.error = tr("Cannot load %1: %2").arg(shown, result.error);
    return result;
}

} // namespace BitmapLoader
