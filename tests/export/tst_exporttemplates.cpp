#include "logic/convert/ByteMatrix.h"
#include "logic/convert/Conversion.h"
#include "logic/export/ArrayFileReader.h"
#include "logic/export/ExportTemplates.h"
#include "logic/export/IntelHexTemplate.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using Template = ExportOptions::Template;

namespace {

QImage randomPicture(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QRandomGenerator random(seed);
    for (int i = 0; i < width * height / 3; ++i)
        image.setPixel(random.bounded(width), random.bounded(height), qRgb(0, 0, 0));
    return image;
}

ConversionResult converted(const QImage &image, bool horizontal, MatrixLayout::BitOrder order)
{
    const ConversionSettings settings{image.width(), image.height(), {horizontal, order}, {}, {}, {}, {}};
    return Conversion::ofPicture(image, settings);
}

ExportOptions options(Template kind, const QString &name, int bytesPerLine = ExportOptions::DefaultBytesPerLine)
{
    ExportOptions result;
    result.kind = kind;
    result.name = name;
    result.bytesPerLine = bytesPerLine;
    return result;
}

// Runs an outside tool, which must be installed (the test script installs it).
bool runTool(const QString &tool, const QStringList &arguments, QByteArray *out = nullptr)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        qWarning("%s is not installed", qPrintable(tool));
        return false;
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(tool), process.readAllStandardError().constData());
        return false;
    }
    if (out)
        *out = process.readAllStandardOutput();
    return true;
}

// "" when both pictures light the same pixels, else the first that differs.
QString pictureDifference(const QImage &expected, const QImage &actual)
{
    if (expected.size() != actual.size())
        return QStringLiteral("size %1x%2").arg(actual.width()).arg(actual.height());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if ((qGray(expected.pixel(x, y)) < 128) != (qGray(actual.pixel(x, y)) < 128))
                return QStringLiteral("pixel %1,%2").arg(x).arg(y);
    return QString();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// The file forms: golden text for small matrices, and each form judged by
// the tool that reads it (ImageMagick, gcc, objcopy).
class ExportTemplatesTest : public QObject
{
    Q_OBJECT
private slots:
    void cSourceText()
    {
        const QImage image = ByteMatrix::pictureFrom(QByteArray::fromHex("0102030405"), 5, 8, false);
        const QByteArray text = ExportTemplates::render(converted(image, false, MatrixLayout::BitOrder::LsbFirst),
                                                        options(Template::C, "tiny", 2));
        QCOMPARE(text, QByteArray("/* tiny: 5x8 pixels, 5 bytes, vertical, pages of 8 rows, LSB at top, page by page */\n"
                                  "#include <stdint.h>\n\n#define TINY_WIDTH 5\n#define TINY_HEIGHT 8\n\n"
                                  "const uint8_t tiny[5] = {\n    0x01, 0x02,\n    0x03, 0x04,\n    0x05\n};\n"));
    }

    void assemblerText_data()
    {
        QTest::addColumn<int>("directive");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("db, a row a line") << int(ExportOptions::Directive::Db)
                                          << QByteArray("tiny:\n    db 0x80, 0x01\n    db 0xff, 0x00\n");
        QTest::newRow("PIC retlw") << int(ExportOptions::Directive::Retlw)
                                   << QByteArray("tiny\n    retlw 0x80\n    retlw 0x01\n    retlw 0xff\n    retlw 0x00\n");
    }
    void assemblerText()
    {
        QFETCH(int, directive);
        QFETCH(QByteArray, body);
        const QImage image = ByteMatrix::pictureFrom(QByteArray::fromHex("8001ff00"), 16, 2, true);
        ExportOptions asmOptions = options(Template::Assembler, "tiny", ExportOptions::LinePerUnit);
        asmOptions.directive = ExportOptions::Directive(directive);
        const QByteArray text =
            ExportTemplates::render(converted(image, true, MatrixLayout::BitOrder::MsbFirst), asmOptions);
        QCOMPARE(text, "; tiny: 16x2 pixels, 4 bytes, horizontal, rows of 8 pixels a byte, MSB at left\n" + body);
    }

    // Records worked by hand: each one's bytes sum to 0 with its checksum.
    void intelHexRecords_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<quint32>("start");
        QTest::addColumn<int>("perRecord");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("two a record") << QByteArray::fromHex("010203") << quint32(0x10) << 2
                                      << QByteArray(":020010000102EB\n:0100120003EA\n:00000001FF\n");
        QTest::newRow("across 64 KiB") << QByteArray::fromHex("aabbcc") << quint32(0xFFFF) << 16
                                       << QByteArray(":01FFFF00AA57\n:020000040001F9\n:02000000BBCC77\n:00000001FF\n");
        QTest::newRow("above 64 KiB") << QByteArray::fromHex("00") << quint32(0x20000) << 16
                                      << QByteArray(":020000040002F8\n:0100000000FF\n:00000001FF\n");
    }
    void intelHexRecords()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(quint32, start);
        QFETCH(int, perRecord);
        QFETCH(QByteArray, expected);
        QCOMPARE(IntelHexTemplate::write(bytes, start, perRecord), expected);
        QCOMPARE(ArrayFileReader::readIntelHex(expected).bytes, bytes);
    }

    void problems_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bytesPerLine");
        QTest::addColumn<quint32>("start");
        QTest::addColumn<bool>("fine");
        const int c = int(Template::C);
        const int hex = int(Template::IntelHex);
        QTest::newRow("fine") << c << "_logo2" << 255 << quint32(0) << true;
        QTest::newRow("digit first") << c << "2logo" << 16 << quint32(0) << false;
        QTest::newRow("blank inside") << int(Template::Xbm) << "my logo" << 16 << quint32(0) << false;
        QTest::newRow("a HEX file names nothing") << hex << "my logo" << 16 << quint32(0) << true;
        QTest::newRow("line too long") << c << "logo" << 256 << quint32(0) << false;
        QTest::newRow("past 4 GiB") << hex << "logo" << 16 << quint32(0xFFFFFFF0) << false;
        QTest::newRow("to the last byte") << hex << "logo" << 16 << quint32(0xFFFFFC00) << true;
    }
    void problems()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(int, bytesPerLine);
        QFETCH(quint32, start);
        QFETCH(bool, fine);
        ExportOptions chosen = options(Template(kind), name, bytesPerLine);
        chosen.startAddress = start;
        const ConversionResult matrix = converted(randomPicture(128, 64, 1), false, MatrixLayout::BitOrder::LsbFirst);
        QCOMPARE(ExportTemplates::problem(matrix, chosen).isEmpty(), fine);
    }

    // ImageMagick's XBM of a picture holds our XBM's bytes, and ImageMagick
    // reads ours back as the same picture, whatever layout was converted.
    void xbmMatchesImageMagick_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("order");
        QTest::newRow("vertical, repacked") << false << int(MatrixLayout::BitOrder::LsbFirst);
        QTest::newRow("horizontal MSB left, repacked") << true << int(MatrixLayout::BitOrder::MsbFirst);
        QTest::newRow("horizontal LSB left, as converted") << true << int(MatrixLayout::BitOrder::LsbFirst);
    }
    void xbmMatchesImageMagick()
    {
        QFETCH(bool, horizontal);
        QFETCH(int, order);
        QTemporaryDir dir;
        const QImage image = randomPicture(128, 64, 5);
        QVERIFY(image.save(dir.filePath("pic.png")));
        QByteArray theirs;
        QVERIFY(runTool("convert", {dir.filePath("pic.png"), "xbm:-"}, &theirs));
        const ConversionResult matrix = converted(image, horizontal, MatrixLayout::BitOrder(order));
        const QByteArray ours = ExportTemplates::render(matrix, options(Template::Xbm, "pic"));
        QCOMPARE(ArrayFileReader::read(ours).form, ArrayFileReader::Form::Xbm);
        QCOMPARE(ArrayFileReader::read(ours).bytes, ArrayFileReader::read(theirs).bytes);
        QVERIFY(writeBytes(dir.filePath("ours.xbm"), ours));
        QVERIFY(runTool("convert", {dir.filePath("ours.xbm"), dir.filePath("back.png")}));
        QCOMPARE(pictureDifference(image, QImage(dir.filePath("back.png"))), QString());
    }

    // The C template compiles without a warning into a program that prints
    // the conversion's bytes, PROGMEM or not, and so does our XBM.
    void cSourceCompiles_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("progmem");
        QTest::addColumn<int>("bytesPerLine");
        QTest::newRow("C, 16 a line") << int(Template::C) << false << int(ExportOptions::DefaultBytesPerLine);
        QTest::newRow("C, PROGMEM, a page a line") << int(Template::C) << true << int(ExportOptions::LinePerUnit);
        QTest::newRow("XBM") << int(Template::Xbm) << false << int(ExportOptions::DefaultBytesPerLine);
    }
    void cSourceCompiles()
    {
        QFETCH(int, kind);
        QFETCH(bool, progmem);
        QFETCH(int, bytesPerLine);
        QTemporaryDir dir;
        const ConversionResult matrix = converted(randomPicture(128, 64, 9), false, MatrixLayout::BitOrder::LsbFirst);
        ExportOptions cOptions = options(Template(kind), "logo", bytesPerLine);
        cOptions.progmem = progmem;
        QVERIFY(writeBytes(dir.filePath("logo.h"), ExportTemplates::render(matrix, cOptions)));
        const bool xbm = kind == int(Template::Xbm);
        const QByteArray main = QByteArray("#include <stdio.h>\n#include \"logo.h\"\n") +
            (xbm ? "#define BYTES logo_bits\n" : "#define BYTES logo\n") +
            "int main(void)\n{\n    for (unsigned i = 0; i < sizeof BYTES; ++i)\n"
            "        printf(\"%02x\", (unsigned)BYTES[i]);\n    return 0;\n}\n";
        QVERIFY(writeBytes(dir.filePath("main.c"), main));
        QVERIFY(runTool("gcc", {"-std=c99", "-Wall", "-Wextra", "-Werror", "-pedantic", dir.filePath("main.c"), "-o",
                                dir.filePath("main")}));
        QByteArray printed;
        QVERIFY(runTool(dir.filePath("main"), {}, &printed));
        const QByteArray expected = xbm ? ArrayFileReader::read(ExportTemplates::render(matrix, cOptions)).bytes
                                        : matrix.bytes;
        QCOMPARE(printed, expected.toHex());
    }

    // objcopy turns our Intel HEX into the raw binary byte for byte.
    void intelHexMatchesBinary_data()
    {
        QTest::addColumn<quint32>("start");
        QTest::newRow("at 0") << quint32(0);
        QTest::newRow("across 64 KiB") << quint32(0xFC00);
    }
    void intelHexMatchesBinary()
    {
        QFETCH(quint32, start);
        QTemporaryDir dir;
        const ConversionResult matrix = converted(randomPicture(320, 200, 3), false, MatrixLayout::BitOrder::MsbFirst);
        ExportOptions hexOptions = options(Template::IntelHex, "logo");
        hexOptions.startAddress = start;
        QVERIFY(writeBytes(dir.filePath("logo.hex"), ExportTemplates::render(matrix, hexOptions)));
        QVERIFY(runTool("objcopy", {"-I", "ihex", "-O", "binary", dir.filePath("logo.hex"), dir.filePath("logo.bin")}));
        QCOMPARE(fileBytes(dir.filePath("logo.bin")), ExportTemplates::render(matrix, options(Template::Binary, "logo")));
        QCOMPARE(matrix.bytes.size(), 8000);
    }
};

QTEST_GUILESS_MAIN(ExportTemplatesTest)
#include "tst_exporttemplates.moc"
