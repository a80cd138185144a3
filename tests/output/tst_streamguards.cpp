#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "LineRecorder.h"
#include "MessageRecorder.h"
#include "PseudoTerminal.h"
#include "gui/MainWindow.h"
#include "widgets/canvas/PixelCanvas.h"
#include "logic/serial/PortAssignments.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {
bool spinUntil(const std::function<bool()> &done, int timeoutMs = 10000)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(1);
    if (!done())
        loop.exec();
    return done();
}
} // namespace

// Nothing wrong reaches the LCD: Reformat builds a stream only from a fresh
// Convert, and Send pauses where that stream's wait characters stand.
class StreamGuardsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pausesFollowTheStreamsWaitChar_data();
    void pausesFollowTheStreamsWaitChar();
    void reformatRefusesUnusableWaitChars_data();
    void reformatRefusesUnusableWaitChars();
    void reformatNeedsAFreshConversion_data();
    void reformatNeedsAFreshConversion();
    void newConvertRetiresTheStream();
    void sendLocksWhatRewritesTheWindow();
    void pasteAndSendPausesOnItsWaitChar_data();
    void pasteAndSendPausesOnItsWaitChar();

private:
    template <typename T = QAbstractButton>
    T *get(const char *name) const
    {
        return control<T>(m_window.get(), QLatin1String(name));
    }
    void setText(const char *name, const QString &text) { get<QLineEdit>(name)->setText(text); }
    void convertSmallPicture();
    bool reformat();
    void openPort();

    std::unique_ptr<PseudoTerminal> m_pty;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<LineRecorder> m_line;
};

void StreamGuardsTest::init()
{
    m_pty = std::make_unique<PseudoTerminal>();
    QVERIFY(m_pty->isValid());
    PortAssignments ports;
    ports.setDevice(1, m_pty->slavePath());
    m_window = std::make_unique<MainWindow>(ports);
    m_line = std::make_unique<LineRecorder>(m_pty->masterFd());
}

void StreamGuardsTest::cleanup()
{
    m_line.reset();
    m_window.reset();
    m_pty.reset();
}

// 128x32 horizontal: 513 bytes, 33 blocks of 32 characters.
void StreamGuardsTest::convertSmallPicture()
{
    get("optgrf_2")->click();
    get<PixelCanvas>(ControlNames::pixelCanvas)->setPoint({0, 0});
    get(ControlNames::convertButton)->click();
}

bool StreamGuardsTest::reformat()
{
    if (!get(ControlNames::reformatButton)->isEnabled())
        return false;
    get(ControlNames::reformatButton)->click();
    return get(ControlNames::sendToLcdButton)->isEnabled();
}

void StreamGuardsTest::openPort()
{
    get("cmdcomm")->click();
    QCOMPARE(get<QLabel>("comm")->text(), QStringLiteral("ON"));
}

void StreamGuardsTest::pausesFollowTheStreamsWaitChar_data()
{
    QTest::addColumn<QString>("waitChar");
    QTest::addColumn<QString>("boxAtSend");
    QTest::newRow("upper case") << "X" << "X";
    QTest::newRow("changed after Reformat") << "]" << "#";
    QTest::newRow("emptied after Reformat") << "]" << "";
}

void StreamGuardsTest::pausesFollowTheStreamsWaitChar()
{
    QFETCH(QString, waitChar);
    QFETCH(QString, boxAtSend);
    setText(ControlNames::waitCharBox, waitChar);
    convertSmallPicture();
    QVERIFY(reformat());
    const QByteArray stream = get<QPlainTextEdit>(ControlNames::outputWindow)->toPlainText().toLatin1();
    const char pauseByte = waitChar.toLower().at(0).toLatin1();
    QCOMPARE(stream.count(pauseByte), 33);
    setText(ControlNames::waitCharBox, boxAtSend);
    setText("xmitdelay", QStringLiteral("20"));
    openPort();
    MessageRecorder recorder;
    get(ControlNames::sendToLcdButton)->click();
    QVERIFY(spinUntil([this, &stream] { return m_line->size() >= stream.size(); }));
    QCOMPARE(m_line->bytes(), stream);
    // Blocks are preceded by quiet gaps (an unpaced stream has none: the
    // whole of it arrives within a few ms); a busy machine may shorten a few.
    int paused = 0;
    for (qsizetype i = stream.indexOf(pauseByte, 11); i >= 0; i = stream.indexOf(pauseByte, i + 1))
        paused += m_line->gapBeforeNs(i) >= 5 * 1000000;
    QVERIFY2(paused >= 16, qPrintable(QString::number(paused)));
    QVERIFY(recorder.messages.isEmpty());
}

void StreamGuardsTest::reformatRefusesUnusableWaitChars_data()
{
    QTest::addColumn<QString>("waitChars");
    QTest::addColumn<QString>("says");
    QTest::newRow("two characters") << "]]" << "exactly one character";
    QTest::newRow("empty") << "" << "exactly one character";
    QTest::newRow("digit") << "5" << "hex digit";
    QTest::newRow("hex letter") << "B" << "hex digit";
}

void StreamGuardsTest::reformatRefusesUnusableWaitChars()
{
    QFETCH(QString, waitChars);
    QFETCH(QString, says);
    setText(ControlNames::waitCharBox, waitChars);
    convertSmallPicture();
    const QString converted = get<QPlainTextEdit>(ControlNames::outputWindow)->toPlainText();
    MessageRecorder recorder;
    QVERIFY(!reformat());
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY2(recorder.messages.first().contains(says), qPrintable(recorder.messages.first()));
    QCOMPARE(get<QPlainTextEdit>(ControlNames::outputWindow)->toPlainText(), converted);
    QVERIFY(m_window->state().reformattedText.isEmpty());
}

void StreamGuardsTest::reformatNeedsAFreshConversion_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("Clear then Restore") << "restore";
    QTest::newRow("bad address") << "address";
    QTest::newRow("format boxes emptied") << "format";
}

void StreamGuardsTest::reformatNeedsAFreshConversion()
{
    QFETCH(QString, path);
    MessageRecorder recorder;
    if (path == "restore") {
        convertSmallPicture();
        get(ControlNames::clearOutputButton)->click();
        QVERIFY(!get(ControlNames::reformatButton)->isEnabled());
        get(ControlNames::restoreOutputButton)->click();
    } else if (path == "address") {
        get(ControlNames::loadEepromCheck)->click();
        setText("eeprom", QStringLiteral("65536"));
        convertSmallPicture();
        QCOMPARE(recorder.messages.size(), 1);
    } else {
        setText(ControlNames::headerBox, QStringLiteral("const unsigned char logo[] = {"));
        setText(ControlNames::formatBox, QStringLiteral("0x"));
        setText(ControlNames::delimiterBox, QStringLiteral(","));
        convertSmallPicture();
        setText(ControlNames::formatBox, QString());
        setText(ControlNames::delimiterBox, QString());
        // The button is still there after a good Convert: Reformat itself refuses.
        get(ControlNames::reformatButton)->click();
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY2(recorder.messages.first().contains("not a hex digit"), qPrintable(recorder.messages.first()));
    }
    QVERIFY(!get(ControlNames::sendToLcdButton)->isEnabled());
    QVERIFY(m_window->state().reformattedText.isEmpty());
    // A click that slips through the disabled button still builds nothing.
    get(ControlNames::reformatButton)->setEnabled(true);
    get(ControlNames::reformatButton)->click();
    QVERIFY(m_window->state().reformattedText.isEmpty());
}

void StreamGuardsTest::newConvertRetiresTheStream()
{
    convertSmallPicture();
    QVERIFY(reformat());
    get<PixelCanvas>(ControlNames::pixelCanvas)->setPoint({5, 5});
    get(ControlNames::convertButton)->click();
    QVERIFY(!get(ControlNames::sendToLcdButton)->isEnabled());
    QVERIFY(get(ControlNames::reformatButton)->isEnabled());
}

void StreamGuardsTest::sendLocksWhatRewritesTheWindow()
{
    convertSmallPicture();
    QVERIFY(reformat());
    setText("xmitdelay", QStringLiteral("20"));
    openPort();
    get(ControlNames::sendToLcdButton)->click();
    for (const char *name : {ControlNames::loadPictureButton, ControlNames::clearCanvasButton, "cmdtext", ControlNames::saveOutputButton, ControlNames::clearOutputButton, ControlNames::restoreOutputButton, "txtcase"})
        QVERIFY2(!get<QWidget>(name)->isEnabled(), name);
    get("cmdStop")->click();
    QVERIFY(spinUntil([this] { return get<QLabel>("comm")->text() == QLatin1String("ON"); }));
    QVERIFY(get(ControlNames::loadPictureButton)->isEnabled() && get(ControlNames::clearCanvasButton)->isEnabled());
}

void StreamGuardsTest::pasteAndSendPausesOnItsWaitChar_data()
{
    QTest::addColumn<QString>("waitChars");
    QTest::addColumn<int>("pauses"); // -1: refused
    QTest::newRow("upper-case box") << " X " << 2;
    QTest::newRow("empty box") << "" << 0;
    QTest::newRow("several characters") << "]]" << -1;
}

void StreamGuardsTest::pasteAndSendPausesOnItsWaitChar()
{
    QFETCH(QString, waitChars);
    QFETCH(int, pauses);
    setText(ControlNames::waitCharBox, waitChars);
    setText("xmitdelay", QStringLiteral("40"));
    openPort();
    QGuiApplication::clipboard()->setText(QStringLiteral("aXbXc"));
    MessageRecorder recorder;
    get(ControlNames::pasteAndSendButton)->click();
    if (pauses < 0) {
        QCOMPARE(recorder.messages.size(), 2); // the confirmation, then the refusal
        QCOMPARE(m_pty->read(200), QByteArray());
        return;
    }
    QVERIFY(spinUntil([this] { return m_line->size() >= 5; }));
    QCOMPARE(m_line->bytes(), QByteArray("axbxc"));
    int gaps = 0;
    for (qsizetype i = 1; i < 5; ++i)
        gaps += m_line->gapBeforeNs(i) >= 30 * 1000000;
    QCOMPARE(gaps, pauses);
}

QTEST_MAIN(StreamGuardsTest)
#include "tst_streamguards.moc"
