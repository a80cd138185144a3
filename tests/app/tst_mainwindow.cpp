#include "ClippedCaptions.h"
#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "gui/AboutWindow.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QtTest>

class MainWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void captionAndMenuOrder();
    void startUpState();
    void designTimeControls_data();
    void designTimeControls();
    void accessibleNames_data();
    void accessibleNames();
    void comboBoxesAreLabelled();
    void valueLabelsCarryDescriptions();
    void everyControlHasAnAccessibleName();
    void fitsTheScreen_data();
    void fitsTheScreen();
    void nothingIsClipped_data() { fitsTheScreen_data(); }
    void nothingIsClipped();
    void aboutWindowLoads();
    void helpTextExact();
    void secondaryWindowsAreSingleInstances();
};

void MainWindowTest::captionAndMenuOrder()
{
    MainWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Tavrel Graphic LCD ToolBox       Beta Ver 3.12"));
    QStringList menu;
    for (QAction *action : window.menuBar()->actions())
        menu << action->text();
    QCOMPARE(menu, QStringList({"E&xit", "&Open", "&About", "&Help", "&Virtual LCD", "&Font Tool", "&Reset settings"}));
}

void MainWindowTest::startUpState()
{
    MainWindow window;
    const AppState &s = window.state();
    QCOMPARE(s.lcdWidth, qint16(240));
    QCOMPARE(s.lcdHeight, qint16(64));
    QCOMPARE(s.lcdSizeIndex, qint16(0)); // the 240x64 option shown
    QCOMPARE(s.byteMatrixHorizontal, qint16(1));
    QCOMPARE(s.picBufferSize, qint16(32));
    QCOMPARE(s.picDelayMs, qint16(10));
    QCOMPARE(s.waitChars, QStringLiteral("]"));
    QVERIFY(!s.eepromMode);
    QVERIFY(s.transferHeader.isEmpty() && s.outputText.isEmpty());
    QVERIFY(s.savedOutputText.isEmpty() && s.reformattedText.isEmpty());
    QVERIFY(s.hexGrid.cell(0, 0).isEmpty() && s.hexGrid.cell(256, 256).isEmpty());
    auto *canvas = control<QWidget>(&window, ControlNames::pixelCanvas);
    QVERIFY(canvas && canvas->width() > 0 && canvas->height() > 0);
    QCOMPARE(double(canvas->width()) / canvas->height(), 240.0 / 64.0);

    auto *settings = control<QListWidget>(&window, ControlNames::portSettingsList);
    QVERIFY(settings);
    QCOMPARE(settings->count(), 8);
    QCOMPARE(settings->item(0)->text(), QStringLiteral("19200,n,8,1"));
    QCOMPARE(settings->item(4)->text(), QStringLiteral("1200,n,8,1"));
    QCOMPARE(settings->item(7)->text(), QStringLiteral("230400,n,8,1"));
    QCOMPARE(settings->currentRow(), 0);
    auto *portSettingLabel = control<QLabel>(&window, ControlNames::portSettingLabel);
    QVERIFY(portSettingLabel);
    QCOMPARE(portSettingLabel->text(), QStringLiteral("19200,n,8,1"));
    auto *picBufferList = control<QListWidget>(&window, ControlNames::picBufferList);
    QVERIFY(picBufferList);
    QCOMPARE(picBufferList->currentItem()->text(), QStringLiteral("32"));
    auto *picDelayList = control<QListWidget>(&window, ControlNames::picDelayList);
    QVERIFY(picDelayList);
    QCOMPARE(picDelayList->currentItem()->text(), QStringLiteral("10"));
    auto *penSizeBox = control<QComboBox>(&window, ControlNames::penSizeBox);
    QVERIFY(penSizeBox);
    QCOMPARE(penSizeBox->currentText(), QStringLiteral("x1"));
    auto *proto = control<QListWidget>(&window, ControlNames::handshakeList);
    QVERIFY(proto);
    QCOMPARE(proto->currentRow(), -1);
    auto *timer = control<QTimer>(&window, ControlNames::receiveTimer);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 50);
    QVERIFY(!timer->isActive());
}

void MainWindowTest::designTimeControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");
    using namespace ControlNames;
    struct Row { QString name; const char *caption; bool enabled, checked; };
    const Row rows[] = {
        {clearCanvasButton, "Clear", true, false}, {eraseButton, "Erase", true, false},
        {drawButton, "Draw", true, false}, {invertedCheck, "Inverted", true, true},
        {textFontButton, "Font", true, false}, {stampTextButton, "Text", true, false},
        {loadPictureButton, "Load", true, false}, {savePictureButton, "Save", true, false},
        {convertButton, "Convert", true, false}, {verticalOption, "Vertical KS0108", true, false},
        {horizontalOption, "Horizontal", true, true}, {applyLinkButton, "Apply", true, false},
        {displayEepromButton, "&Disp Eprom", true, false}, {sendToLcdButton, "Send to LCD", false, false},
        {reformatButton, "Reformat For Output", false, false}, {copyOutputButton, "Copy", true, false},
        {saveOutputButton, "Save", false, false}, {exportButton, "Export…", false, false},
        {clearOutputButton, "Clear", true, false}, {restoreOutputButton, "Restore", true, false},
        {caseButton, "&UpCase", true, false}, {comOption(1), "Com1", true, true}, {comOption(2), "Com2", true, false},
        {comOption(3), "Com3", true, false}, {comOption(4), "Com4", true, false},
        {portOpenButton, "Open", true, false}, {applyPortButton, "Apply", true, false},
        {pasteAndSendButton, "Paste and Send ", false, false}, {loadEepromCheck, "", true, false},
        {lcdSizeOption(0), "", true, true}, {lcdSizeOption(7), "", true, false},
    };
    for (const Row &row : rows)
        QTest::newRow(qPrintable(row.name)) << row.name << row.caption << row.enabled << row.checked;
}

void MainWindowTest::designTimeControls()
{
    QFETCH(QString, name);
    MainWindow window;
    auto *button = control<QAbstractButton>(&window, name);
    QVERIFY(button);
    QTEST(button->text(), "caption");
    QTEST(button->isEnabled(), "enabled");
    QTEST(button->isChecked(), "checked");
}

void MainWindowTest::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessible");
    using namespace ControlNames;
    const std::pair<QString, const char *> rows[] = {
        {headerBox, "Header"}, {footerBox, "Footer"}, {delimiterBox, "Delimiter"}, {formatBox, "Format"},
        {waitCharBox, "Wait Chr"}, {picBufferList, "PIC Buffer"}, {picDelayList, "PIC Delay(ms)"},
        {xmitDelayBox, "Xmit Delay(ms)"}, {startAddressBox, "Start Addr"}, {portSettingsList, "Setting"},
        {handshakeList, "Handshake"}, {comOutBufferBox, "Com out buff"}, {lcdSizeOption(0), "240x64"},
        {lcdSizeOption(7), "320x200"}, {lcdSizeOption(2), "128x32"}, {pixelCanvas, "Canvas"},
        {outputWindow, "Output window"}, {serialInputWindow, "Serial input"}, {transmitWindow, "Transmit window"},
        {stampTextBox, "Text to stamp"}, {loadEepromCheck, "Load EEprom"}, {loadPictureButton, "Load"},
        {displayEepromButton, "Disp Eprom"}, {byteMatrixFrame, "Byte Matrix"}, {directLoadFrame, "Directly load LCD"},
        {eepromFrame, "I2C Eeprom"}, {undoButton, "Undo"}, {flipHorizontalButton, "Flip H"},
        {lcdSizeOption(8), "Custom"}, {customWidthBox, "Width"}, {pastePictureButton, "Paste Picture"},
    };
    for (const auto &row : rows)
        QTest::newRow(qPrintable(row.first)) << row.first << row.second;
}

void MainWindowTest::accessibleNames()
{
    QFETCH(QString, name);
    MainWindow window;
    auto *widget = control<QWidget>(&window, name);
    QVERIFY(widget);
    QTEST(spokenName(widget), "accessible");
}

// On Linux a combo box is announced by its value; its caption reaches
// screen readers as the label it is labelled by.
void MainWindowTest::comboBoxesAreLabelled()
{
    MainWindow window;
    using namespace ControlNames;
    for (const auto &[name, caption] : {std::pair{penSizeBox, "Pen Size"}, std::pair{drawingToolBox, "Tool"},
                                        std::pair{canvasZoomBox, "Zoom"}, std::pair{displayTypeBox, "Display type"}}) {
        auto *widget = control<QWidget>(&window, name);
        QVERIFY(widget);
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(box);
        const auto labels = box->relations(QAccessible::Label);
        QVERIFY2(!labels.isEmpty(), name);
        QCOMPARE(labels.first().first->text(QAccessible::Name), QString::fromLatin1(caption));
    }
}

void MainWindowTest::valueLabelsCarryDescriptions()
{
    MainWindow window;
    using namespace ControlNames;
    const std::pair<const char *, const char *> pairs[] = {
        {portStateLabel, "Port state"},         {byteCountLabel, "Byte count"},
        {charactersLeftLabel, "Characters left"}, {portSettingLabel, "Port settings"},
        {pointerPositionLabel, "Pointer position"}, {canvasStatusLabel, "Canvas status"},
        {fontInUseLabel, "Font in use"}};
    for (const auto &[name, description] : pairs) {
        auto *label = control<QLabel>(&window, name);
        QVERIFY(label);
        QCOMPARE(label->accessibleDescription(), QString(description));
    }
    auto *portState = control<QLabel>(&window, portStateLabel);
    QVERIFY(portState);
    QCOMPARE(portState->text(), QStringLiteral("OFF"));
    auto *byteCount = control<QLabel>(&window, ControlNames::byteCountLabel);
    QVERIFY(byteCount);
    QCOMPARE(byteCount->text(), QStringLiteral("0000"));
    auto *pointerPosition = control<QLabel>(&window, ControlNames::pointerPositionLabel);
    QVERIFY(pointerPosition);
    QVERIFY(pointerPosition->isHidden());
    auto *transmitActive = control<QLabel>(&window, ControlNames::transmitActiveLabel);
    QVERIFY(transmitActive);
    QVERIFY(transmitActive->isHidden());
    auto *outBufferBox = control<QLineEdit>(&window, ControlNames::comOutBufferBox);
    QVERIFY(outBufferBox);
    QCOMPARE(outBufferBox->text(), QStringLiteral("512"));
    auto *xmitDelay = control<QLineEdit>(&window, ControlNames::xmitDelayBox);
    QVERIFY(xmitDelay);
    QCOMPARE(xmitDelay->text(), QStringLiteral("5"));
    auto *eeprom = control<QLineEdit>(&window, ControlNames::startAddressBox);
    QVERIFY(eeprom);
    QCOMPARE(eeprom->text(), QStringLiteral("00000"));
    QVERIFY(!eeprom->isEnabled());
}

void MainWindowTest::everyControlHasAnAccessibleName()
{
    MainWindow window;
    QStringList unnamed;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QLineEdit *>(widget)
            || qobject_cast<QAbstractItemView *>(widget) || qobject_cast<QComboBox *>(widget)
            || qobject_cast<QPlainTextEdit *>(widget) || qobject_cast<QProgressBar *>(widget)
            || qobject_cast<QGroupBox *>(widget);
        // Inner parts of composite widgets (scroll bars, viewports) speak for their owner.
        if (control && !widget->objectName().startsWith(QLatin1String("qt_")) && spokenName(widget).isEmpty())
            unnamed << widget->objectName() + QLatin1Char('(') + widget->metaObject()->className() + QLatin1Char(')');
        if (auto *label = qobject_cast<QLabel *>(widget))
            if (label->text().isEmpty() && label->pixmap().isNull() && !label->isHidden())
                unnamed << label->objectName();
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

namespace {

// The window in a state that shows more: a custom size's boxes, the longest
// profile, the EEPROM frame's title.
void showState(MainWindow &window, const QString &state)
{
    const QString name = state == "custom size" ? ControlNames::lcdSizeOption(8)
        : state == "vertical"                   ? QString(ControlNames::verticalOption)
        : state == "eeprom"                     ? QString(ControlNames::loadEepromCheck)
                                                : QString();
    if (auto *button = name.isEmpty() ? nullptr : control<QAbstractButton>(&window, name))
        button->click();
}

} // namespace

// A 1366x768 screen leaves about 1280x700 under a title bar and a panel.
void MainWindowTest::fitsTheScreen_data()
{
    QTest::addColumn<QString>("state");
    for (const char *state : {"start", "custom size", "vertical", "eeprom"})
        QTest::newRow(state) << state;
}

void MainWindowTest::fitsTheScreen()
{
    QFETCH(QString, state);
    MainWindow window;
    showState(window, state);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize least = window.minimumSizeHint();
    QVERIFY2(least.width() <= 1280 && least.height() <= 680,
             qPrintable(QStringLiteral("%1x%2").arg(least.width()).arg(least.height())));
}

// At the least size the window takes, at the font the desktop gives.
void MainWindowTest::nothingIsClipped()
{
    QFETCH(QString, state);
    MainWindow window;
    showState(window, state);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(window.minimumSizeHint());
    QTRY_COMPARE(window.size(), window.minimumSizeHint());
    QApplication::processEvents();
    const QStringList clipped = clippedCaptions(&window);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("\n"))));
}

void MainWindowTest::aboutWindowLoads()
{
    AboutWindow about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Tavrel"));
    auto *versionLabel = control<QLabel>(&about, ControlNames::aboutVersionLabel);
    QVERIFY(versionLabel);
    QCOMPARE(versionLabel->text(), QStringLiteral("Version 1.1.2"));
    auto *titleLabel = control<QLabel>(&about, ControlNames::aboutTitleLabel);
    QVERIFY(titleLabel);
    QCOMPARE(titleLabel->text(), QStringLiteral("Tavrel"));
    auto *descriptionLabel = control<QLabel>(&about, ControlNames::aboutDescriptionLabel);
    QVERIFY(descriptionLabel);
    QCOMPARE(descriptionLabel->text(),
             QStringLiteral("Graphic LCD interface to a PIC microcontroller for the Samsung KS0108 controller"));
    auto *systemInfoButton = control<QAbstractButton>(&about, ControlNames::systemInfoButton);
    QVERIFY(systemInfoButton);
    QCOMPARE(systemInfoButton->text(), QStringLiteral("&System Info..."));
}

void MainWindowTest::helpTextExact()
{
    const QStringList lines = HelpWindow::helpText().split(QStringLiteral("\r\n"));
    MainWindow window;
    QCOMPARE(lines.first(), QStringLiteral("Some Brief Beta Instructions"));
    // The delay the box starts at, not the one of old.
    auto *xmitDelay = control<QLineEdit>(&window, ControlNames::xmitDelayBox);
    QVERIFY(xmitDelay);
    QCOMPARE(lines.at(2), QStringLiteral("2) The default Xmit delay of %1ms is used when sending directly to the LCD "
                                         "- adjust as needed.").arg(xmitDelay->text()));
    QVERIFY(lines.contains(QStringLiteral("What else")));
    QCOMPARE(lines.at(10), QStringLiteral("10)The Transmit Window can be used to send commands to the PIC"));
    QCOMPARE(lines.at(11), QStringLiteral("11)The 'Byte Matrix' should be left at 'vertical' for the KS0108 LCD's"));
    QVERIFY(lines.last().startsWith(QStringLiteral("Any comments and or suggestions are welcome! - ")));
    QVERIFY(lines.last().contains('@'));
    QVERIFY(!HelpWindow::helpText().endsWith(QStringLiteral("\r\n")));
    HelpWindow help;
    QCOMPARE(help.windowTitle(), QStringLiteral("Tavrel Help"));
    auto *helpCloseButton = control<QAbstractButton>(&help, ControlNames::helpCloseButton);
    QVERIFY(helpCloseButton);
    QCOMPARE(helpCloseButton->text(), QStringLiteral("&Close"));
}

void MainWindowTest::secondaryWindowsAreSingleInstances()
{
    MainWindow window;
    window.showAbout();
    window.showAbout();
    QCOMPARE(window.findChildren<AboutWindow *>().size(), 1);
    window.showHelp();
    window.showHelp();
    QCOMPARE(window.findChildren<HelpWindow *>().size(), 1);
    auto *help = window.findChild<HelpWindow *>();
    QVERIFY(help);
    QVERIFY(window.isEnabled()); // modeless: the main window stays usable
    auto *helpCloseButton = control<QAbstractButton>(help, ControlNames::helpCloseButton);
    QVERIFY(helpCloseButton);
    helpCloseButton->click();
    QTRY_COMPARE(window.findChildren<HelpWindow *>().size(), 0);
    window.showHelp();
    QCOMPARE(window.findChildren<HelpWindow *>().size(), 1);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
