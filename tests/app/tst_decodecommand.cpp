#include "ProgramRun.h"
#include "TestPicture.h"
#include "logic/canvas/LcdSizes.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

// `tavrel decode` as build scripts run it: the binary itself, fed by
// `tavrel convert` through a pipe.
class DecodeCommandTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void convertThenDecodeGivesThePictureBack_data();
    void convertThenDecodeGivesThePictureBack();
    void printsThePictureAsText();
    void failures_data();
    void failures();
    void listsAndPicksArrays();

private:
    QTemporaryDir m_dir;
};

namespace {

// Noise over a frame and a diagonal: every page and byte column holds both
// lit and unlit pixels.
QImage noisyPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QRandomGenerator random(uint(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool lit = x == 0 || y == 0 || x * height == y * width || random.bounded(100) < 30;
            picture.setPixel(x, y, lit ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    return picture;
}

} // namespace

void DecodeCommandTest::initTestCase()
{
    QVERIFY(QFileInfo(qEnvironmentVariable("TAVREL_BINARY")).isExecutable());
    QVERIFY(m_dir.isValid());
}

void DecodeCommandTest::convertThenDecodeGivesThePictureBack_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("packing");
    QTest::addColumn<bool>("stream");
    for (const LcdSize &size : LcdSizes::all())
        for (const char *packing : {"vertical", "horizontal"})
            for (const bool stream : {false, true})
                QTest::addRow("%s %s%s", size.caption, packing, stream ? " stream" : "")
                    << QString::fromLatin1(size.caption) << QString::fromLatin1(packing) << stream;
}

void DecodeCommandTest::convertThenDecodeGivesThePictureBack()
{
    QFETCH(QString, size);
    QFETCH(QString, packing);
    QFETCH(bool, stream);
    const LcdSize *lcd = LcdSizes::byCaption(size);
    QVERIFY(lcd);
    const QImage picture = noisyPicture(lcd->width, lcd->height);
    QStringList convert = {"convert", writeBmp(m_dir, picture), "--size", size, "--packing", packing};
    if (stream)
        convert << "--stream";
    else
        convert << "--header" << "const unsigned char logo[] = {" << "--footer" << "};" << "--format" << "0x"
                << "--delimiter" << ", ";
    // PNG for some, one-bit BMP for the others.
    const QString back = m_dir.filePath(lcd->index % 2 ? "back.bmp" : "back.png");
    QFile::remove(back);
    QStringList decode = {"decode", "--size", size, "--packing", packing, "--out", back};
    if (stream)
        decode << "--stream";
    const ProgramRun run = runTavrelPipeline(convert, decode);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(differingPixels(QImage(back), picture), 0);
    const QString header = stream ? QStringLiteral("LCD, display type %1, buffer 32, address 0000, PIC delay 10 ms\n")
                                        .arg(QStringLiteral("03403400").at(lcd->index))
                                  : QString();
    QCOMPARE(QString::fromUtf8(run.out), header);
}

void DecodeCommandTest::printsThePictureAsText()
{
    // 128x32 vertical: the first byte 05 lights (0,0) and (0,2).
    const QByteArray text = "{0x05" + QByteArray(", 0x00").repeated(128 * 4 - 1) + "}";
    const ProgramRun run = runTavrel({"decode", "-", "--size", "128x32", "--packing", "vertical"}, {}, text);
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> rows = run.out.split('\n');
    QCOMPARE(rows.size(), 33); // 32 rows, then the empty rest after the last line break
    QCOMPARE(rows.at(0), "#" + QByteArray(127, '.'));
    QCOMPARE(rows.at(1), QByteArray(128, '.'));
    QCOMPARE(rows.at(2), "#" + QByteArray(127, '.'));
}

void DecodeCommandTest::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QStringList lcd = {"--size", "128x32", "--packing", "vertical"};
    const QByteArray good = QByteArray("0x00, ").repeated(128 * 4 - 1) + "0x00";
    QByteArray bad = good;
    bad.replace(60, 4, "0xg0"); // the eleventh byte, column 61
    QTest::newRow("bad token") << QStringList{"decode"} + lcd << bad << 1
                               << "tavrel decode: line 1, column 61: cannot read \"0xg0\" as a byte";
    QTest::newRow("count does not fit") << QStringList{"decode", "--size", "240x64", "--packing", "vertical"} << good
                                        << 1 << "tavrel decode: 512 bytes; 240x64 needs 1920";
    QTest::newRow("horizontal count") << QStringList{"decode", "--size", "240x64", "--packing", "horizontal"} << good
                                      << 1 << "tavrel decode: 512 bytes; 240x64 needs 1921";
    QTest::newRow("not a stream") << QStringList{"decode", "--stream"} + lcd << good << 1
                                  << "tavrel decode: line 1, column 1: no transfer header";
    QTest::newRow("missing file") << QStringList{"decode", "/nonexistent/t.txt"} + lcd << QByteArray() << 1
                                  << "tavrel decode: cannot read /nonexistent/t.txt";
    QTest::newRow("endless input") << QStringList{"decode", "/dev/zero"} + lcd << QByteArray() << 1
                                   << "tavrel decode: /dev/zero holds more than 16 MiB";
    QTest::newRow("unwritable picture") << QStringList{"decode", "--out", "/nonexistent/b.png"} + lcd << good << 1
                                        << "tavrel decode: cannot write /nonexistent/b.png";
    // The report says so on standard output; no guess is a failure all the same.
    QTest::newRow("guess finds no size") << QStringList{"decode", "--guess", "-"} << QByteArray("0x01, 0x02, 0x03")
                                         << 1 << "";
    QTest::newRow("no size") << QStringList{"decode", "--packing", "vertical"} << good << 2
                             << "tavrel decode: --size WxH is required: the file states no size that fits 512 bytes";
    QTest::newRow("size too large") << QStringList{"decode", "--size", "2000x10", "--packing", "vertical"} << good << 2
                                    << "tavrel decode: --size must be WxH from 1x1 to 1024x1024";
    QTest::newRow("no such array") << QStringList{"decode", "--array", "logo"} + lcd << good << 1
                                   << "tavrel decode: no array named \"logo\"";
    QTest::newRow("no packing") << QStringList{"decode", "--size", "128x32"} << good << 2
                                << "tavrel decode: --packing vertical|horizontal is required";
    QTest::newRow("picture type") << QStringList{"decode", "--out", "b.gif"} + lcd << good << 2
                                  << "tavrel decode: --out must name a .png or .bmp file";
    QTest::newRow("two files") << QStringList{"decode", "a", "b"} + lcd << good << 2
                               << "tavrel decode: only one FILE, please";
    QTest::newRow("unknown option") << QStringList{"decode", "--colour"} + lcd << good << 2
                                    << "tavrel decode: Unknown option 'colour'.";
}

void DecodeCommandTest::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QString, message);
    const ProgramRun run = runTavrel(arguments, {}, input);
    QTEST(run.exitCode, "exitCode");
    QVERIFY2(message.isEmpty() ? run.err.isEmpty() : QString::fromUtf8(run.err).startsWith(message), run.err.constData());
}

// Four arrays: --list names them, --array picks each at the size stated beside it.
void DecodeCommandTest::listsAndPicksArrays()
{
    const QByteArray file = "#define B_WIDTH 8\n#define B_HEIGHT 16\n"
                            "const uint8_t a_8x8[] = {" + QByteArray("1,").repeated(8) + "};\n"
                            "const uint8_t b[] PROGMEM = {" + QByteArray("0x02,").repeated(16) + "};\n"
                            "namespace x { MACRO(uint8_t c[]) = { 16, 8," + QByteArray("3,").repeated(16) + "}; }\n"
                            "const uint8_t d[] = {" + QByteArray("'\\x04',").repeated(4) + "};\n";
    const ProgramRun list = runTavrel({"decode", "-", "--list"}, {}, file);
    QCOMPARE(list.exitCode, 0);
    QCOMPARE(QString::fromUtf8(list.out).split('\n', Qt::SkipEmptyParts),
             QStringList({"a_8x8 (line 3): 8 bytes; sizes stated: 8x8 (the name a_8x8)",
                          "b (line 4): 16 bytes; sizes stated: 8x16 (B_WIDTH 8, B_HEIGHT 16)",
                          "c (line 5): 18 bytes; sizes stated: 16x8 (its first two bytes)", "d (line 6): 4 bytes"}));
    for (const char *name : {"a_8x8", "b", "c"}) {
        const ProgramRun picked = runTavrel({"decode", "-", "--array", name, "--packing", "vertical"}, {}, file);
        QVERIFY2(picked.exitCode == 0, picked.err.constData());
        QVERIFY2(picked.err.contains(" from "), picked.err.constData()); // names the size it took
    }
    const ProgramRun first = runTavrel({"decode", "-", "--size", "8x8", "--packing", "vertical"}, {}, file);
    QCOMPARE(first.exitCode, 0);
    QVERIFY2(first.err.contains("holds 4 arrays; reading a_8x8 (--array NAME picks another: b, c, d)"),
             first.err.constData());
}

QTEST_MAIN(DecodeCommandTest)
#include "tst_decodecommand.moc"
