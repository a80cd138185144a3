#include "logic/canvas/BitmapLoader.h"

#include "logic/core/BoundedRead.h"
#include "logic/core/HexGrid.h"
#include "logic/canvas/BmpByteWalk.h"
#include "logic/canvas/BmpFileHeader.h"
#include "logic/canvas/ImportPipeline.h"
#include "logic/canvas/MonoBitmapRows.h"
#include "logic/canvas/ImageFileDecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

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

QString beyondTable(QSize lcdSize)
{
    if (lcdSize.width() < 1 || lcdSize.height() < 1 || lcdSize.height() > HexGrid::Rows
        || BmpByteWalk::bytesPerRow(lcdSize.width()) > HexGrid::Columns)
        return tr("an LCD of %1 x %2 pixels is beyond the byte table").arg(lcdSize.width()).arg(lcdSize.height());
    return QString();
}

// Walks rows of light-is-one bits into `grid` and fills in the result.
BitmapLoadResult walked(const QByteArray &rows, QSize lcdSize, bool inverted, HexGrid &grid)
{
    BitmapLoadResult result;
    result.picture = MonoBitmapRows::toPicture(rows, lcdSize.width(), lcdSize.height());
    result.cellsWritten = BmpByteWalk::walk(rows, lcdSize.width(), lcdSize.height(), inverted, grid);
    result.dump = BmpByteWalk::dump(grid, lcdSize.width(), lcdSize.height());
    result.sourceSize = lcdSize;
    return result;
}

} // namespace

namespace BitmapLoader {

bool readFile(const QString &path, QByteArray *data, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("Cannot open %1: %2").arg(shown, file.errorString());
        return false;
    }
    // Counted as read: a device or FIFO says 0 for its size, /dev/zero never ends.
    const BoundedRead::Result read = BoundedRead::readAll(file, LargestFile);
    if (read.status == BoundedRead::Status::TooLarge) {
        *error = tr("Cannot load %1: %2").arg(shown, BoundedRead::tooLargeReason(LargestFile));
        return false;
    }
    if (read.status == BoundedRead::Status::Failed) {
        *error = tr("Cannot read %1: %2").arg(shown, read.systemReason);
        return false;
    }
    *data = read.data;
    return true;
}

bool isExactBitmap(const QByteArray &data, QSize lcdSize)
{
    const BmpFileHeader header = BmpFileHeader::parse(data);
    return header.problem(data.size()).isEmpty() && header.isStandardMono(lcdSize.width(), lcdSize.height());
}

BitmapLoadResult loadPicture(const QImage &lcdPicture, bool inverted, HexGrid &grid)
{
    const QString problem = beyondTable(lcdPicture.size());
    if (!problem.isEmpty())
        return failure(problem);
    return walked(MonoBitmapRows::fromPicture(lcdPicture), lcdPicture.size(), inverted, grid);
}

BitmapLoadResult loadData(const QByteArray &data, QSize lcdSize, bool inverted, HexGrid &grid,
                          const ImportSettings &import)
{
    QString error = beyondTable(lcdSize);
    if (!error.isEmpty())
        return failure(error);
    if (import.isDefault() && isExactBitmap(data, lcdSize)) {
        QByteArray rows = data.mid(BmpFileHeader::StandardMonoSize,
                                   qsizetype(MonoBitmapRows::stride(lcdSize.width())) * lcdSize.height());
        if (BmpFileHeader::firstPaletteEntryLighter(data))
            MonoBitmapRows::invert(rows);
        BitmapLoadResult result = walked(rows, lcdSize, inverted, grid);
        result.walkedAsStored = true;
        return result;
    }
    const QImage picture = ImageFileDecoder::decode(data, &error);
    if (picture.isNull())
        return failure(error);
    BitmapLoadResult result = loadPicture(ImportPipeline::run(picture, lcdSize, import), inverted, grid);
    result.sourceSize = picture.size();
    return result;
}

BitmapLoadResult loadFile(const QString &path, QSize lcdSize, bool inverted, HexGrid &grid,
                          const ImportSettings &import)
{
    QByteArray data;
    QString error;
    if (!readFile(path, &data, &error))
        return failure(error);
    BitmapLoadResult result = loadData(data, lcdSize, inverted, grid, import);
    if (!result.ok())
        result.error = tr("Cannot load %1: %2").arg(QDir::toNativeSeparators(path), result.error);
    return result;
}

} // namespace BitmapLoader
