#include "FifoWriter.h"
#include "logic/core/HexGrid.h"
#include "logic/canvas/BitmapLoader.h"
#include "logic/canvas/BmpByteWalk.h"
#include "logic/canvas/MonoBmpWriter.h"
#include "logic/canvas/PenStroke.h"
#include "logic/convert/Conversion.h"

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
// Every fixture: a dark grey square 10..20, a black dot in the picture's
// bottom-right corner and a light grey dot at (5, 5), which must stay white.
const char *ImageMagickDrawing = "/usr/bin/convert -size %1x%2 xc:white -fill gray40 -draw 'rectangle 10,10,20,20' "
                                 "-fill black -draw 'point %3,%4' -fill gray60 -draw 'point 5,5' ";
const char *PilDrawing = R"(
import sys
from PIL import Image, ImageDraw
w, h, kind, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4]
im = Image.new("L", (w, h), 255)
d = ImageDraw.Draw(im)
d.rectangle([10, 10, 20, 20], fill=102); d.point((w - 1, h - 1), fill=0); d.point((5, 5), fill=153)
im.convert("RGB" if kind == "topdown" else "1", dither=0).save(out, "BMP")
b = bytearray(open(out, "rb").read()); off = int.from_bytes(b[10:14], "little")
if kind == "topdown":  # rows reversed, height negative
    s = (w * 3 + 3) // 4 * 4
    b[22:26] = (-h).to_bytes(4, "little", signed=True)
    b[off:] = b"".join(b[off + i * s:off + (i + 1) * s] for i in reversed(range(h)))
if kind == "whitefirst":  # palette entries swapped and bits flipped: the same picture
    b[54:62] = b[58:62] + b[54:58]
    b[62:] = bytes(255 - v for v in b[62:])
open(out, "wb").write(b)
)";

bool fixtureIsDark(QSize picture, int x, int y)
{
    return (x >= 10 && x <= 20 && y >= 10 && y <= 20) || (x == picture.width() - 1 && y == picture.height() - 1);
}

// Empty when the tool wrote `path`, else why not.
QString makeFixture(const QString &recipe, QSize size, const QString &path)
{
    const bool pil = recipe.startsWith(QLatin1String("pil:"));
    const QString tool = pil ? QStringLiteral("/usr/bin/python3") : QStringLiteral("/usr/bin/convert");
    if (!QFile::exists(tool))
        return tool + QStringLiteral(" is not installed");
    const QString w = QString::number(size.width()), h = QString::number(size.height());
    const int status = pil ? QProcess::execute(tool, {"-c", PilDrawing, w, h, recipe.mid(4), path})
                           : QProcess::execute("/bin/sh", {"-c", QString(ImageMagickDrawing).arg(w, h)
                                                                     .arg(size.width() - 1).arg(size.height() - 1)
                                                                 + QString(recipe).replace("%F", path)});
    return status == 0 ? QString() : tool + QStringLiteral(" failed");
}

QString hex(int byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0'));
}

QByteArray qtEncoded(const QImage &image, const char *format)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return data;
}
} // namespace

class BitmapFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void walkRowsBottomFirst_data();
    void walkRowsBottomFirst();
    void filesFromOtherPrograms_data();
    void filesFromOtherPrograms();
    void malformedFilesRefused_data();
    void malformedFilesRefused();
    void endlessInputsRefused_data();
    void endlessInputsRefused();
    void damagedFilesNeverCrash_data();
    void damagedFilesNeverCrash();
    void savedLoadsToConvertedBytes_data();
    void savedLoadsToConvertedBytes();
};

void BitmapFilesTest::initTestCase()
{
    // Damaged files make the decoders complain at every step.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
}

void BitmapFilesTest::walkRowsBottomFirst_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("fileRowBytes");
    QTest::addColumn<int>("storedBytes");
    QTest::addColumn<bool>("inverted");
    QTest::newRow("128") << 128 << 16 << 16 << false;
    QTest::newRow("240 skips two padding bytes") << 240 << 32 << 30 << true;
    QTest::newRow("256") << 256 << 32 << 32 << false;
    QTest::newRow("320") << 320 << 40 << 40 << true;
}

void BitmapFilesTest::walkRowsBottomFirst()
{
    QFETCH(int, width);
    QFETCH(int, fileRowBytes);
    QFETCH(int, storedBytes);
    QFETCH(bool, inverted);
    const int height = 3;
    QByteArray rows;
    for (int i = 0; i < height * fileRowBytes; ++i)
        rows.append(char(i * 7));
    rows[1] = 0x0F;
    HexGrid grid;
    for (int column = 0; column < 48; ++column)
        grid.setCell(0, column, QStringLiteral("zz"));
    QCOMPARE(BmpByteWalk::walk(rows, width, height, inverted, grid), height * storedBytes);
    QCOMPARE(grid.cell(2, 0) + grid.cell(2, 1), inverted ? QStringLiteral("fff0") : QStringLiteral("000f"));
    QString dump;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < fileRowBytes; ++column) {
            const int byte = quint8(rows.at((height - 1 - row) * fileRowBytes + column));
            // Padding bytes are read but not stored: earlier text stays.
            const QString cell = column >= storedBytes ? (row ? QString() : QStringLiteral("zz"))
                                                       : hex(inverted ? 255 - byte : byte);
            QCOMPARE(grid.cell(row, column), cell);
            dump += cell;
        }
    }
    QCOMPARE(BmpByteWalk::dump(grid, width, height), dump);
}

void BitmapFilesTest::filesFromOtherPrograms_data()
{
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("lcd");
    QTest::addColumn<bool>("walkedAsStored");
    const QString oneBit = QStringLiteral("-threshold 50% -type bilevel BMP3:%F");
    QTest::newRow("ImageMagick one-bit 128x64") << oneBit << QSize(128, 64) << QSize(128, 64) << true;
    QTest::newRow("ImageMagick one-bit 240x64") << oneBit << QSize(240, 64) << QSize(240, 64) << true;
    QTest::newRow("PIL one-bit 256x128") << "pil:mono" << QSize(256, 128) << QSize(256, 128) << true;
    QTest::newRow("one-bit, white first") << "pil:whitefirst" << QSize(320, 200) << QSize(320, 200) << true;
    QTest::newRow("one-bit, other size") << "pil:mono" << QSize(100, 30) << QSize(128, 64) << false;
    QTest::newRow("V4 header") << "-threshold 50% -type bilevel BMP:%F" << QSize(240, 64) << QSize(240, 64) << false;
    QTest::newRow("8-bit RLE") << "-type palette -compress RLE BMP3:%F" << QSize(128, 64) << QSize(128, 64) << false;
    QTest::newRow("24-bit") << "-type truecolor BMP3:%F" << QSize(256, 64) << QSize(256, 64) << false;
    QTest::newRow("24-bit top-down") << "pil:topdown" << QSize(128, 64) << QSize(128, 64) << false;
    QTest::newRow("PNG, smaller") << "PNG:%F" << QSize(100, 40) << QSize(240, 64) << false;
    QTest::newRow("PNG, larger") << "PNG:%F" << QSize(400, 300) << QSize(320, 200) << false;
    QTest::newRow("GIF") << "GIF:%F" << QSize(128, 128) << QSize(128, 128) << false;
    QTest::newRow("JPEG") << "-quality 100 -sampling-factor 1x1 JPEG:%F" << QSize(128, 32) << QSize(128, 32) << false;
}

void BitmapFilesTest::filesFromOtherPrograms()
{
    QFETCH(QString, recipe);
    QFETCH(QSize, picture);
    QFETCH(QSize, lcd);
    QFETCH(bool, walkedAsStored);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fixture"));
    const QString problem = makeFixture(recipe, picture, path);
    if (!problem.isEmpty())
        QSKIP(qPrintable(problem));
    const int columns = lcd.width() / 8;
    for (bool inverted : {true, false}) {
        HexGrid grid;
        const BitmapLoadResult result = BitmapLoader::loadFile(path, lcd, inverted, grid);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.walkedAsStored, walkedAsStored);
        QCOMPARE(result.dump.size(), lcd.height() * columns * 2);
        QCOMPARE(result.picture.size(), lcd);
        for (int y = 0; y < lcd.height(); ++y) {
            for (int column = 0; column < columns; ++column) {
                int lit = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const int x = column * 8 + bit;
                    const bool dark = x < picture.width() && y < picture.height() && fixtureIsDark(picture, x, y);
                    lit |= dark ? 0x80 >> bit : 0;
                    QCOMPARE(result.picture.pixel(x, y) == qRgb(0, 0, 0), dark);
                }
                QCOMPARE(grid.cell(y, column), hex(inverted ? lit : 255 - lit));
            }
        }
    }
}

// A PNG with its header but no pixels: a `width` x `height` colour picture.
static QByteArray pngHeaderOnly(quint32 width, quint32 height)
{
    const auto chunk = [](const QByteArray &type, const QByteArray &data) {
        const QByteArray body = type + data;
        quint32 crc = 0xffffffff;
        for (const char byte : body) {
            crc ^= quint8(byte);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
        }
        QByteArray out(4, '\0');
        qToBigEndian(quint32(data.size()), out.data());
        out += body + QByteArray(4, '\0');
        qToBigEndian(~crc, out.data() + out.size() - 4);
        return out;
    };
    QByteArray header(13, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = 8; // bits a channel
    header[9] = 2; // RGB
    // The size is known once the pixels begin: a token IDAT chunk.
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", "x") + chunk("IEND", {});
}

void BitmapFilesTest::malformedFilesRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");
    QImage blank = PenStroke::blank(128, 64);
    const QByteArray good = MonoBmpWriter::encode(blank);
    const auto patched = [&good](int offset, quint32 value) {
        QByteArray copy = good;
        qToLittleEndian(value, copy.data() + offset);
        return copy;
    };
    const QByteArray gif = QByteArray::fromHex("474946383961010001008000000000ffffff2c00000000010001000002024401003b");
    QTest::newRow("not a picture") << QByteArray("hello") << "Unsupported image format";
    QTest::newRow("cut in the pixels") << good.chopped(1) << "truncated";
    QTest::newRow("pixels beyond the end") << patched(10, 5000) << "outside the file";
    QTest::newRow("GIF without trailer") << gif.chopped(1) << "truncated";
    QTest::newRow("JPEG cut short") << qtEncoded(blank, "JPEG").chopped(40) << "truncated";
    // Qt's own allocation limit must never speak first.
    QTest::newRow("36 megapixels") << pngHeaderOnly(6000, 6000) << "too large (6000 x 6000 pixels)";
    QTest::newRow("64 megapixels") << pngHeaderOnly(8192, 8192) << "too large (8192 x 8192 pixels)";
}

void BitmapFilesTest::malformedFilesRefused()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    HexGrid grid;
    grid.setCell(63, 15, QStringLiteral("zz"));
    const BitmapLoadResult result = BitmapLoader::loadData(data, QSize(128, 64), true, grid);
    QVERIFY2(result.error.contains(reason), qPrintable(result.error));
    QVERIFY(result.picture.isNull() && result.dump.isEmpty() && result.cellsWritten == 0);
    QCOMPARE(grid.cell(63, 15), QStringLiteral("zz"));
}

void BitmapFilesTest::endlessInputsRefused_data()
{
    // Both report size 0; reading them whole would fill the memory.
    QTest::addColumn<QString>("device"); // "fifo" for a named pipe holding 70 MB
    QTest::newRow("/dev/zero") << "/dev/zero";
    QTest::newRow("FIFO of 70 MB") << "fifo";
}

void BitmapFilesTest::endlessInputsRefused()
{
    QFETCH(QString, device);
    QTemporaryDir dir;
    std::unique_ptr<FifoWriter> fifo;
    QString path = device;
    if (device == QLatin1String("fifo")) {
        fifo = std::make_unique<FifoWriter>(dir.filePath(QStringLiteral("picture.bmp")), 70'000'000);
        QVERIFY(fifo->isValid());
        path = fifo->path();
    }
    HexGrid grid;
    grid.setCell(0, 0, QStringLiteral("zz"));
    const BitmapLoadResult result = BitmapLoader::loadFile(path, QSize(128, 64), true, grid);
    QVERIFY2(result.error.contains(QStringLiteral("too large")), qPrintable(result.error));
    QCOMPARE(result.error.count(path), 1);
    QCOMPARE(grid.cell(0, 0), QStringLiteral("zz"));
}

void BitmapFilesTest::damagedFilesNeverCrash_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("cutAlwaysRefused");
    QImage picture = PenStroke::blank(40, 16);
    PenStroke::line(picture, QPoint(0, 0), QPoint(39, 15), 1, qRgb(0, 0, 0));
    QTest::newRow("one-bit, 62-byte header") << MonoBmpWriter::encode(picture) << true;
    QTest::newRow("24-bit BMP") << qtEncoded(picture.convertToFormat(QImage::Format_RGB888), "BMP") << true;
    QTest::newRow("8-bit BMP") << qtEncoded(picture.convertToFormat(QImage::Format_Indexed8), "BMP") << true;
    QTest::newRow("PNG") << qtEncoded(picture, "PNG") << false; // may end after the last pixel
    QTest::newRow("JPEG") << qtEncoded(picture, "JPEG") << true;
}

void BitmapFilesTest::damagedFilesNeverCrash()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, cutAlwaysRefused);
    // A damaged file fails cleanly or gives a whole picture of pure black and white.
    const auto sound = [](const QByteArray &damaged, bool *loaded) {
        HexGrid grid;
        const BitmapLoadResult result = BitmapLoader::loadData(damaged, QSize(40, 16), true, grid);
        *loaded = result.ok();
        if (!result.ok())
            return grid.cell(0, 0).isEmpty() && result.dump.isEmpty();
        const QImage mono = result.picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
        return result.picture.size() == QSize(40, 16) && result.dump.size() == 16 * 5 * 2
            && mono.convertToFormat(QImage::Format_RGB32) == result.picture;
    };
    bool loaded = false;
    for (int length = 0; length < data.size(); ++length) {
        QVERIFY(sound(data.left(length), &loaded));
        QVERIFY2(!(loaded && cutAlwaysRefused), qPrintable(QStringLiteral("cut to %1 bytes").arg(length)));
    }
    for (int bit = 0; bit < qMin<int>(data.size(), 140) * 8; ++bit) {
        QByteArray flipped = data;
        flipped[bit / 8] = char(flipped.at(bit / 8) ^ (1 << (bit % 8)));
        QVERIFY2(sound(flipped, &loaded), qPrintable(QStringLiteral("bit %1").arg(bit)));
    }
}

void BitmapFilesTest::savedLoadsToConvertedBytes_data()
{
    QTest::addColumn<QSize>("size");
    for (QSize size : {QSize(128, 64), QSize(240, 64), QSize(256, 128), QSize(320, 200)})
        QTest::addRow("%dx%d", size.width(), size.height()) << size;
}

void BitmapFilesTest::savedLoadsToConvertedBytes()
{
    QFETCH(QSize, size);
    QImage picture = PenStroke::blank(size.width(), size.height());
    const int right = size.width() - 1, bottom = size.height() - 1;
    for (QLine stroke : {QLine(0, 0, right, bottom), QLine(right, 0, right, bottom), QLine(3, 1, 3, 9)})
        PenStroke::line(picture, stroke.p1(), stroke.p2(), 1, qRgb(0, 0, 0));
    ConversionSettings horizontal;
    horizontal.width = size.width();
    horizontal.height = size.height();
    QTemporaryDir dir;
    QFile ours(dir.filePath(QStringLiteral("ours.bmp")));
    QVERIFY(ours.open(QIODevice::WriteOnly) && ours.write(MonoBmpWriter::encode(picture)) > 0);
    ours.close();
    QStringList files{ours.fileName()};
    // Other programs read the file too: ImageMagick's copy must load the same.
    const QString theirs = dir.filePath(QStringLiteral("theirs.bmp"));
    if (QProcess::execute("/usr/bin/convert", {ours.fileName(), "-type", "bilevel", "BMP3:" + theirs}) == 0)
        files << theirs;
    for (const QString &path : files) {
        HexGrid grid;
        const BitmapLoadResult loaded = BitmapLoader::loadFile(path, size, true, grid);
        QVERIFY2(loaded.ok() && loaded.walkedAsStored, qPrintable(path + loaded.error));
        QCOMPARE(Conversion::fromLoadedBitmap(grid, horizontal), Conversion::fromPicture(picture, horizontal));
        QCOMPARE(loaded.picture, picture);
    }
}

QTEST_MAIN(BitmapFilesTest)
#include "tst_bitmapfiles.moc"
