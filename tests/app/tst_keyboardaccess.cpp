#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "PseudoTerminal.h"
#include "gui/AboutWindow.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "widgets/canvas/PixelCanvas.h"
#include "logic/core/AppState.h"
#include "logic/serial/PortAssignments.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QtTest>

// How the window meets keyboard users and assistive tools: options act
// however they are chosen, names follow captions, Tab follows the screen.
class KeyboardAccessTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void optionsActHoweverChosen_data();
    void optionsActHoweverChosen();
    void namesFollowCaptions();
    void sharedCaptionsAreToldApart();
    void dialogsCloseWithEscAndEnter_data();
    void dialogsCloseWithEscAndEnter();
    void tabFollowsTheScreen();

private:
    template <typename T = QWidget>
    T *get(const QString &name) const
    {
        return control<T>(m_window.get(), name);
    }
    QStringList tabCycle();

    std::unique_ptr<PseudoTerminal> m_pty;
    std::unique_ptr<MainWindow> m_window;
};

void KeyboardAccessTest::init()
{
    m_pty = std::make_unique<PseudoTerminal>();
    QVERIFY(m_pty->isValid());
    PortAssignments ports;
    ports.setDevice(1, m_pty->slavePath());
    m_window = std::make_unique<MainWindow>(ports);
}

void KeyboardAccessTest::cleanup()
{
    m_window.reset();
    m_pty.reset();
}

void KeyboardAccessTest::optionsActHoweverChosen_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("toggle action") << "toggle";
    QTest::newRow("code") << "setChecked";
    QTest::newRow("caption click") << "caption";
    QTest::newRow("arrow key") << "key";
}

// On screen 240x128 and 128x128 stand between 240x64 and 128x64.
void KeyboardAccessTest::optionsActHoweverChosen()
{
    QFETCH(QString, how);
    auto *size = get<QAbstractButton>(ControlNames::lcdSizeOption(1));
    QVERIFY(size);
    auto *vertical = get<QAbstractButton>(ControlNames::verticalOption);
    QVERIFY(vertical);
    auto *eeprom = get<QAbstractButton>(ControlNames::loadEepromCheck);
    QVERIFY(eeprom);
    if (how == "toggle") {
        size->toggle();
        vertical->toggle();
        eeprom->toggle();
    } else if (how == "setChecked") {
        size->setChecked(true);
        vertical->setChecked(true);
        eeprom->setChecked(true);
    } else if (how == "caption") {
        auto *lcdSizeLabel = control<QLabel>(m_window.get(), ControlNames::lcdSizeLabel(QStringLiteral("128x64")));
        QVERIFY(lcdSizeLabel);
        QTest::mouseClick(lcdSizeLabel, Qt::LeftButton);
        vertical->click();
        auto *loadEepromLabel = get<QLabel>(ControlNames::loadEepromLabel);
        QVERIFY(loadEepromLabel);
        QTest::mouseClick(loadEepromLabel, Qt::LeftButton);
    } else {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto *sizeOption0 = get<QAbstractButton>(ControlNames::lcdSizeOption(0));
        QVERIFY(sizeOption0);
        sizeOption0->setFocus();
        for (int step = 0; step < 3; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        auto *horizontalOption = get<QAbstractButton>(ControlNames::horizontalOption);
        QVERIFY(horizontalOption);
        horizontalOption->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        eeprom->setFocus();
        QTest::keyClick(eeprom, Qt::Key_Space);
    }
    QVERIFY(size->isChecked());
    auto *pixelCanvas = get<PixelCanvas>(ControlNames::pixelCanvas);
    QVERIFY(pixelCanvas);
    QCOMPARE(pixelCanvas->image().size(), QSize(128, 64));
    const AppState &state = m_window->state();
    QCOMPARE(state.lcdSizeIndex, qint16(1));
    QCOMPARE(state.byteMatrixHorizontal, qint16(0));
    auto *note = get(ControlNames::horizontalNote);
    QVERIFY(note);
    QVERIFY(note->isHidden());
    QVERIFY(state.eepromMode);
    auto *startAddress = get(ControlNames::startAddressBox);
    QVERIFY(startAddress);
    QVERIFY(startAddress->isEnabled());
}

void KeyboardAccessTest::namesFollowCaptions()
{
    MessageRecorder recorder;
    auto *portOpenButton = get<QAbstractButton>(ControlNames::portOpenButton);
    QVERIFY(portOpenButton);
    portOpenButton->click();
    auto *openButtonAgain = get(ControlNames::portOpenButton);
    QVERIFY(openButtonAgain);
    QCOMPARE(spokenName(openButtonAgain), QStringLiteral("Close"));
    portOpenButton->click();
    QCOMPARE(spokenName(openButtonAgain), QStringLiteral("Open"));
    auto *caseButton = get<QAbstractButton>(ControlNames::caseButton);
    QVERIFY(caseButton);
    caseButton->click();
    auto *caseButtonAgain = get(ControlNames::caseButton);
    QVERIFY(caseButtonAgain);
    QCOMPARE(spokenName(caseButtonAgain), QStringLiteral("LowCase"));
    auto *loadEepromCheck = get<QAbstractButton>(ControlNames::loadEepromCheck);
    QVERIFY(loadEepromCheck);
    loadEepromCheck->toggle();
    auto *sendToLcdButton = get(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    QCOMPARE(spokenName(sendToLcdButton), QStringLiteral("Load Eeprom"));
    auto *directLoadFrame = get(ControlNames::directLoadFrame);
    QVERIFY(directLoadFrame);
    QCOMPARE(spokenName(directLoadFrame), QStringLiteral("Directly load  I2C Eeprom"));
    AboutWindow about;
    auto *versionLabel = control<QLabel>(&about, ControlNames::aboutVersionLabel);
    QVERIFY(versionLabel);
    QCOMPARE(spokenName(versionLabel), QStringLiteral("Version 1.1.2"));
}

void KeyboardAccessTest::sharedCaptionsAreToldApart()
{
    using namespace ControlNames;
    const QList<QStringList> twins = {
        {clearCanvasButton, clearOutputButton}, {clearOutputButton, clearTerminalButton},
        {savePictureButton, saveOutputButton}, {applyPortButton, applyLinkButton}};
    for (const QStringList &pair : twins) {
        QWidget *first = get(pair.at(0));
        QVERIFY(first);
        QWidget *second = get(pair.at(1));
        QVERIFY(second);
        QCOMPARE(spokenName(first), spokenName(second));
        QVERIFY(!first->accessibleDescription().isEmpty());
        QVERIFY(!second->accessibleDescription().isEmpty());
        QVERIFY(first->accessibleDescription() != second->accessibleDescription());
    }
}

void KeyboardAccessTest::dialogsCloseWithEscAndEnter_data()
{
    QTest::addColumn<bool>("about");
    QTest::addColumn<int>("key");
    QTest::newRow("About, Esc") << true << int(Qt::Key_Escape);
    QTest::newRow("About, Enter") << true << int(Qt::Key_Return);
    QTest::newRow("Help, Esc") << false << int(Qt::Key_Escape);
    QTest::newRow("Help, Enter") << false << int(Qt::Key_Return);
}

void KeyboardAccessTest::dialogsCloseWithEscAndEnter()
{
    QFETCH(bool, about);
    QFETCH(int, key);
    QPointer<QDialog> dialog = about ? static_cast<QDialog *>(new AboutWindow(m_window.get()))
                                     : static_cast<QDialog *>(new HelpWindow(m_window.get()));
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QTRY_VERIFY(!dialog || !dialog->isVisible());
}

// Presses Tab from the first control until focus comes back to it or stays.
QStringList KeyboardAccessTest::tabCycle()
{
    QStringList visited;
    QWidget *first = get(ControlNames::pixelCanvas);
    if (!first)
        return visited;
    first->setFocus(Qt::TabFocusReason);
    QWidget *previous = nullptr;
    for (int presses = 0; presses < 100; ++presses) {
        QWidget *focused = QApplication::focusWidget();
        if (!focused || focused == previous || (presses > 0 && focused == first))
            break;
        visited << focused->objectName();
        previous = focused;
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    return visited;
}

void KeyboardAccessTest::tabFollowsTheScreen()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    // Options are entered on the checked one; disabled buttons (DTR, RTS and
    // Break of the closed port) are passed by.
    using namespace ControlNames;
    const QStringList expected = {
        pixelCanvas, canvasZoomBox, drawingToolBox, invertPictureButton, flipHorizontalButton, flipVerticalButton,
        rotate180Button, lcdSizeOption(0), penSizeBox, drawButton, eraseButton, clearCanvasButton, invertedCheck,
        stampTextBox, textFontButton, stampTextButton, loadPictureButton, savePictureButton, importPictureButton,
        pastePictureButton, convertButton, headerBox, footerBox, delimiterBox, formatBox, waitCharBox,
        horizontalOption, profileBox, loadEepromCheck, picBufferList, picDelayList, xmitDelayBox, waitForPicCheck,
        applyLinkButton, displayEepromButton, copyOutputButton, clearOutputButton, restoreOutputButton, caseButton,
        outputWindow, previewZoom, previewColours, comOption(1), portSettingsList, portOpenButton, applyPortButton,
        refreshDevicesButton, handshakeList, comOutBufferBox, deviceBox, customSettingBox, serialInputWindow,
        hexViewCheck, timestampsCheck, clearTerminalButton, lfStartsLineCheck, controlBytesCheck, logToFileButton,
        monospaceCheck, enterKeyBox, transmitWindow};
    const QStringList visited = tabCycle();
    QVERIFY2(visited == expected, qPrintable(visited.join(' ')));
    // The transmit window keeps Tab as a byte to send, so from there Tab stays put.
    auto *focusedTransmitWindow = get(ControlNames::transmitWindow);
    QVERIFY(focusedTransmitWindow);
    QCOMPARE(QApplication::focusWidget(), focusedTransmitWindow);
    // A custom size brings its width, height and display type into the cycle, after the options.
    auto *sizeOption8 = get<QAbstractButton>(ControlNames::lcdSizeOption(8));
    QVERIFY(sizeOption8);
    sizeOption8->click();
    auto *undo = get<QAbstractButton>(ControlNames::undoButton);
    QVERIFY(undo);
    undo->setFocus(Qt::TabFocusReason);
    QStringList custom;
    for (int presses = 0; presses < 10; ++presses) {
        custom << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(custom, (QStringList{
        undoButton, invertPictureButton, flipHorizontalButton, flipVerticalButton, rotate180Button, lcdSizeOption(8),
        customWidthBox, customHeightBox, displayTypeBox, penSizeBox}));
}

QTEST_MAIN(KeyboardAccessTest)
#include "tst_keyboardaccess.moc"
