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
    QTest::newRow("no size") << QStringList{"decode", "--packing", "vertical"} << good << 2
                             << "tavrel decode: --size WxH is required";
    QTest::newRow("unknown size") << QStringList{"decode", "--size", "100x10", "--packing", "vertical"} << good << 2
                                  << "tavrel decode: unknown LCD size \"100x10\"";
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
    QVERIFY2(QString::fromUtf8(run.err).startsWith(message), run.err.constData());
}

QTEST_MAIN(DecodeCommandTest)
#include "tst_decodecommand.moc"
