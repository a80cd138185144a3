#include "FormLookup.h"
#include "MessageRecorder.h"
#include "PseudoTerminal.h"
#include "ui/CommonDialog.h"
#include "app/MainWindow.h"
#include "canvas/MonoBmpWriter.h"
#include "canvas/PenStroke.h"
#include "canvas/PixelCanvas.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run tavrel(const QStringList &arguments, int timeoutMs = 10000)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // subcommands need no display at all
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("TAVREL_BINARY"), arguments);
    Run run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// A picture with something in every page and byte column: a frame, a
// diagonal and a filled block.
QImage testPicture(int width, int height)
{
    QImage picture = PenStroke::blank(width, height);
    const QRgb black = qRgb(0, 0, 0);
    PenStroke::line(picture, QPoint(0, 0), QPoint(width - 1, 0), 1, black);
    PenStroke::line(picture, QPoint(0, 0), QPoint(0, height - 1), 1, black);
    PenStroke::line(picture, QPoint(0, height - 1), QPoint(width - 1, 0), 1, black);
    PenStroke::stamp(picture, QPoint(width / 2, height / 2), 10, black);
    return picture;
}

QString writeBmp(const QTemporaryDir &dir, const QImage &picture)
{
    const QString path = dir.filePath(QStringLiteral("p%1x%2.bmp").arg(picture.width()).arg(picture.height()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(MonoBmpWriter::encode(picture));
    return path;
}

// What the window shows in Text3 after Load, Convert (and Reformat).
struct WindowSettings
{
    QString size, packing;
    bool inverted = true;
    QString header, footer, format, delimiter;
};

QString windowOutput(const QString &file, const WindowSettings &settings, bool reformat)
{
    MessageRecorder messages;
    MainWindow window;
    QWidget *form = &window;
    for (QRadioButton *option : form->findChildren<QRadioButton *>())
        if (option->objectName().startsWith("optgrf_") && option->accessibleName() == settings.size)
            option->click();
    control<QCheckBox>(form, "chkinvert")->setChecked(settings.inverted);
    CommonDialog::setAnswerer([file](CommonDialog &, CommonDialog::Mode) { return file; });
    control<QAbstractButton>(form, "Command10")->click();
    CommonDialog::setAnswerer({});
    control<QAbstractButton>(form, settings.packing == "vertical" ? "Option2_0" : "Option2_1")->click();
    control<QLineEdit>(form, "txthead")->setText(settings.header);
    control<QLineEdit>(form, "txtfoot")->setText(settings.footer);
    control<QLineEdit>(form, "txtfrmt")->setText(settings.format);
    control<QLineEdit>(form, "txtDelim")->setText(settings.delimiter);
    control<QAbstractButton>(form, "Command9")->click();
    if (reformat)
        control<QAbstractButton>(form, "Command15")->click();
    return control<QPlainTextEdit>(form, "Text3")->toPlainText();
}

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void convertMatchesWindow_data();
    void convertMatchesWindow();
    void streamMatchesWindow_data();
    void streamMatchesWindow();
    void sendDeliversStreamWithPauses();
    void anySizeAndImportOptions_data();
    void anySizeAndImportOptions();
    void usageAndFailures_data();
    void usageAndFailures();

private:
    QTemporaryDir m_dir;
};

void CommandLineTest::initTestCase()
{
    QVERIFY(QFileInfo(qEnvironmentVariable("TAVREL_BINARY")).isExecutable());
    QVERIFY(m_dir.isValid());
}

void CommandLineTest::convertMatchesWindow_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("packing");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<QStringList>("format"); // header, footer, format, delimiter
    const QStringList none = {"", "", "", ""};
    const QStringList cSource = {"const unsigned char logo[] = {", "};", "0x", ", "};
    QTest::newRow("128x64 vertical") << "128x64" << "vertical" << true << none;
    QTest::newRow("128x64 horizontal") << "128x64" << "horizontal" << true << none;
    QTest::newRow("240x64 horizontal C") << "240x64" << "horizontal" << true << cSource;
    QTest::newRow("320x200 vertical C") << "320x200" << "vertical" << true << cSource;
    QTest::newRow("128x32 horizontal not inverted") << "128x32" << "horizontal" << false << none;
    QTest::newRow("256x128 vertical not inverted") << "256x128" << "vertical" << false << QStringList{"{", "}", "$", ","};
}

void CommandLineTest::convertMatchesWindow()
{
    QFETCH(QString, size);
    QFETCH(QString, packing);
    QFETCH(bool, inverted);
    QFETCH(QStringList, format);
    const QStringList dims = size.split('x');
    const QString file = writeBmp(m_dir, testPicture(dims.at(0).toInt(), dims.at(1).toInt()));
    const WindowSettings settings{size, packing, inverted, format[0], format[1], format[2], format[3]};
    const QString expected = windowOutput(file, settings, false);
    QVERIFY(expected.size() > 100);

    QStringList arguments = {"convert", file, "--size", size, "--packing", packing, "--header", format[0],
                             "--footer", format[1], "--format", format[2], "--delimiter", format[3]};
    if (!inverted)
        arguments << "--no-invert";
    const Run run = tavrel(arguments);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromLatin1(run.out), expected + '\n');
}

void CommandLineTest::streamMatchesWindow_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("packing");
    QTest::newRow("240x64 horizontal") << "240x64" << "horizontal";
    QTest::newRow("128x64 vertical") << "128x64" << "vertical";
}

void CommandLineTest::streamMatchesWindow()
{
    QFETCH(QString, size);
    QFETCH(QString, packing);
    const QStringList dims = size.split('x');
    const QString file = writeBmp(m_dir, testPicture(dims.at(0).toInt(), dims.at(1).toInt()));
    const QString expected = windowOutput(file, WindowSettings{size, packing, true, {}, {}, {}, {}}, true);
    QVERIFY(expected.contains(']'));
    const Run run = tavrel({"convert", "--stream", file, "--size", size, "--packing", packing});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromLatin1(run.out), expected + '\n');

    // EEPROM target: "1", buffer 64 (0x40), address 1024 (0x400), 20 ms (0x14).
    const Run eeprom = tavrel({"convert", "--stream", file, "--size", size, "--buffer", "64", "--pic-delay", "20",
                               "--eeprom", "1024", "--wait", "#"});
    QCOMPARE(eeprom.exitCode, 0);
    QVERIFY2(eeprom.out.startsWith("1400400014*#"), eeprom.out.left(20).constData());
}

void CommandLineTest::sendDeliversStreamWithPauses()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    QByteArray stream = "40200000a*";
    for (int block = 0; block < 6; ++block)
        stream += "]" + QByteArray(32, char('0' + block));
    QFile file(m_dir.filePath("stream.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(stream + '\n'); // as `convert --stream` prints it
    file.close();

    QProcess process;
    process.start(qEnvironmentVariable("TAVREL_BINARY"),
                  {"send", "--port", pty.slavePath(), "--xmit-delay", "30", file.fileName()});
    QVERIFY(process.waitForStarted());
    QByteArray received;
    QList<qint64> gapsBeforeWait;
    QElapsedTimer clock, sinceLast;
    clock.start();
    while (received.size() < stream.size() && clock.elapsed() < 10000) {
        const QByteArray one = pty.readExactly(1, 200);
        if (one.isEmpty())
            continue;
        if (one == "]" && !received.isEmpty())
            gapsBeforeWait << sinceLast.elapsed();
        sinceLast.restart();
        received += one;
    }
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(received, stream);
    QCOMPARE(pty.read(100, 20), QByteArray()); // the line break is not sent
    QCOMPARE(gapsBeforeWait.size(), 6); // after the header and between the blocks
    // 30 ms each. A busy machine may wake the reader late for the byte before
    // a gap, which shortens that gap as seen here: a missing pause still
    // shows as ~0 ms, and short pauses show in the total.
    qint64 total = 0;
    for (qint64 gap : gapsBeforeWait) {
        QVERIFY2(gap >= 15, qPrintable(QString::number(gap)));
        total += gap;
    }
    QVERIFY2(total >= 6 * 30 - 8, qPrintable(QString::number(total)));
}

void CommandLineTest::anySizeAndImportOptions_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expected"); // the start of the output
    QTest::addColumn<int>("length");
    // The picture: 84x48 with a black top-left pixel.
    QTest::newRow("84x48 vertical: 504 bytes") << QStringList{"--size", "84x48"} << "01" << 504 * 2;
    QTest::newRow("84x48 horizontal: 11 bytes a row") << QStringList{"--size", "84x48", "--packing", "horizontal"}
                                                      << "80" << 11 * 48 * 2 + 2;
    QTest::newRow("custom type in the header") << QStringList{"--size", "84x48", "--stream", "--display-type", "4"}
                                               << "42000000a*]01" << -1;
    QTest::newRow("custom type 0 by default") << QStringList{"--size", "84x48", "--stream"} << "02000000a*]" << -1;
    QTest::newRow("the eight keep theirs") << QStringList{"--size", "128x64", "--stream", "--display-type", "3"}
                                           << "32000000a*]" << -1;
    // Turned and mirrored, the pixel lands in another corner; inverted, all but it is lit.
    QTest::newRow("rotate 90: top right") << QStringList{"--size", "48x84", "--rotate", "90", "--packing", "horizontal"}
                                          << "0000000000010000" << -1;
    QTest::newRow("flip h and v: bottom right") << QStringList{"--size", "84x48", "--flip", "h", "--flip", "v"}
                                                << "0000" << 504 * 2;
    QTest::newRow("invert") << QStringList{"--size", "84x48", "--invert"} << "feff" << 504 * 2;
    QTest::newRow("stretched to 168x96") << QStringList{"--size", "168x96", "--place", "stretch"} << "0303" << -1;
    QTest::newRow("centred in 100x64") << QStringList{"--size", "100x64", "--place", "center", "--packing",
                                                      "horizontal"} << QString("00").repeated(13 * 8) << -1;
}

void CommandLineTest::anySizeAndImportOptions()
{
    QFETCH(QStringList, options);
    QFETCH(QString, expected);
    QFETCH(int, length);
    QImage picture = PenStroke::blank(84, 48);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    const QString file = writeBmp(m_dir, picture);
    const Run run = tavrel(QStringList{"convert", file} + options);
    QCOMPARE(run.exitCode, 0);
    const QString out = QString::fromLatin1(run.out).trimmed();
    QVERIFY2(out.startsWith(expected), qPrintable(out.left(40)));
    if (length >= 0)
        QCOMPARE(out.size(), length);
}

void CommandLineTest::usageAndFailures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("convert help") << QStringList{"convert", "--help"} << 0 << QString();
    QTest::newRow("send help") << QStringList{"send", "--help"} << 0 << QString();
    QTest::newRow("no image") << QStringList{"convert"} << 2 << "no IMAGE given";
    QTest::newRow("unknown option") << QStringList{"convert", "x.bmp", "--colour"} << 2 << "colour";
    QTest::newRow("unknown size") << QStringList{"convert", "x.bmp", "--size", "2000x64"} << 2 << "unknown LCD size";
    QTest::newRow("size too small") << QStringList{"convert", "x.bmp", "--size", "7x64"} << 2 << "8x8 to 1024x1024";
    QTest::newRow("bad display type") << QStringList{"convert", "x.bmp", "--size", "84x48", "--display-type", "7"} << 2 << "--display-type";
    QTest::newRow("type of another size") << QStringList{"convert", "x.bmp", "--size", "128x64", "--display-type", "0"} << 2 << "whose type is 3";
    QTest::newRow("bad placement") << QStringList{"convert", "x.bmp", "--place", "tile"} << 2 << "--place";
    QTest::newRow("threshold out of range") << QStringList{"convert", "x.bmp", "--threshold", "256"} << 2 << "--threshold";
    QTest::newRow("bad dither") << QStringList{"convert", "x.bmp", "--dither", "random"} << 2 << "--dither";
    QTest::newRow("bad rotation") << QStringList{"convert", "x.bmp", "--rotate", "45"} << 2 << "--rotate";
    QTest::newRow("bad flip") << QStringList{"convert", "x.bmp", "--flip", "x"} << 2 << "--flip";
    QTest::newRow("bad packing") << QStringList{"convert", "x.bmp", "--packing", "diagonal"} << 2 << "--packing";
    QTest::newRow("bad buffer") << QStringList{"convert", "x.bmp", "--stream", "--buffer", "3"} << 2 << "--buffer";
    QTest::newRow("stream with format") << QStringList{"convert", "x.bmp", "--stream", "--format", "0x"} << 2 << "--format";
    QTest::newRow("unreadable file") << QStringList{"convert", "/nonexistent/logo.bmp"} << 1 << "/nonexistent/logo.bmp";
    QTest::newRow("send without port") << QStringList{"send", "-"} << 2 << "--port";
    QTest::newRow("bad settings") << QStringList{"send", "--port", "/dev/null", "--settings", "fast"} << 2 << "fast";
    QTest::newRow("bad delay") << QStringList{"send", "--port", "/dev/null", "--xmit-delay", "soon"} << 2 << "--xmit-delay";
    QTest::newRow("missing stream file") << QStringList{"send", "--port", "/dev/null", "/nonexistent/s.txt"} << 1 << "/nonexistent/s.txt";
    QTest::newRow("port won't open") << QStringList{"send", "--port", "/dev/ttyNOPE9", "/dev/null"} << 1 << "/dev/ttyNOPE9 does not exist";
}

void CommandLineTest::usageAndFailures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run run = tavrel(arguments);
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 0)
        QVERIFY(run.out.contains("Usage:"));
    else
        QVERIFY2(QString::fromLocal8Bit(run.err).contains(message), run.err.constData());
}

QTEST_MAIN(CommandLineTest)
#include "tst_commandline.moc"
