#include "ProgramRun.h"
#include "logic/export/ArrayFileReader.h"
#include "logic/export/IntelHexTemplate.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

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

// A PNG that ImageMagick and the loader read alike: pure black and white.
QImage testPicture()
{
    QImage image(128, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 128; ++x) {
        image.setPixel(x, (x * 7) % 64, qRgb(0, 0, 0));
        image.setPixel(x, 63 - x / 2, qRgb(0, 0, 0));
    }
    return image;
}

// One byte changed as an editor (or a HEX tool) would change it: in the
// file's own spelling, 0x.. in every text form.
QByteArray withByteChanged(const QByteArray &content, const QString &file, int index)
{
    if (file.endsWith(".bin")) {
        QByteArray changed = content;
        changed[index] = char(changed.at(index) ^ 0x10);
        return changed;
    }
    if (file.endsWith(".hex")) {
        QByteArray bytes = ArrayFileReader::read(content).bytes;
        bytes[index] = char(bytes.at(index) ^ 0x10);
        return IntelHexTemplate::write(bytes, 0x8000, 16);
    }
    static const QRegularExpression hexByte(QStringLiteral("0x([0-9a-fA-F]{2})"));
    QString text = QString::fromUtf8(content);
    auto matches = hexByte.globalMatch(text);
    for (int i = 0; i < index; ++i)
        matches.next();
    const QRegularExpressionMatch match = matches.next();
    const uint value = match.captured(1).toUInt(nullptr, 16) ^ 0x10;
    text.replace(match.capturedStart(1), 2, QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')));
    return text.toUtf8();
}

// What --guess takes for a picture: filled shapes and text, as LCD logos are.
QImage drawing(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(width / 4, height / 2), height / 3, height / 3);
    painter.drawRect(width / 2, height / 8, width / 3, height / 5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(height / 4);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.drawText(QPoint(width / 2, height - 6), QStringLiteral("LCD"));
    return image;
}

} // namespace

// `tavrel convert` with templates, --out and --check, as build scripts use it.
class ConvertExportTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_image = m_dir.filePath("pic.png");
        QVERIFY(testPicture().save(m_image));
        QVERIFY(drawing(240, 64).save(m_dir.filePath("logo240x64.png")));
        QVERIFY(drawing(128, 64).save(m_dir.filePath("logo128x64.png")));
    }

    // Whatever template wrote it, --check finds the conversion's bytes, and
    // a change of one byte names that byte and exits 1.
    void checkCatchesOneByte_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("file");
        QTest::newRow("text, horizontal with its closing 00")
            << QStringList{"--packing", "horizontal", "--format", "0x", "--delimiter", ","} << "pic.txt";
        QTest::newRow("C, PROGMEM, SSD1306") << QStringList{"--profile", "ssd1306", "--template", "c", "--progmem"}
                                             << "pic.h";
        QTest::newRow("XBM from vertical bytes") << QStringList{"--template", "xbm"} << "pic.xbm";
        QTest::newRow("assembler db, MSB at top") << QStringList{"--bit-order", "msb", "--template", "asm"} << "pic.asm";
        QTest::newRow("PIC retlw, columns") << QStringList{"--scan", "columns", "--template", "asm", "--asm", "retlw"}
                                            << "pic.inc";
        QTest::newRow("Intel HEX at 0x8000") << QStringList{"--template", "ihex", "--address", "0x8000"} << "pic.hex";
        QTest::newRow("raw binary") << QStringList{"--profile", "xbm", "--template", "bin"} << "pic.bin";
        // The layout given counts, never the array's name.
        QTest::newRow("C named like XBM") << QStringList{"--profile", "t6963c", "--template", "c", "--name", "logo_bits"}
                                          << "logo.c";
        QTest::newRow("T6963C 6-pixel font mode") << QStringList{"--profile", "t6963c-6px", "--template", "c"} << "six.h";
    }
    void checkCatchesOneByte()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, file);
        const QString path = m_dir.filePath(file);
        const ProgramRun written = runTavrel(QStringList{"convert", m_image, "--out", path} + options);
        QCOMPARE(written.exitCode, 0);
        QCOMPARE(written.out, QByteArray());
        const QStringList layout = options.mid(0, options.indexOf("--template"));
        const ProgramRun same = runTavrel(QStringList{"convert", m_image, "--check", path} + layout);
        QCOMPARE(same.exitCode, 0);
        QVERIFY2(same.out.endsWith("bytes match\n"), same.out.constData());

        QVERIFY(writeBytes(path, withByteChanged(fileBytes(path), file, 99)));
        const ProgramRun differs = runTavrel(QStringList{"convert", m_image, "--check", path} + layout);
        QCOMPARE(differs.exitCode, 1);
        QVERIFY2(differs.err.contains("byte 99 differs"), differs.err.constData());
    }

    // The Done-when pair: ImageMagick's XBM of the picture holds our bytes.
    void imageMagickXbmChecksOut()
    {
        const QString theirs = m_dir.filePath("theirs.xbm");
        const QString convert = QStandardPaths::findExecutable("convert");
        QVERIFY2(!convert.isEmpty(), "ImageMagick is not installed");
        QCOMPARE(QProcess::execute(convert, {m_image, theirs}), 0);
        const ProgramRun check = runTavrel({"convert", m_image, "--check", theirs});
        QCOMPARE(check.exitCode, 0);
        const ProgramRun ours = runTavrel({"convert", m_image, "--template", "xbm", "--name", "theirs"});
        QCOMPARE(ours.exitCode, 0);
        QCOMPARE(ArrayFileReader::read(ours.out).bytes, ArrayFileReader::read(fileBytes(theirs)).bytes);
    }

    // convert, then decode --guess on what it wrote: the best guess's command
    // line, run on the --out picture, makes the same array again.
    void guessReproducesTheArray_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("settings"); // as the first guess names them
        QTest::newRow("C, SSD1306 column by column")
            << QStringList{"logo128x64.png", "--profile", "pcd8544-vertical", "--template", "c"}
            << "128x64, vertical, pages of 8 rows, LSB at top, column by column (ssd1306-vertical, pcd8544-vertical), "
               "the size the file states";
        QTest::newRow("Intel HEX, MSB at top, 240x64")
            << QStringList{"logo240x64.png", "--size", "240x64", "--bit-order", "msb", "--template", "ihex"}
            << "240x64, vertical, pages of 8 rows, MSB at top, page by page";
        QTest::newRow("horizontal text with its closing 00")
            << QStringList{"logo128x64.png", "--packing", "horizontal", "--format", "0x", "--delimiter", ", "}
            << "128x64, horizontal, rows of 8 pixels a byte, MSB at left (t6963c, sed1330, st7920), "
               "the last 00 closing the rows";
    }
    void guessReproducesTheArray()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, settings);
        const QString array = m_dir.filePath("guessed.txt");
        const QString picture = m_dir.filePath(options.takeFirst());
        QCOMPARE(runTavrel(QStringList{"convert", picture, "--out", array} + options).exitCode, 0);
        const QString best = m_dir.filePath("best.png");
        const ProgramRun guess = runTavrel({"decode", "--guess", array, "--out", best});
        QCOMPARE(guess.exitCode, 0);
        const QStringList lines = QString::fromUtf8(guess.out).split('\n');
        QCOMPARE(lines.value(0), QStringLiteral("%1: %2 bytes").arg(array).arg(ArrayFileReader::read(fileBytes(array)).bytes.size()));
        QVERIFY2(lines.value(1).startsWith("1. " + settings + ": "), qPrintable(lines.value(1)));
        QVERIFY2(lines.value(3).startsWith("2. ") && lines.value(5).startsWith("3. "), guess.out.constData());
        // "   tavrel convert best.png --size ...": run it with --check on the array.
        QStringList command = lines.value(2).trimmed().split(' ');
        QCOMPARE(command.mid(0, 3), QStringList({"tavrel", "convert", best}));
        command = command.mid(1);
        const qsizetype form = command.indexOf("--template");
        if (form >= 0)
            command.remove(form, 2);
        const ProgramRun check = runTavrel(command + QStringList{"--check", array});
        QVERIFY2(check.exitCode == 0, check.err.constData());
    }

    // decode draws an array in the layout it was made in.
    void decodeHonoursTheLayout()
    {
        const QString array = m_dir.filePath("columns.h");
        QCOMPARE(runTavrel({"convert", m_image, "--bit-order", "msb", "--scan", "columns", "--template", "c", "--out",
                            array}).exitCode, 0);
        const ProgramRun drawn = runTavrel({"decode", array, "--size", "128x64", "--packing", "vertical",
                                            "--bit-order", "msb", "--scan", "columns", "--out",
                                            m_dir.filePath("drawn.png")});
        QVERIFY2(drawn.exitCode == 0, drawn.err.constData());
        QCOMPARE(QImage(m_dir.filePath("drawn.png")).convertToFormat(QImage::Format_RGB32),
                 testPicture().convertToFormat(QImage::Format_RGB32));
        const ProgramRun usual = runTavrel({"decode", array, "--size", "128x64", "--profile", "ks0108"});
        QCOMPARE(usual.exitCode, 0);
        QVERIFY(usual.out != runTavrel({"decode", array, "--size", "128x64", "--packing", "vertical", "--bit-order",
                                        "msb", "--scan", "columns"}).out);
    }

    void binaryGoesOutWhole()
    {
        const ProgramRun run = runTavrel({"convert", m_image, "--template", "bin", "--size", "320x200"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.size(), 8000);
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("profile and bit order") << QStringList{"--profile", "ks0108", "--bit-order", "msb"}
                                               << "--profile or --bit-order/--scan, not both";
        QTest::newRow("unknown profile") << QStringList{"--profile", "hd44780"} << "unknown profile \"hd44780\"";
        QTest::newRow("profile against packing") << QStringList{"--profile", "xbm", "--packing", "vertical"}
                                                 << "--profile xbm packs horizontally";
        QTest::newRow("columns of rows") << QStringList{"--packing", "horizontal", "--scan", "columns"}
                                         << "--scan columns orders vertical bytes";
        QTest::newRow("bad bit order") << QStringList{"--bit-order", "middle"} << "--bit-order must be msb or lsb";
        QTest::newRow("unknown template") << QStringList{"--template", "png"}
                                          << "--template must be text|c|xbm|bin|ihex|asm, not \"png\"";
        QTest::newRow("zero a line") << QStringList{"--template", "c", "--bytes-per-line", "0"} << "--bytes-per-line";
        QTest::newRow("lines in binary") << QStringList{"--template", "bin", "--bytes-per-line", "8"}
                                         << "--bytes-per-line applies to";
        QTest::newRow("PROGMEM in XBM") << QStringList{"--template", "xbm", "--progmem"}
                                        << "--progmem applies to --template c";
        QTest::newRow("address in C") << QStringList{"--template", "c", "--address", "16"}
                                      << "--address applies to --template ihex";
        QTest::newRow("name no identifier") << QStringList{"--template", "c", "--name", "my-logo"}
                                            << "--name \"my-logo\" is no C identifier";
        QTest::newRow("name a keyword") << QStringList{"--template", "c", "--name", "int"}
                                        << "--name \"int\" is a C or C++ keyword";
        QTest::newRow("name reserved") << QStringList{"--template", "xbm", "--name", "__logo"}
                                       << "--name \"__logo\" is reserved";
        QTest::newRow("address too big") << QStringList{"--template", "ihex", "--address", "0x100000000"}
                                         << "--address must be a number";
        QTest::newRow("check with stream") << QStringList{"--check", "x.h", "--stream"} << "--check takes no";
        QTest::newRow("stream in another order") << QStringList{"--stream", "--bit-order", "msb"}
                                                 << "--stream sends the PIC's own layout";
        QTest::newRow("stream to a template") << QStringList{"--stream", "--template", "c"} << "--stream takes no";
        QTest::newRow("guess with a size") << QStringList{"decode", "--guess", "--size", "128x64"}
                                           << "--guess finds the size and layout itself: no --size";
        QTest::newRow("decode: profile against packing") << QStringList{"decode", "--size", "128x64", "--packing",
                                                                        "horizontal", "--profile", "ks0108"}
                                                         << "--profile ks0108 packs vertically";
    }
    void usageErrors()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        const ProgramRun run = runTavrel(options.first() == "decode" ? options + QStringList{m_image}
                                                                     : QStringList{"convert", m_image} + options);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("no array file") << QStringList{"--check", "/nonexistent/a.h"} << "cannot read /nonexistent/a.h";
        QTest::newRow("unwritable out") << QStringList{"--template", "c", "--out", "/nonexistent/a.h"}
                                        << "cannot write /nonexistent/a.h";
        QTest::newRow("past 4 GiB") << QStringList{"--template", "ihex", "--address", "0xffffff00"}
                                    << "run past the 32-bit address range";
    }
    void failures()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        const ProgramRun run = runTavrel(QStringList{"convert", m_image} + options);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    }

private:
    QTemporaryDir m_dir;
    QString m_image;
};

QTEST_MAIN(ConvertExportTest)
#include "tst_convertexport.moc"
