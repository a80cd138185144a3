#include "TestPicture.h"
#include "logic/canvas/MonoBmpWriter.h"
#include "logic/canvas/PenStroke.h"
#include "logic/convert/ByteMatrix.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

QProcessEnvironment headless()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // subcommands need no display at all
    environment.remove(QStringLiteral("DISPLAY"));
    return environment;
}

struct Run
{
    int exitCode = -1;
    QByteArray out;
};

Run tavrel(const QStringList &arguments, int timeoutMs = 30000)
{
    QProcess process;
    process.setProcessEnvironment(headless());
    process.start(qEnvironmentVariable("TAVREL_BINARY"), arguments);
    Run run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    return run;
}

// `tavrel virtual-lcd` running in the background, read line by line.
class VirtualLcd
{
public:
    ~VirtualLcd()
    {
        if (m_process.state() != QProcess::NotRunning)
            stop();
    }
    bool start(const QStringList &arguments)
    {
        m_process.setProcessEnvironment(headless());
        m_process.start(qEnvironmentVariable("TAVREL_BINARY"), QStringList{"virtual-lcd"} + arguments);
        return !waitForLine(QStringLiteral("virtual LCD "), 10000).isEmpty();
    }
    // The next line starting with `prefix`; lines passed over are kept.
    QString waitForLine(const QString &prefix, int timeoutMs = 30000)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                m_lines << line;
                if (line.startsWith(prefix))
                    return line;
            }
            if (!m_process.waitForReadyRead(100) && m_process.state() == QProcess::NotRunning)
                break;
        }
        return QString();
    }
    // SIGTERM, as a user's Ctrl+C or a service manager ends it.
    int stop()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished();
            return -1;
        }
        while (m_process.canReadLine())
            m_lines << QString::fromUtf8(m_process.readLine()).trimmed();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    QStringList lines(const QString &containing) const { return m_lines.filter(containing); }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
    QStringList m_lines;
};


QImage loadPng(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The whole chain without the board: `tavrel convert --stream`, `tavrel
// send` to the link of a `tavrel virtual-lcd`, and the picture the virtual
// PIC ends up with compared to the drawing.
class VirtualEndToEndTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sendsPicture_data();
    void sendsPicture();
    void reportsTimingFaults_data();
    void reportsTimingFaults();
    void acknowledgedSendStopsWithThePic();
    void refusesBadUsage_data();
    void refusesBadUsage();

private:
    QString writeStream(const QString &size, const QStringList &convertOptions, QImage *source);

    QTemporaryDir m_dir;
};

void VirtualEndToEndTest::initTestCase()
{
    QVERIFY(QFileInfo(qEnvironmentVariable("TAVREL_BINARY")).isExecutable());
    QVERIFY(m_dir.isValid());
}

// Draws the test picture at `size`, saves it as a BMP and converts it.
QString VirtualEndToEndTest::writeStream(const QString &size, const QStringList &convertOptions, QImage *source)
{
    const QStringList sides = size.split('x');
    *source = framedPicture(sides.at(0).toInt(), sides.at(1).toInt());
    const QString bmp = m_dir.filePath(size + ".bmp");
    QFile file(bmp);
    if (!file.open(QIODevice::WriteOnly) || file.write(MonoBmpWriter::encode(*source)) <= 0)
        return QString();
    file.close();
    const Run converted = tavrel(QStringList{"convert", bmp, "--size", size, "--stream"} + convertOptions);
    const QString stream = m_dir.filePath(size + ".txt");
    QFile out(stream);
    if (converted.exitCode != 0 || !out.open(QIODevice::WriteOnly))
        return QString();
    out.write(converted.out);
    return stream;
}

void VirtualEndToEndTest::sendsPicture_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("packing");
    QTest::addColumn<QStringList>("convertOptions");
    QTest::addColumn<QStringList>("virtualOptions");
    QTest::addColumn<QStringList>("sendOptions");
    const QStringList none;
    // No --needs-pause here: on a loaded machine the kernel can hand a block's
    // end over together with the next wait character, tens of milliseconds
    // late, and a paced send would look unpaced.
    QTest::newRow("240x64 vertical") << "240x64" << "vertical" << none << none << none;
    QTest::newRow("128x32 horizontal, blocks of 16") << "128x32" << "horizontal" << QStringList{"--buffer", "16"} << none
                                                     << none;
    QTest::newRow("256x128 vertical, blocks of 64") << "256x128" << "vertical" << QStringList{"--buffer", "64"} << none
                                                    << none;
    QTest::newRow("320x200 horizontal, blocks of 128") << "320x200" << "horizontal" << QStringList{"--buffer", "128"}
                                                       << none << none;
    QTest::newRow("128x64 vertical into the EEPROM at 0")
        << "128x64" << "vertical" << QStringList{"--eeprom", "0", "--buffer", "64", "--pic-delay", "20"} << none << none;
    QTest::newRow("240x64 horizontal into the EEPROM at 1024")
        << "240x64" << "horizontal" << QStringList{"--eeprom", "1024", "--buffer", "128", "--wait", "#"}
        << QStringList{"--eeprom-size", "4096"} << QStringList{"--wait", "#"};
    // Acknowledged: the PIC answers 3 ms after each block, the sender waits for it.
    QTest::newRow("240x64 horizontal, acknowledged") << "240x64" << "horizontal" << none
                                                     << QStringList{"--ack", "--needs-pause", "3"}
                                                     << QStringList{"--ack"};
    QTest::newRow("240x64 horizontal into the EEPROM, acknowledged, last block 2 characters")
        << "240x64" << "horizontal" << QStringList{"--eeprom", "0", "--buffer", "128"}
        << QStringList{"--ack", "--needs-pause", "5"} << QStringList{"--ack"};
}

void VirtualEndToEndTest::sendsPicture()
{
    QFETCH(QString, size);
    QFETCH(QString, packing);
    QFETCH(QStringList, convertOptions);
    QFETCH(QStringList, virtualOptions);
    QFETCH(QStringList, sendOptions);
    QImage source;
    const QString stream = writeStream(size, convertOptions + QStringList{"--packing", packing}, &source);
    QVERIFY(!stream.isEmpty());
    const QString link = m_dir.filePath("ttyLCD");
    const QString png = m_dir.filePath(size + ".png");
    VirtualLcd lcd;
    QVERIFY(lcd.start(QStringList{"--size", size, "--packing", packing, "--link", link, "--png", png} + virtualOptions));

    QCOMPARE(tavrel(QStringList{"send", "--port", link, stream} + sendOptions).exitCode, 0);
    const QString summary = lcd.waitForLine("stream 1: ");
    QVERIFY2(summary.endsWith(", 0 faults"), qPrintable(summary));
    QCOMPARE(loadPng(png), source);

    const qsizetype eeprom = convertOptions.indexOf("--eeprom");
    if (eeprom >= 0) {
        // The EEPROM display request shows the first 16 bytes: the picture's
        // own at address 0, still blank before 1024.
        QSerialPort port(link);
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.write("*22000000a");
        QByteArray answer;
        while (!answer.endsWith('\n') && port.waitForReadyRead(3000))
            answer += port.readAll();
        const QByteArray bytes = packing == "vertical" ? ByteMatrix::vertical(source, source.width(), source.height())
                                                       : ByteMatrix::horizontal(source, source.width(), source.height());
        const QByteArray first = convertOptions.at(eeprom + 1) == "0" ? bytes.left(16) : QByteArray(16, char(0xff));
        QCOMPARE(answer, "EEPROM 0000: " + first.toHex(' ') + "\r\n");
    }
    QCOMPARE(lcd.stop(), 0);
    QVERIFY(!QFileInfo::exists(link));
    QCOMPARE(lcd.lines("stream 1, byte "), QStringList());
}

void VirtualEndToEndTest::reportsTimingFaults_data()
{
    QTest::addColumn<bool>("strict");
    QTest::newRow("reported") << false;
    QTest::newRow("strict, blocks dropped") << true;
}

// An unpaced send to a PIC that needs 5 ms after each block: every block
// after the first comes too soon. Strict, only the first block is drawn.
void VirtualEndToEndTest::reportsTimingFaults()
{
    QFETCH(bool, strict);
    QImage source;
    const QString stream = writeStream("128x32", {"--buffer", "64"}, &source); // 512 bytes: 16 blocks
    QVERIFY(!stream.isEmpty());
    const QString link = m_dir.filePath("ttyLCD");
    const QString png = m_dir.filePath("late.png");
    VirtualLcd lcd;
    QStringList options = {"--size", "128x32", "--link", link, "--png", png, "--needs-pause", "5"};
    if (strict)
        options << "--strict";
    QVERIFY(lcd.start(options));
    QCOMPARE(tavrel({"send", "--port", link, "--xmit-delay", "0", stream}).exitCode, 0);
    const QString summary = lcd.waitForLine("stream 1: ");
    QVERIFY2(summary.endsWith(strict ? ", 15 blocks dropped, 15 faults" : ", 15 faults"), qPrintable(summary));
    const QStringList late = lcd.lines("this PIC needs 5 ms \u2014 a real one would lose this block");
    QCOMPARE(late.size(), 15);
    QVERIFY2(late.first().startsWith("stream 1, byte 75: block 2: wait character "), qPrintable(late.first()));
    QCOMPARE(lcd.stop(), 1);
    const QByteArray firstBlock = ByteMatrix::vertical(source, 128, 32).left(32);
    QCOMPARE(loadPng(png), strict ? ByteMatrix::pictureFrom(firstBlock, 128, 32, false) : source);
}

// The PIC stops answering mid-send: the sender names the block it waited for.
void VirtualEndToEndTest::acknowledgedSendStopsWithThePic()
{
    QImage source;
    const QString stream = writeStream("240x64", {"--packing", "horizontal"}, &source); // 121 blocks
    QVERIFY(!stream.isEmpty());
    const QString link = m_dir.filePath("ttyLCD");
    VirtualLcd lcd;
    QVERIFY(lcd.start({"--size", "240x64", "--packing", "horizontal", "--link", link, "--ack", "--needs-pause", "20"}));
    QProcess send;
    send.setProcessEnvironment(headless());
    send.start(qEnvironmentVariable("TAVREL_BINARY"), {"send", "--ack", "--port", link, stream});
    QVERIFY(send.waitForStarted());
    QTest::qWait(600); // a few blocks of the 2.4 s send
    QCOMPARE(::kill(pid_t(lcd.pid()), SIGSTOP), 0);
    const bool ended = send.waitForFinished(10000);
    ::kill(pid_t(lcd.pid()), SIGCONT);
    QVERIFY(ended);
    QCOMPARE(send.exitCode(), 1);
    const QString error = QString::fromUtf8(send.readAllStandardError());
    QVERIFY2(QRegularExpression(QStringLiteral("^tavrel send: block \\d+ of 121 not acknowledged within 372 ms\n$"))
                 .match(error)
                 .hasMatch(),
             qPrintable(error));
}

void VirtualEndToEndTest::refusesBadUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("size") << QStringList{"--size", "240"} << "--size must be WxH, 8 to 1024 pixels each, not \"240\"";
    QTest::newRow("packing") << QStringList{"--packing", "diagonal"}
                             << "--packing must be vertical or horizontal, not \"diagonal\"";
    QTest::newRow("firmware") << QStringList{"--firmware", "pic18"}
                              << "--firmware takes tavrel-receiver, and no --needs-pause besides it";
}

void VirtualEndToEndTest::refusesBadUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QProcess process;
    process.setProcessEnvironment(headless());
    process.start(qEnvironmentVariable("TAVREL_BINARY"), QStringList{"virtual-lcd"} + arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 2);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
             "tavrel virtual-lcd: " + message + "\nTry \"tavrel virtual-lcd --help\".\n");
}

QTEST_GUILESS_MAIN(VirtualEndToEndTest)
#include "tst_virtual_endtoend.moc"
