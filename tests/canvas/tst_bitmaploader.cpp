#include "app/HexGrid.h"
#include "canvas/BitmapLoader.h"
#include "canvas/BmpByteWalk.h"
#include "canvas/MonoBmpWriter.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString ImageMagick = QStringLiteral("/usr/bin/convert");
const QString Python = QStringLiteral("/usr/bin/python3");

// The test picture every fixture holds: a dark grey square 10..20, a black
// dot in the picture's bottom-right corner, a light grey dot at (5, 5).
bool fixtureIsDark(QSize picture, int x, int y)
{
    const bool inSquare = x >= 10 && x <= 20 && y >= 10 && y <= 20;
    return inSquare || (x == picture.width() - 1 && y == picture.height() - 1);
}

const char *PilScript = R"(
import sys
from PIL import Image, ImageDraw
w, h, kind, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4]
im = Image.new("L", (w, h), 255)
d = ImageDraw.Draw(im)
d.rectangle([10, 10, 20, 20], fill=102)
d.point((w - 1, h - 1), fill=0)
d.point((5, 5), fill=153)
if kind == "topdown":
    im.convert("RGB").save(out, "BMP")
    b = bytearray(open(out, "rb").read())
    off, stride = int.from_bytes(b[10:14], "little"), (w * 3 + 3) // 4 * 4
    rows = [b[off + i * stride:off + (i + 1) * stride] for i in range(h)]
    b[22:26] = (-h).to_bytes(4, "little", signed=True)
    b[off:] = b"".join(reversed(rows))
    open(out, "wb").write(b)
else:
    im.convert("1", dither=0).save(out, "BMP")
    if kind == "whitefirst":  # the same picture with the palette's entries swapped
        b = bytearray(open(out, "rb").read())
        b[54:62] = b[58:62] + b[54:58]
        b[62:] = bytes(255 - v for v in b[62:])
        open(out, "wb").write(b)
)";

// Runs an independent tool that writes `path`; says why not when it cannot.
QString makeFixture(const QString &recipe, QSize picture, const QString &path)
{
    QStringList arguments;
    QString program = ImageMagick;
    if (recipe.startsWith(QLatin1String("pil:"))) {
        program = Python;
        arguments << QStringLiteral("-c") << QLatin1String(PilScript) << QString::number(picture.width())
                  << QString::number(picture.height()) << recipe.mid(4) << path;
    } else {
        const QString corner = QStringLiteral("point %1,%2").arg(picture.width() - 1).arg(picture.height() - 1);
        arguments << QStringLiteral("-size") << QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height())
                  << QStringLiteral("xc:white") << QStringLiteral("-fill") << QStringLiteral("gray40")
                  << QStringLiteral("-draw") << QStringLiteral("rectangle 10,10,20,20") << QStringLiteral("-fill")
                  << QStringLiteral("black") << QStringLiteral("-draw") << corner << QStringLiteral("-fill")
                  << QStringLiteral("gray60") << QStringLiteral("-draw") << QStringLiteral("point 5,5");
        arguments << recipe.split(QLatin1Char(' ')).replaceInStrings(QStringLiteral("%F"), path);
    }
    if (!QFile::exists(program))
        return QStringLiteral("%1 is not installed").arg(program);
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(tool.readAllStandardError()));
    return QString();
}

QString hex(int byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0'));
}

HexGrid filledGrid(const QString &text)
{
    HexGrid grid;
    for (int row = 0; row < 64; ++row)
        for (int column = 0; column < 48; ++column)
            grid.setCell(row, column, text);
    return grid;
}

bool onlyPureColours(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0 && (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                return false;
    return true;
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

class BitmapLoaderTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void walkRowsBottomFirst_data();
    void walkRowsBottomFirst();
    void walkSingleBytes_data();
    void walkSingleBytes();
    void writerLayout();
    void filesFromOtherPrograms_data();
    void filesFromOtherPrograms();
    void malformedFilesRefused_data();
    void malformedFilesRefused();
    void damagedFilesNeverCrash_data();
    void damagedFilesNeverCrash();
};

void BitmapLoaderTest::initTestCase()
{
    // Damaged files make the decoders complain at every step (libpng still
    // prints its "Read Error" lines itself).
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
}

void BitmapLoaderTest::walkRowsBottomFirst_data()
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

void BitmapLoaderTest::walkRowsBottomFirst()
{
    QFETCH(int, width);
    QFETCH(int, fileRowBytes);
    QFETCH(int, storedBytes);
    QFETCH(bool, inverted);
    const int height = 3;
    QCOMPARE(BmpByteWalk::bytesPerRow(width), fileRowBytes);
    QByteArray rows;
    for (int fileRow = 0; fileRow < height; ++fileRow)
        for (int column = 0; column < fileRowBytes; ++column)
            rows.append(char(fileRow * 41 + column * 7));
    HexGrid grid = filledGrid(QStringLiteral("zz"));
    QCOMPARE(BmpByteWalk::walk(rows, width, height, inverted, grid), height * storedBytes);
    QString expectedDump;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < fileRowBytes; ++column) {
            const int byte = quint8(rows.at((height - 1 - row) * fileRowBytes + column));
            // Padding bytes are read but not stored: earlier text stays.
            const QString cell = column < storedBytes ? hex(inverted ? 255 - byte : byte) : QStringLiteral("zz");
            QCOMPARE(grid.cell(row, column), cell);
            expectedDump += cell;
        }
    }
    QCOMPARE(BmpByteWalk::dump(grid, width, height), expectedDump);
    // Too few bytes for the geometry: nothing is written.
    HexGrid untouched = filledGrid(QStringLiteral("zz"));
    QCOMPARE(BmpByteWalk::walk(rows.left(rows.size() - 1), width, height, inverted, untouched), 0);
    QCOMPARE(untouched.cell(0, 0), QStringLiteral("zz"));
}

void BitmapLoaderTest::walkSingleBytes_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<QString>("cell");
    QTest::newRow("00 inverted") << 0x00 << true << "ff";
    QTest::newRow("0F inverted") << 0x0F << true << "f0";
    QTest::newRow("0F as stored") << 0x0F << false << "0f";
    QTest::newRow("A5 as stored, lower case") << 0xA5 << false << "a5";
}

void BitmapLoaderTest::walkSingleBytes()
{
    QFETCH(int, byte);
    QFETCH(bool, inverted);
    QFETCH(QString, cell);
    HexGrid grid;
    BmpByteWalk::walk(QByteArray(4, char(byte)), 8, 1, inverted, grid);
    QCOMPARE(grid.cell(0, 0), cell);
}

void BitmapLoaderTest::writerLayout()
{
    QImage picture(240, 64, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (QPoint dark : {QPoint(0, 0), QPoint(239, 63), QPoint(9, 1)})
        picture.setPixel(dark, qRgb(0, 0, 0));
    picture.setPixel(3, 3, qRgb(10, 10, 10)); // only pure black is lit
    const QByteArray file = MonoBmpWriter::encode(picture);
    QCOMPARE(file.size(), 62 + 32 * 64);
    QCOMPARE(file.left(2), QByteArray("BM"));
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 2), quint32(file.size()));
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 10), quint32(62));
    QCOMPARE(qFromLittleEndian<qint32>(file.constData() + 18), 240);
    QCOMPARE(qFromLittleEndian<qint32>(file.constData() + 22), 64); // positive: bottom row first
    QCOMPARE(qFromLittleEndian<quint16>(file.constData() + 28), quint16(1));
    QCOMPARE(file.mid(54, 8), QByteArray("\0\0\0\0\xff\xff\xff\0", 8)); // black, white
    QCOMPARE(quint8(file.at(62 + 63 * 32)), quint8(0x7F));     // top row, pixel 0
    QCOMPARE(quint8(file.at(62 + 62 * 32 + 1)), quint8(0xBF)); // row 1, pixel 9
    QCOMPARE(quint8(file.at(62 + 29)), quint8(0xFE));          // bottom row, pixel 239
    // Another decoder reads back exactly the black pixels.
    const QImage decoded = QImage::fromData(file, "BMP").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(decoded.size(), picture.size());
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 240; ++x)
            QCOMPARE(decoded.pixel(x, y) == qRgb(0, 0, 0), picture.pixel(x, y) == qRgb(0, 0, 0));
}

void BitmapLoaderTest::filesFromOtherPrograms_data()
{
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("lcd");
    QTest::addColumn<bool>("walkedAsStored");
    const QString oneBit = QStringLiteral("-threshold 50% -type bilevel BMP3:%F");
    QTest::newRow("ImageMagick one-bit 128x64") << oneBit << QSize(128, 64) << QSize(128, 64) << true;
    QTest::newRow("ImageMagick one-bit 240x64") << oneBit << QSize(240, 64) << QSize(240, 64) << true;
    QTest::newRow("ImageMagick one-bit 320x200") << oneBit << QSize(320, 200) << QSize(320, 200) << true;
    QTest::newRow("PIL one-bit 256x128") << "pil:mono" << QSize(256, 128) << QSize(256, 128) << true;
    QTest::newRow("one-bit, palette white first") << "pil:whitefirst" << QSize(240, 128) << QSize(240, 128) << true;
    QTest::newRow("PIL one-bit of another size") << "pil:mono" << QSize(100, 30) << QSize(128, 64) << false;
    QTest::newRow("V4 header, offset 130") << "-threshold 50% -type bilevel BMP:%F" << QSize(240, 64)
                                           << QSize(240, 64) << false;
    QTest::newRow("8-bit RLE") << "-type palette -compress RLE BMP3:%F" << QSize(128, 64) << QSize(128, 64) << false;
    QTest::newRow("24-bit") << "-type truecolor BMP3:%F" << QSize(256, 64) << QSize(256, 64) << false;
    QTest::newRow("24-bit top-down") << "pil:topdown" << QSize(128, 64) << QSize(128, 64) << false;
    QTest::newRow("PNG, smaller") << "PNG:%F" << QSize(100, 40) << QSize(240, 64) << false;
    QTest::newRow("PNG, larger: clipped") << "PNG:%F" << QSize(400, 300) << QSize(320, 200) << false;
    QTest::newRow("GIF") << "GIF:%F" << QSize(128, 128) << QSize(128, 128) << false;
    QTest::newRow("JPEG") << "-quality 100 -sampling-factor 1x1 JPEG:%F" << QSize(128, 32) << QSize(128, 32)
                          << false;
}

void BitmapLoaderTest::filesFromOtherPrograms()
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
    const int columns = (lcd.width() + 7) / 8;
    for (bool inverted : {true, false}) {
        HexGrid grid;
        const BitmapLoadResult result = BitmapLoader::loadFile(path, lcd, inverted, grid);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.walkedAsStored, walkedAsStored);
        QCOMPARE(result.cellsWritten, lcd.height() * columns);
        QCOMPARE(result.dump.size(), lcd.height() * columns * 2);
        QCOMPARE(result.picture.size(), lcd);
        for (int y = 0; y < lcd.height(); ++y) {
            for (int column = 0; column < columns; ++column) {
                int lit = 0; // black pixels as 1 bits, leftmost pixel in bit 7
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

void BitmapLoaderTest::malformedFilesRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");
    QImage blank(128, 64, QImage::Format_RGB32);
    blank.fill(Qt::white);
    const QByteArray good = MonoBmpWriter::encode(blank);
    const auto patched = [&good](int offset, quint32 value) {
        QByteArray copy = good;
        qToLittleEndian(value, copy.data() + offset);
        return copy;
    };
    // The smallest GIF: one pixel, then the trailer ';'.
    const QByteArray gif = QByteArray::fromHex("474946383961010001008000000000ffffff2c00000000010001000002024401003b");
    QTest::newRow("empty") << QByteArray() << "Unsupported image format";
    QTest::newRow("text") << QByteArray("hello, world\n") << "Unsupported image format";
    QTest::newRow("cut inside the header") << good.left(40) << "ends inside its bitmap header";
    QTest::newRow("cut inside the pixels") << good.left(good.size() - 1) << "truncated";
    QTest::newRow("pixels beyond the end") << patched(10, 5000) << "outside the file";
    QTest::newRow("width 0") << patched(18, 0) << "0 x 64 pixels";
    QTest::newRow("height of a million") << patched(22, 1000000) << "128 x 1000000 pixels";
    QTest::newRow("depth 7") << patched(28, 7) << "7 bits a pixel";
    QTest::newRow("GIF without its trailer") << gif.chopped(1) << "truncated";
    QTest::newRow("JPEG cut short") << qtEncoded(blank, "JPEG").chopped(40) << "truncated";
}

void BitmapLoaderTest::malformedFilesRefused()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    HexGrid grid = filledGrid(QStringLiteral("zz"));
    const BitmapLoadResult result = BitmapLoader::loadData(data, QSize(128, 64), true, grid);
    QVERIFY2(result.error.contains(reason), qPrintable(result.error));
    QVERIFY(result.picture.isNull() && result.dump.isEmpty() && result.cellsWritten == 0);
    QCOMPARE(grid.cell(63, 15), QStringLiteral("zz"));
}

void BitmapLoaderTest::damagedFilesNeverCrash_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("cutAlwaysRefused");
    QImage picture(40, 16, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int i = 0; i < 16; ++i)
        picture.setPixel(i * 2, i, qRgb(0, 0, 0));
    QTest::newRow("one-bit, 62-byte header") << MonoBmpWriter::encode(picture) << true;
    QTest::newRow("24-bit BMP") << qtEncoded(picture.convertToFormat(QImage::Format_RGB888), "BMP") << true;
    QTest::newRow("8-bit BMP") << qtEncoded(picture.convertToFormat(QImage::Format_Indexed8), "BMP") << true;
    QTest::newRow("PNG") << qtEncoded(picture, "PNG") << false; // may end after the last pixel
    QTest::newRow("JPEG") << qtEncoded(picture, "JPEG") << true;
}

void BitmapLoaderTest::damagedFilesNeverCrash()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, cutAlwaysRefused);
    const QSize lcd(40, 16);
    // True when the load either failed cleanly or gave a whole LCD picture.
    const auto check = [&lcd](const QByteArray &damaged, bool *loaded = nullptr) {
        HexGrid grid;
        grid.setCell(0, 0, QStringLiteral("zz"));
        const BitmapLoadResult result = BitmapLoader::loadData(damaged, lcd, true, grid);
        if (loaded)
            *loaded = result.ok();
        if (!result.ok())
            return grid.cell(0, 0) == QStringLiteral("zz") && result.cellsWritten == 0;
        return result.picture.size() == lcd && onlyPureColours(result.picture) && result.dump.size() == 16 * 5 * 2; // five cells a row, padding cells empty
    };
    for (int length = 0; length < data.size(); ++length) {
        bool loaded = false;
        QVERIFY(check(data.left(length), &loaded));
        QVERIFY2(!(loaded && cutAlwaysRefused), qPrintable(QStringLiteral("cut to %1 bytes").arg(length)));
    }
    for (int bit = 0; bit < qMin<int>(data.size(), 140) * 8; ++bit) {
        QByteArray flipped = data;
        flipped[bit / 8] = char(flipped.at(bit / 8) ^ (1 << (bit % 8)));
        QVERIFY2(check(flipped), qPrintable(QStringLiteral("bit %1").arg(bit)));
    }
    QRandomGenerator random(6);
    for (int trial = 0; trial < 300; ++trial) {
        QByteArray damaged = data;
        for (int i = 0; i < 4; ++i)
            damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        QVERIFY(check(damaged));
    }
}

QTEST_MAIN(BitmapLoaderTest)
#include "tst_bitmaploader.moc"
