#include "FifoWriter.h"
#include "widgets/ui/ControlNames.h"
#include "FormLookup.h"
#include "MessageRecorder.h"
#include "ProgramRun.h"
#include "PseudoTerminal.h"
#include "TestPicture.h"
#include "widgets/ui/FileAndFontPrompts.h"
#include "logic/core/AppVersion.h"
#include "gui/MainWindow.h"
#include "cli/SendCommand.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/canvas/MonoBmpWriter.h"
#include "logic/canvas/PenStroke.h"
#include "widgets/canvas/PixelCanvas.h"
#include "logic/serial/CommPort.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Run = ProgramRun;

// Reading all of /dev/zero once took 2.9 GB; with this limit it aborts.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool addressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool addressSanitizer = true;
#else
constexpr bool addressSanitizer = false;
#endif
#else
constexpr bool addressSanitizer = false;
#endif

// AddressSanitizer reserves terabytes of address space: under it the bound
// is judged by the "too large" answer alone, without a memory limit.
void limitMemory(QProcess &process)
{
    if (addressSanitizer)
        return;
    process.setChildProcessModifier([] {
        const struct rlimit limit = {1L << 30, 1L << 30};
        ::setrlimit(RLIMIT_AS, &limit);
    });
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}



// What the window shows in outputWindow after Load, Convert (and Reformat).
struct WindowSettings
{
    QString size, packing;
    bool inverted = true;
    QString header, footer, format, delimiter;
    QStringList layout = {}; // items of Profile and Order; none leaves them as they are
};

void chooseLayout(QWidget *form, const QStringList &items)
{
    const char *boxes[] = {ControlNames::profileBox, ControlNames::orderBox};
    for (int i = 0; i < items.size(); ++i) {
        auto *box = control<QComboBox>(form, QLatin1String(boxes[i]));
        QVERIFY(box);
        box->setCurrentIndex(box->findText(items.at(i)));
        QCOMPARE(box->currentText(), items.at(i));
    }
}

QString windowOutput(const QString &file, const WindowSettings &settings, bool reformat)
{
    MessageRecorder messages;
    MainWindow window;
    QWidget *form = &window;
    for (int index = 0; index <= LcdSizes::CustomIndex; ++index)
        if (auto *option = control<QRadioButton>(form, ControlNames::lcdSizeOption(index));
            option && option->accessibleName() == settings.size)
            option->click();
    auto *invertedCheck = control<QCheckBox>(form, ControlNames::invertedCheck);
    if (!invertedCheck)
        return {};
    invertedCheck->setChecked(settings.inverted);
    FileAndFontPrompts::setAnswerer([file](FileAndFontPrompts &, FileAndFontPrompts::Mode) { return file; });
    auto *loadPictureButton = control<QAbstractButton>(form, ControlNames::loadPictureButton);
    if (!loadPictureButton)
        return {};
    loadPictureButton->click();
    FileAndFontPrompts::setAnswerer({});
    auto *abstractButton = control<QAbstractButton>(form, settings.packing == "vertical" ? ControlNames::verticalOption : ControlNames::horizontalOption);
    if (!abstractButton)
        return {};
    abstractButton->click();
    chooseLayout(form, settings.layout);
    auto *headerBox = control<QLineEdit>(form, ControlNames::headerBox);
    if (!headerBox)
        return {};
    headerBox->setText(settings.header);
    auto *footerBox = control<QLineEdit>(form, ControlNames::footerBox);
    if (!footerBox)
        return {};
    footerBox->setText(settings.footer);
    auto *formatBox = control<QLineEdit>(form, ControlNames::formatBox);
    if (!formatBox)
        return {};
    formatBox->setText(settings.format);
    auto *delimiterBox = control<QLineEdit>(form, ControlNames::delimiterBox);
    if (!delimiterBox)
        return {};
    delimiterBox->setText(settings.delimiter);
    auto *convertButton = control<QAbstractButton>(form, ControlNames::convertButton);
    if (!convertButton)
        return {};
    convertButton->click();
    auto *reformatButton = control<QAbstractButton>(form, ControlNames::reformatButton);
    auto *outputWindow = control<QPlainTextEdit>(form, ControlNames::outputWindow);
    if (!reformatButton || !outputWindow)
        return {};
    if (reformat)
        reformatButton->click();
    return outputWindow->toPlainText();
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
    void typeCharacterFollowsSize_data();
    void typeCharacterFollowsSize();
    void sendEmptyStream_data();
    void sendEmptyStream();
    void transmitEndsAtOnce_data();
    void transmitEndsAtOnce();
    void outputFailures_data();
    void outputFailures();
    void boundedReads_data();
    void boundedReads();
    void sendOnlyLatin1_data();
    void sendOnlyLatin1();
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
    void sendRelativePort();
    void sendNamesVanishedDevice();

private:
    // Replaces the placeholders IMAGE and STREAM by files made for the test.
    QStringList withFiles(QStringList arguments) const;

    QTemporaryDir m_dir;
    QString m_image;  // a 128x64 picture
    QString m_stream; // a short stream, as `convert --stream` prints it
};

void CommandLineTest::initTestCase()
{
    QVERIFY(QFileInfo(qEnvironmentVariable("TAVREL_BINARY")).isExecutable());
    QVERIFY(m_dir.isValid());
    m_image = writeBmp(m_dir, framedPicture(128, 64));
    m_stream = writeFile(m_dir, QStringLiteral("short.txt"), "40200000a*]0011\n");
}

QStringList CommandLineTest::withFiles(QStringList arguments) const
{
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^IMAGE$")), m_image);
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^STREAM$")), m_stream);
    return arguments;
}

void CommandLineTest::convertMatchesWindow_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("packing");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<QStringList>("format"); // header, footer, format, delimiter
    QTest::addColumn<QStringList>("layout");  // the window's Profile and Order
    QTest::addColumn<QStringList>("layoutOptions");
    const QStringList none = {"", "", "", ""};
    const QStringList cSource = {"const unsigned char logo[] = {", "};", "0x", ", "};
    QTest::newRow("128x64 vertical") << "128x64" << "vertical" << true << none << QStringList() << QStringList();
    QTest::newRow("128x64 horizontal") << "128x64" << "horizontal" << true << none << QStringList() << QStringList();
    QTest::newRow("240x64 horizontal C") << "240x64" << "horizontal" << true << cSource << QStringList() << QStringList();
    QTest::newRow("320x200 vertical C") << "320x200" << "vertical" << true << cSource << QStringList() << QStringList();
    QTest::newRow("128x32 horizontal not inverted") << "128x32" << "horizontal" << false << none << QStringList()
                                                    << QStringList();
    QTest::newRow("256x128 vertical not inverted") << "256x128" << "vertical" << false << QStringList{"{", "}", "$", ","}
                                                   << QStringList() << QStringList();
    // Profiles and custom orders, the window's and the command line's.
    QTest::newRow("SSD1306 vertical addressing") << "128x64" << "vertical" << true << none
                                                 << QStringList{"SSD1306, PCD8544 vertical addressing"}
                                                 << QStringList{"--profile", "ssd1306-vertical"};
    QTest::newRow("XBM profile, file bytes mirrored") << "240x64" << "horizontal" << true << cSource
                                                      << QStringList{"XBM, LSB at left"}
                                                      << QStringList{"--profile", "xbm"};
    QTest::newRow("custom MSB at top, columns") << "128x32" << "vertical" << true << none
                                                << QStringList{"Custom", "MSB at top, column by column"}
                                                << QStringList{"--bit-order", "msb", "--scan", "columns"};
    QTest::newRow("custom LSB at left, not inverted") << "128x64" << "horizontal" << false << none
                                                      << QStringList{"Custom", "LSB at left"}
                                                      << QStringList{"--bit-order", "lsb"};
}

void CommandLineTest::convertMatchesWindow()
{
    QFETCH(QString, size);
    QFETCH(QString, packing);
    QFETCH(bool, inverted);
    QFETCH(QStringList, format);
    QFETCH(QStringList, layout);
    QFETCH(QStringList, layoutOptions);
    const QStringList dims = size.split('x');
    const QString file = writeBmp(m_dir, framedPicture(dims.at(0).toInt(), dims.at(1).toInt()));
    const WindowSettings settings{size, packing, inverted, format[0], format[1], format[2], format[3], layout};
    const QString expected = windowOutput(file, settings, false);
    QVERIFY(expected.size() > 100);

    QStringList arguments = {"convert", file, "--size", size, "--packing", packing, "--header", format[0],
                             "--footer", format[1], "--format", format[2], "--delimiter", format[3]};
    arguments << layoutOptions;
    if (!inverted)
        arguments << "--no-invert";
    const Run run = runTavrel(arguments);
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
    const QString file = writeBmp(m_dir, framedPicture(dims.at(0).toInt(), dims.at(1).toInt()));
    const QString expected = windowOutput(file, WindowSettings{size, packing, true, {}, {}, {}, {}}, true);
    QVERIFY(expected.contains(']'));
    const Run run = runTavrel({"convert", "--stream", file, "--size", size, "--packing", packing});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromLatin1(run.out), expected + '\n');

    // EEPROM target: "1", buffer 64 (0x40), address 1024 (0x400), 20 ms (0x14).
    const Run eeprom = runTavrel({"convert", "--stream", file, "--size", size, "--buffer", "64", "--pic-delay", "20",
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
    // a gap, which shortens that gap as seen here (and the millisecond clock
    // drops the fraction): a missing pause still shows as ~0 ms, and pauses
    // cut short show in the total.
    qint64 total = 0;
    for (qint64 gap : gapsBeforeWait) {
        QVERIFY2(gap >= 15, qPrintable(QString::number(gap)));
        total += gap;
    }
    QVERIFY2(total >= 6 * 30 - 20, qPrintable(QString::number(total)));
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
    const Run run = runTavrel(QStringList{"convert", file} + options);
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
    QTest::newRow("port won't open") << QStringList{"send", "--port", "/dev/ttyNOPE9", "STREAM"} << 1 << "/dev/ttyNOPE9 does not exist";
    // The window's own message for any address it cannot send.
    const QString address = QStringLiteral("EEPROM start address must be a whole number from 0 to 65535");
    QTest::newRow("empty address") << QStringList{"convert", "x.bmp", "--stream", "--eeprom", ""} << 2 << address;
    QTest::newRow("word as address") << QStringList{"convert", "x.bmp", "--stream", "--eeprom", "abc"} << 2 << address;
    QTest::newRow("address above 65535") << QStringList{"convert", "x.bmp", "--eeprom", "65536"} << 2 << address;
    // The window takes no words and no unknown options.
    QTest::newRow("mistyped command") << QStringList{"conver", "x.bmp"} << 2 << "unknown command \"conver\"";
    QTest::newRow("unknown program option") << QStringList{"-x"} << 2 << "Unknown option 'x'";
    QTest::newRow("bad --com") << QStringList{"--com", "9=/dev/x"} << 2 << "--com 9=/dev/x";
    // Device and file named once each, in words a user can act on.
    QTest::newRow("not a serial device") << QStringList{"send", "--port", "/dev/null", "STREAM"} << 1
                                         << "/dev/null is not a serial device";
    QTest::newRow("folder as port") << QStringList{"send", "--port", "/tmp", "STREAM"} << 1 << "/tmp is not a serial device";
    QTest::newRow("not a picture") << QStringList{"convert", "STREAM"} << 1 << "short.txt";
}

void CommandLineTest::usageAndFailures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run run = runTavrel(withFiles(arguments));
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 0) {
        QVERIFY(run.out.contains("Usage:"));
        return;
    }
    // Said once: "cannot load x: Cannot open x: ..." repeated the file name.
    QVERIFY2(QString::fromLocal8Bit(run.err).count(message) == 1, run.err.constData());
}

void CommandLineTest::typeCharacterFollowsSize_data()
{
    // The header's first character tells the PIC the LCD type of the size chosen.
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("header");
    QTest::newRow("240x64") << "240x64" << "02000000a*";
    QTest::newRow("128x64") << "128x64" << "32000000a*";
    QTest::newRow("128x32") << "128x32" << "42000000a*";
    QTest::newRow("256x128") << "256x128" << "02000000a*";
    QTest::newRow("240x128") << "240x128" << "32000000a*";
    QTest::newRow("128x128") << "128x128" << "42000000a*";
    QTest::newRow("256x64") << "256x64" << "02000000a*";
    QTest::newRow("320x200") << "320x200" << "02000000a*";
}

void CommandLineTest::typeCharacterFollowsSize()
{
    QFETCH(QString, size);
    QFETCH(QString, header);
    const Run run = runTavrel({"convert", "--stream", m_image, "--size", size});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromLatin1(run.out.left(11)), header + ']');
}

void CommandLineTest::sendEmptyStream_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("fromStandardInput");
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("line break only") << QByteArray("\n") << false;
    QTest::newRow("CR LF only") << QByteArray("\r\n") << false;
    QTest::newRow("empty standard input") << QByteArray() << true;
}

void CommandLineTest::sendEmptyStream()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, fromStandardInput);
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    const QString file = fromStandardInput ? QStringLiteral("-") : writeFile(m_dir, QStringLiteral("empty.txt"), content);
    const Run run = runTavrel({"send", "--port", pty.slavePath(), file}, {}, content, 5000); // it used to hang
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains("nothing to send"), run.err.constData());
    QCOMPARE(pty.read(100, 20), QByteArray());
}

void CommandLineTest::transmitEndsAtOnce_data()
{
    // Each of these ends inside the sender's start, before any event loop runs.
    QTest::addColumn<QString>("port"); // how the port is open
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("nothing to send") << "read-write" << QByteArray() << 0;
    QTest::newRow("first write refused") << "read-only" << QByteArray("40200000a*]00") << 1;
    QTest::newRow("port not open") << "closed" << QByteArray("40200000a*]00") << 1;
}

void CommandLineTest::transmitEndsAtOnce()
{
    QFETCH(QString, port);
    QFETCH(QByteArray, bytes);
    QFETCH(int, exitCode);
    PseudoTerminal pty;
    PortAssignments devices;
    devices.setDevice(1, pty.slavePath());
    CommPort commPort(devices);
    if (port == QLatin1String("read-write"))
        QVERIFY(commPort.setPortOpen(true));
    if (port == QLatin1String("read-only")) {
        commPort.serialPort()->setPortName(pty.slavePath());
        QVERIFY(commPort.serialPort()->open(QIODevice::ReadOnly));
    }
    // A send that missed its own end would wait for this, 3 s late.
    QTimer::singleShot(3000, commPort.serialPort(), [&commPort] { commPort.serialPort()->close(); });
    QElapsedTimer clock;
    clock.start();
    if (port == QLatin1String("read-only"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("ReadOnly device")));
    QCOMPARE(SendCommand::transmit(commPort, bytes, ']', 5), exitCode);
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

void CommandLineTest::outputFailures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output"); // standard output: "full": /dev/full, "closed": closed by the caller
    QTest::newRow("convert into a full disk") << QStringList{"convert", "IMAGE"} << "full";
    QTest::newRow("convert with stdout closed") << QStringList{"convert", "IMAGE"} << "closed";
    QTest::newRow("stream into a full disk") << QStringList{"convert", "--stream", "IMAGE"} << "full";
    QTest::newRow("version with stdout closed") << QStringList{"--version"} << "closed";
    QTest::newRow("help into a full disk") << QStringList{"send", "--help"} << "full";
}

void CommandLineTest::outputFailures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    const Run run = runTavrel(withFiles(arguments), [output](QProcess &process) {
        if (output == QLatin1String("full"))
            process.setStandardOutputFile(QStringLiteral("/dev/full"));
        else
            process.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
    });
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("cannot write to standard output"), run.err.constData());
}

void CommandLineTest::boundedReads_data()
{
    // Devices and FIFOs report size 0: only counting what was read bounds them.
    QTest::addColumn<QStringList>("arguments"); // FIFO and BIG stand for the files below
    QTest::addColumn<qint64>("fifoBytes");
    QTest::addColumn<QString>("standardInput");
    const QStringList send = {"send", "--port", "/dev/null"};
    QTest::newRow("convert /dev/zero") << QStringList{"convert", "/dev/zero"} << qint64(0) << QString();
    QTest::newRow("convert a FIFO of 70 MB") << QStringList{"convert", "FIFO"} << qint64(70'000'000) << QString();
    QTest::newRow("send /dev/zero") << send + QStringList{"/dev/zero"} << qint64(0) << QString();
    QTest::newRow("send a FIFO of 2 MB") << send + QStringList{"FIFO"} << qint64(2'000'000) << QString();
    QTest::newRow("send a file of 2 MB") << send + QStringList{"BIG"} << qint64(0) << QString();
    QTest::newRow("send - from /dev/zero") << send + QStringList{"-"} << qint64(0) << "/dev/zero";
}

void CommandLineTest::boundedReads()
{
    QFETCH(QStringList, arguments);
    QFETCH(qint64, fifoBytes);
    QFETCH(QString, standardInput);
    std::unique_ptr<FifoWriter> fifo;
    if (fifoBytes > 0) {
        fifo = std::make_unique<FifoWriter>(m_dir.filePath(QStringLiteral("fifo")), fifoBytes);
        QVERIFY(fifo->isValid());
        arguments.replaceInStrings(QRegularExpression(QStringLiteral("^FIFO$")), fifo->path());
    }
    const QString big = writeFile(m_dir, QStringLiteral("big.txt"), QByteArray(2'000'000, '0'));
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^BIG$")), big);
    const Run run = runTavrel(arguments, [standardInput](QProcess &process) {
        limitMemory(process);
        if (!standardInput.isEmpty())
            process.setStandardInputFile(standardInput);
    });
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("too large"), run.err.constData());
}

void CommandLineTest::sendOnlyLatin1_data()
{
    // Standard input is UTF-8 text (Latin-1 when it is not valid UTF-8); each
    // character goes out as its Latin-1 byte, or nothing goes out at all.
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("euro sign refused") << QByteArray("40200000a*]00\xe2\x82\xac") << QByteArray() << 1;
    QTest::newRow("UTF-8 e acute") << QByteArray("]caf\xc3\xa9") << QByteArray("]caf\xe9") << 0;
    QTest::newRow("Latin-1 bytes") << QByteArray("]caf\xe9\xff") << QByteArray("]caf\xe9\xff") << 0;
}

void CommandLineTest::sendOnlyLatin1()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, sent);
    QFETCH(int, exitCode);
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    const Run run = runTavrel({"send", "--port", pty.slavePath(), "--xmit-delay", "0", "-"}, {}, input);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(pty.read(200, 50), sent);
    if (exitCode != 0)
        QVERIFY2(QString::fromUtf8(run.err).contains(QStringLiteral("\u20ac")), run.err.constData());
}

void CommandLineTest::answersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("said"); // every one of these in standard output
    const QString version = QStringLiteral("tavrel %1\n").arg(QLatin1String(AppVersion::text));
    QTest::newRow("version") << QStringList{"--version"} << QStringList{version};
    QTest::newRow("help lists the commands") << QStringList{"--help"}
                                             << QStringList{"Usage: tavrel", "\n  convert ", "\n  send ", "--com"};
    QTest::newRow("convert states its defaults") << QStringList{"convert", "-h"}
                                                 << QStringList{"default 128x64; the window starts at 240x64",
                                                                "the window starts with horizontal", "(default 32)"};
    QTest::newRow("send states its defaults") << QStringList{"send", "--help"}
                                              << QStringList{"(default 19200,n,8,1)", "(default 5)",
                                                             "defaults are those the window starts with"};
}

void CommandLineTest::answersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, said);
    const Run run = runTavrel(arguments); // with neither DISPLAY nor QT_QPA_PLATFORM
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    const QString out = QString::fromUtf8(run.out).simplified(); // help lines wrap anywhere
    for (const QString &words : said)
        QVERIFY2(out.contains(words.simplified()), qPrintable(words));
    if (arguments == QStringList{"--version"})
        QCOMPARE(QString::fromUtf8(run.out), said.first());
}

void CommandLineTest::sendRelativePort()
{
    // "lcd" beside the working directory, as a udev rule or a script might name it.
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    QTemporaryDir here;
    QVERIFY(QFile::link(pty.slavePath(), here.filePath(QStringLiteral("lcd"))));
    const Run run = runTavrel({"send", "--port", "lcd", m_stream},
                           [&here](QProcess &process) { process.setWorkingDirectory(here.path()); });
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(pty.read(), QByteArray("40200000a*]0011"));
}

void CommandLineTest::sendNamesVanishedDevice()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    QByteArray stream = "40200000a*";
    for (int block = 0; block < 40; ++block)
        stream += "]" + QByteArray(32, 'a');
    QProcess process;
    process.start(qEnvironmentVariable("TAVREL_BINARY"),
                  {"send", "--port", pty.slavePath(), "--xmit-delay", "50",
                   writeFile(m_dir, QStringLiteral("long.txt"), stream)});
    QVERIFY(process.waitForStarted());
    QCOMPARE(pty.readExactly(10), QByteArray("40200000a*"));
    pty.closeMaster();
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    // One message, naming the device the way the window does.
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardError()),
             QStringLiteral("tavrel send: The serial device %1 was disconnected.\n").arg(pty.slavePath()));
}

QTEST_MAIN(CommandLineTest)
#include "tst_commandline.moc"
