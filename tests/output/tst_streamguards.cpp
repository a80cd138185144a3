#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "SpinUntil.h"
#include "WindowOnPty.h"
#include "widgets/canvas/PixelCanvas.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

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
    T *get(const QString &name) const
    {
        return m_rig->get<T>(name);
    }
    void setText(const QString &name, const QString &text)
    {
        if (auto *box = get<QLineEdit>(name))
            box->setText(text);
    }
    void convertSmallPicture();
    bool reformat();
    void openPort();

    std::unique_ptr<WindowOnPty> m_rig;
};

void StreamGuardsTest::init()
{
    m_rig = std::make_unique<WindowOnPty>();
    QVERIFY(m_rig->pty->isValid());
}

void StreamGuardsTest::cleanup()
{
    m_rig.reset();
}

// 128x32 horizontal: 513 bytes, 33 blocks of 32 characters.
void StreamGuardsTest::convertSmallPicture()
{
    auto *sizeOption2 = get(ControlNames::lcdSizeOption(2));
    QVERIFY(sizeOption2);
    sizeOption2->click();
    auto *pixelCanvas = get<PixelCanvas>(ControlNames::pixelCanvas);
    QVERIFY(pixelCanvas);
    pixelCanvas->setPoint({0, 0});
    auto *convertButton = get(ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
}

bool StreamGuardsTest::reformat()
{
    auto *reformatButton = get(ControlNames::reformatButton);
    auto *sendToLcdButton = get(ControlNames::sendToLcdButton);
    if (!reformatButton || !sendToLcdButton || !reformatButton->isEnabled())
        return false;
    reformatButton->click();
    return sendToLcdButton->isEnabled();
}

void StreamGuardsTest::openPort()
{
    QVERIFY(m_rig->openPort());
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
    auto *outputWindow = get<QPlainTextEdit>(ControlNames::outputWindow);
    QVERIFY(outputWindow);
    const QByteArray stream = outputWindow->toPlainText().toLatin1();
    const char pauseByte = waitChar.toLower().at(0).toLatin1();
    QCOMPARE(stream.count(pauseByte), 33);
    setText(ControlNames::waitCharBox, boxAtSend);
    setText(ControlNames::xmitDelayBox, QStringLiteral("20"));
    openPort();
    MessageRecorder recorder;
    auto *sendToLcdButton = get(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    sendToLcdButton->click();
    QVERIFY(spinUntil([this, &stream] { return m_rig->line->size() >= stream.size(); }));
    QCOMPARE(m_rig->line->bytes(), stream);
    // Blocks are preceded by quiet gaps (an unpaced stream has none: the
    // whole of it arrives within a few ms); a busy machine may shorten a few.
    int paused = 0;
    for (qsizetype i = stream.indexOf(pauseByte, 11); i >= 0; i = stream.indexOf(pauseByte, i + 1))
        paused += m_rig->line->gapBeforeNs(i) >= 5 * 1000000;
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
    auto *outputWindow = get<QPlainTextEdit>(ControlNames::outputWindow);
    QVERIFY(outputWindow);
    const QString converted = outputWindow->toPlainText();
    MessageRecorder recorder;
    QVERIFY(!reformat());
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY2(recorder.messages.first().contains(says), qPrintable(recorder.messages.first()));
    QCOMPARE(outputWindow->toPlainText(), converted);
    QVERIFY(m_rig->window->state().reformattedText.isEmpty());
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
        auto *clearOutputButton = get(ControlNames::clearOutputButton);
        QVERIFY(clearOutputButton);
        clearOutputButton->click();
        auto *reformatButton = get(ControlNames::reformatButton);
        QVERIFY(reformatButton);
        QVERIFY(!reformatButton->isEnabled());
        auto *restoreOutputButton = get(ControlNames::restoreOutputButton);
        QVERIFY(restoreOutputButton);
        restoreOutputButton->click();
    } else if (path == "address") {
        auto *loadEepromCheck = get(ControlNames::loadEepromCheck);
        QVERIFY(loadEepromCheck);
        loadEepromCheck->click();
        setText(ControlNames::startAddressBox, QStringLiteral("65536"));
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
        auto *reformatButton = get(ControlNames::reformatButton);
        QVERIFY(reformatButton);
        reformatButton->click();
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY2(recorder.messages.first().contains("not a hex digit"), qPrintable(recorder.messages.first()));
    }
    auto *sendToLcdButton = get(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    QVERIFY(!sendToLcdButton->isEnabled());
    QVERIFY(m_rig->window->state().reformattedText.isEmpty());
    // A click that slips through the disabled button still builds nothing.
    auto *reformatButton = get(ControlNames::reformatButton);
    QVERIFY(reformatButton);
    reformatButton->setEnabled(true);
    reformatButton->click();
    QVERIFY(m_rig->window->state().reformattedText.isEmpty());
}

void StreamGuardsTest::newConvertRetiresTheStream()
{
    convertSmallPicture();
    QVERIFY(reformat());
    auto *pixelCanvas = get<PixelCanvas>(ControlNames::pixelCanvas);
    QVERIFY(pixelCanvas);
    pixelCanvas->setPoint({5, 5});
    auto *convertButton = get(ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    auto *sendToLcdButton = get(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    QVERIFY(!sendToLcdButton->isEnabled());
    auto *reformatButton = get(ControlNames::reformatButton);
    QVERIFY(reformatButton);
    QVERIFY(reformatButton->isEnabled());
}

void StreamGuardsTest::sendLocksWhatRewritesTheWindow()
{
    convertSmallPicture();
    QVERIFY(reformat());
    setText(ControlNames::xmitDelayBox, QStringLiteral("20"));
    openPort();
    auto *sendToLcdButton = get(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    sendToLcdButton->click();
    using namespace ControlNames;
    for (const char *name : {loadPictureButton, clearCanvasButton, stampTextButton, saveOutputButton,
                             clearOutputButton, restoreOutputButton, caseButton}) {
        auto *widget = get<QWidget>(name);
        QVERIFY(widget);
        QVERIFY2(!widget->isEnabled(), name);
    }
    auto *stopButton = get(ControlNames::stopSendButton);
    QVERIFY(stopButton);
    stopButton->click();
    auto *comm = get<QLabel>(ControlNames::portStateLabel);
    QVERIFY(comm);
    QVERIFY(spinUntil([comm] { return comm->text() == QLatin1String("ON"); }));
    auto *loadPictureButton2 = get(ControlNames::loadPictureButton);
    QVERIFY(loadPictureButton2);
    auto *clearCanvasButton2 = get(ControlNames::clearCanvasButton);
    QVERIFY(clearCanvasButton2);
    QVERIFY(loadPictureButton2->isEnabled() && clearCanvasButton2->isEnabled());
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
    setText(ControlNames::xmitDelayBox, QStringLiteral("40"));
    openPort();
    QGuiApplication::clipboard()->setText(QStringLiteral("aXbXc"));
    MessageRecorder recorder;
    auto *pasteAndSendButton = get(ControlNames::pasteAndSendButton);
    QVERIFY(pasteAndSendButton);
    pasteAndSendButton->click();
    if (pauses < 0) {
        QCOMPARE(recorder.messages.size(), 2); // the confirmation, then the refusal
        QCOMPARE(m_rig->pty->read(200), QByteArray());
        return;
    }
    QVERIFY(spinUntil([this] { return m_rig->line->size() >= 5; }));
    QCOMPARE(m_rig->line->bytes(), QByteArray("axbxc"));
    int gaps = 0;
    for (qsizetype i = 1; i < 5; ++i)
        gaps += m_rig->line->gapBeforeNs(i) >= 30 * 1000000;
    QCOMPARE(gaps, pauses);
}

QTEST_MAIN(StreamGuardsTest)
#include "tst_streamguards.moc"
