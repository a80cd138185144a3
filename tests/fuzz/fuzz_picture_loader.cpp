// The bytes of any file, as the window's Load and `tavrel convert` read them,
// through the picture loader. The LCD size is the one the file's header names
// when that is an offered size, so one-bit files reach the walk of their
// stored bytes; otherwise the file's length picks one.
#include "FuzzSupport.h"

#include "logic/canvas/BitmapLoader.h"
#include "logic/canvas/BmpByteWalk.h"
#include "logic/canvas/BmpFileHeader.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/core/HexGrid.h"

namespace {
const LcdSize &lcdFor(const QByteArray &file)
{
    const BmpFileHeader header = BmpFileHeader::parse(file);
    const QVector<LcdSize> &sizes = LcdSizes::all();
    for (const LcdSize &size : sizes)
        if (size.width == header.width() && size.height == header.height())
            return size;
    return sizes.at(file.size() % sizes.size());
}

bool blackAndWhite(const QImage &picture)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y) & 0xFFFFFF;
            if (pixel != 0 && pixel != 0xFFFFFF)
                return false;
        }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    const QByteArray file = FuzzSupport::bytes(data, size);
    const LcdSize &lcd = lcdFor(file);
    HexGrid grid;
    const BitmapLoadResult loaded = BitmapLoader::loadData(file, QSize(lcd.width, lcd.height), size % 2, grid);
    const QString table = BmpByteWalk::dump(grid, lcd.width, lcd.height);
    if (!loaded.ok()) {
        FuzzSupport::check(loaded.picture.isNull() && loaded.dump.isEmpty(), "a refused file left a result");
        FuzzSupport::check(table.isEmpty(), "a refused file changed the byte table");
        return 0;
    }
    FuzzSupport::check(loaded.picture.size() == QSize(lcd.width, lcd.height), "the picture is not the LCD's size");
    FuzzSupport::check(blackAndWhite(loaded.picture), "the picture has a pixel neither black nor white");
    FuzzSupport::check(loaded.cellsWritten == BmpByteWalk::storedColumns(lcd.width) * lcd.height,
                       "the walk did not write every byte of the picture");
    FuzzSupport::check(loaded.dump == table && table.size() == 2 * loaded.cellsWritten,
                       "the dump is not the table's bytes");
    return 0;
}
