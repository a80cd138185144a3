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
    T *get(const char *name) const
    {
        return control<T>(m_window.get(), QLatin1String(name));
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
    auto *size = get<QAbstractButton>("optgrf_1");
    auto *vertical = get<QAbstractButton>(ControlNames::verticalOption);
    auto *eeprom = get<QAbstractButton>(ControlNames::loadEepromCheck);
    if (how == "toggle") {
        size->toggle();
        vertical->toggle();
        eeprom->toggle();
    } else if (how == "setChecked") {
        size->setChecked(true);
        vertical->setChecked(true);
        eeprom->setChecked(true);
    } else if (how == "caption") {
        QTest::mouseClick(control<QLabel>(m_window.get(), ControlNames::lcdSizeLabel(QStringLiteral("128x64"))), Qt::LeftButton);
        vertical->click();
        QTest::mouseClick(get<QLabel>(ControlNames::loadEepromLabel), Qt::LeftButton);
    } else {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        get<QAbstractButton>("optgrf_0")->setFocus();
        for (int step = 0; step < 3; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        get<QAbstractButton>(ControlNames::horizontalOption)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        eeprom->setFocus();
        QTest::keyClick(eeprom, Qt::Key_Space);
    }
    QVERIFY(size->isChecked());
    QCOMPARE(get<PixelCanvas>(ControlNames::pixelCanvas)->image().size(), QSize(128, 64));
    const AppState &state = m_window->state();
    QCOMPARE(state.lcdSizeIndex, qint16(1));
    QCOMPARE(state.byteMatrixHorizontal, qint16(0));
    QVERIFY(get("LCD")->isHidden());
    QVERIFY(state.eepromMode);
    QVERIFY(get("eeprom")->isEnabled());
}

void KeyboardAccessTest::namesFollowCaptions()
{
    MessageRecorder recorder;
    get<QAbstractButton>("cmdcomm")->click();
    QCOMPARE(spokenName(get("cmdcomm")), QStringLiteral("Close"));
    get<QAbstractButton>("cmdcomm")->click();
    QCOMPARE(spokenName(get("cmdcomm")), QStringLiteral("Open"));
    get<QAbstractButton>("txtcase")->click();
    QCOMPARE(spokenName(get("txtcase")), QStringLiteral("LowCase"));
    get<QAbstractButton>(ControlNames::loadEepromCheck)->toggle();
    QCOMPARE(spokenName(get(ControlNames::sendToLcdButton)), QStringLiteral("Load Eeprom"));
    QCOMPARE(spokenName(get(ControlNames::directLoadFrame)), QStringLiteral("Directly load  I2C Eeprom"));
    AboutWindow about;
    QCOMPARE(spokenName(control<QLabel>(&about, "lblVersion")), QStringLiteral("Version 1.1.2"));
}

void KeyboardAccessTest::sharedCaptionsAreToldApart()
{
    const QList<QStringList> twins = {{ControlNames::clearCanvasButton, ControlNames::clearOutputButton}, {ControlNames::clearOutputButton, "cmdClearInput"}, {ControlNames::savePictureButton, ControlNames::saveOutputButton},
                                      {"cmdbuff", "cmdApply"}};
    for (const QStringList &pair : twins) {
        QWidget *first = get(qPrintable(pair.at(0)));
        QWidget *second = get(qPrintable(pair.at(1)));
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
    const QStringList expected = {
        ControlNames::pixelCanvas, "cboZoom", "cboTool", "cmdInvertPicture", "cmdFlipH", "cmdFlipV", ControlNames::rotate180Button, "optgrf_0",
        ControlNames::penSizeBox, ControlNames::drawButton, ControlNames::eraseButton, ControlNames::clearCanvasButton, "chkinvert", "pictxt", "cmdfont", "cmdtext", ControlNames::loadPictureButton,
        ControlNames::savePictureButton, "cmdImport", "cmdPaste", ControlNames::convertButton,
        ControlNames::headerBox, ControlNames::footerBox, ControlNames::delimiterBox, ControlNames::formatBox, ControlNames::waitCharBox, ControlNames::horizontalOption, "cboProfile", ControlNames::loadEepromCheck,
        ControlNames::picBufferList, ControlNames::picDelayList, "xmitdelay", "cmdApply", "cmdlcd", ControlNames::copyOutputButton, ControlNames::clearOutputButton, ControlNames::restoreOutputButton, "txtcase",
        ControlNames::outputWindow, "previewZoom", "previewColours", "Option1_0", ControlNames::portSettingsList, "cmdcomm", "cmdbuff", "cmdRefresh", "proto", "combuff", "cboDevice",
        "txtCustom", ControlNames::serialInputWindow, "chkHexView", "chkTimestamps", "cmdClearInput", "chkLfStartsLine", "chkControlBytes",
        "cmdLog", "chkMonospace", "cboEnter", ControlNames::transmitWindow};
    const QStringList visited = tabCycle();
    QVERIFY2(visited == expected, qPrintable(visited.join(' ')));
    // The transmit window keeps Tab as a byte to send, so from there Tab stays put.
    QCOMPARE(QApplication::focusWidget(), get(ControlNames::transmitWindow));
    // A custom size brings its width, height and display type into the cycle, after the options.
    get<QAbstractButton>("optgrf_8")->click();
    get<QAbstractButton>("cmdUndo")->setFocus(Qt::TabFocusReason);
    QStringList custom;
    for (int presses = 0; presses < 10; ++presses) {
        custom << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(custom, (QStringList{"cmdUndo", "cmdInvertPicture", "cmdFlipH", "cmdFlipV", ControlNames::rotate180Button, "optgrf_8",
                                  "txtWidth", "txtHeight", "cboDisplayType", ControlNames::penSizeBox}));
}

QTEST_MAIN(KeyboardAccessTest)
#include "tst_keyboardaccess.moc"
