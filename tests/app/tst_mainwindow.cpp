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
    auto *proto = control<QListWidget>(&window, "proto");
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
    struct Row { const char *name, *caption; bool enabled, checked; };
    const Row rows[] = {
        {ControlNames::clearCanvasButton, "Clear", true, false},       {ControlNames::eraseButton, "Erase", true, false},
        {ControlNames::drawButton, "Draw", true, false},        {"chkinvert", "Inverted", true, true},
        {"cmdfont", "Font", true, false},         {"cmdtext", "Text", true, false},
        {ControlNames::loadPictureButton, "Load", true, false},       {ControlNames::savePictureButton, "Save", true, false},
        {ControlNames::convertButton, "Convert", true, false},     {ControlNames::verticalOption, "Vertical KS0108", true, false},
        {ControlNames::horizontalOption, "Horizontal", true, true},  {"cmdApply", "Apply", true, false},
        {"cmdlcd", "&Disp Eprom", true, false},   {ControlNames::sendToLcdButton, "Send to LCD", false, false},
        {ControlNames::reformatButton, "Reformat For Output", false, false}, {ControlNames::copyOutputButton, "Copy", true, false},
        {ControlNames::saveOutputButton, "Save", false, false},      {"cmdExport", "Export…", false, false},
        {ControlNames::clearOutputButton, "Clear", true, false},
        {ControlNames::restoreOutputButton, "Restore", true, false},    {"txtcase", "&UpCase", true, false},
        {"Option1_0", "Com1", true, true},        {"Option1_1", "Com2", true, false},
        {"Option1_2", "Com3", true, false},       {"Option1_3", "Com4", true, false},
        {"cmdcomm", "Open", true, false},         {"cmdbuff", "Apply", true, false},
        {ControlNames::pasteAndSendButton, "Paste and Send ", false, false}, {ControlNames::loadEepromCheck, "", true, false},
        {"optgrf_0", "", true, true},             {"optgrf_7", "", true, false},
    };
    for (const Row &row : rows)
        QTest::newRow(row.name) << row.name << row.caption << row.enabled << row.checked;
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
    const char *rows[][2] = {
        {ControlNames::headerBox, "Header"},    {ControlNames::footerBox, "Footer"},         {ControlNames::delimiterBox, "Delimiter"},
        {ControlNames::formatBox, "Format"},    {ControlNames::waitCharBox, "Wait Chr"},         {ControlNames::picBufferList, "PIC Buffer"},
        {ControlNames::picDelayList, "PIC Delay(ms)"}, {"xmitdelay", "Xmit Delay(ms)"}, {"eeprom", "Start Addr"},
        {ControlNames::portSettingsList, "Setting"},          {"proto", "Handshake"},
        {"combuff", "Com out buff"}, {"optgrf_0", "240x64"},     {"optgrf_7", "320x200"},
        {"optgrf_2", "128x32"},   {ControlNames::pixelCanvas, "Canvas"},        {ControlNames::outputWindow, "Output window"},
        {ControlNames::serialInputWindow, "Serial input"}, {ControlNames::transmitWindow, "Transmit window"}, {"pictxt", "Text to stamp"},
        {ControlNames::loadEepromCheck, "Load EEprom"}, {ControlNames::loadPictureButton, "Load"},        {"cmdlcd", "Disp Eprom"},
        {ControlNames::byteMatrixFrame, "Byte Matrix"}, {ControlNames::directLoadFrame, "Directly load LCD"}, {ControlNames::eepromFrame, "I2C Eeprom"},
        {"cmdUndo", "Undo"},      {"cmdFlipH", "Flip H"},        {"optgrf_8", "Custom"},
        {"txtWidth", "Width"},    {"cmdPaste", "Paste Picture"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
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
    for (const auto &[name, caption] : {std::pair{ControlNames::penSizeBox, "Pen Size"}, std::pair{"cboTool", "Tool"},
                                        std::pair{"cboZoom", "Zoom"}, std::pair{"cboDisplayType", "Display type"}}) {
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
    const QStringList pairs = {"comm=Port state", "lblfz=Byte count", "lblrem=Characters left",
                               "portSettingLabel=Port settings", "lblxy=Pointer position", "lblStatus=Canvas status",
                               "lblFont=Font in use"};
    for (const QString &pair : pairs) {
        const QStringList parts = pair.split('=');
        auto *label = control<QLabel>(&window, parts.at(0));
        QVERIFY(label);
        QCOMPARE(label->accessibleDescription(), parts.at(1));
    }
    auto *comm2 = control<QLabel>(&window, "comm");
    QVERIFY(comm2);
    QCOMPARE(comm2->text(), QStringLiteral("OFF"));
    auto *lblfz2 = control<QLabel>(&window, "lblfz");
    QVERIFY(lblfz2);
    QCOMPARE(lblfz2->text(), QStringLiteral("0000"));
    auto *lblxy2 = control<QLabel>(&window, "lblxy");
    QVERIFY(lblxy2);
    QVERIFY(lblxy2->isHidden());
    auto *lblxmit = control<QLabel>(&window, "lblxmit");
    QVERIFY(lblxmit);
    QVERIFY(lblxmit->isHidden());
    auto *combuff = control<QLineEdit>(&window, "combuff");
    QVERIFY(combuff);
    QCOMPARE(combuff->text(), QStringLiteral("512"));
    auto *xmitdelay = control<QLineEdit>(&window, "xmitdelay");
    QVERIFY(xmitdelay);
    QCOMPARE(xmitdelay->text(), QStringLiteral("5"));
    auto *eeprom = control<QLineEdit>(&window, "eeprom");
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
    const char *name = state == "custom size" ? "optgrf_8"
        : state == "vertical"                 ? ControlNames::verticalOption
        : state == "eeprom"                   ? ControlNames::loadEepromCheck
                                              : nullptr;
    if (auto *button = name ? control<QAbstractButton>(&window, name) : nullptr)
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
    auto *lblVersion = control<QLabel>(&about, "lblVersion");
    QVERIFY(lblVersion);
    QCOMPARE(lblVersion->text(), QStringLiteral("Version 1.1.2"));
    auto *lblTitle = control<QLabel>(&about, "lblTitle");
    QVERIFY(lblTitle);
    QCOMPARE(lblTitle->text(), QStringLiteral("Tavrel"));
    auto *lblDescription = control<QLabel>(&about, "lblDescription");
    QVERIFY(lblDescription);
    QCOMPARE(lblDescription->text(),
             QStringLiteral("Graphic LCD interface to a PIC microcontroller for the Samsung KS0108 controller"));
    auto *cmdSysInfo = control<QAbstractButton>(&about, "cmdSysInfo");
    QVERIFY(cmdSysInfo);
    QCOMPARE(cmdSysInfo->text(), QStringLiteral("&System Info..."));
}

void MainWindowTest::helpTextExact()
{
    const QStringList lines = HelpWindow::helpText().split(QStringLiteral("\r\n"));
    MainWindow window;
    QCOMPARE(lines.first(), QStringLiteral("Some Brief Beta Instructions"));
    // The delay the box starts at, not the one of old.
    QCOMPARE(lines.at(2), QStringLiteral("2) The default Xmit delay of %1ms is used when sending directly to the LCD "
                                         "- adjust as needed.").arg(control<QLineEdit>(&window, "xmitdelay")->text()));
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
