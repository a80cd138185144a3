#include "gui/MainWindow.h"

#include "gui/WindowMenu.h"
#include "gui/PanelLayout.h"
#include "gui/SettingsKeeper.h"
#include "widgets/decode/PreviewPane.h"
#include "widgets/virtual/VirtualLcdLauncher.h"
#include "logic/virtual/VirtualPicConfig.h"
#include "widgets/ui/FileAndFontPrompts.h"
#include "widgets/ui/UserMessages.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/canvas/CanvasPanel.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/convert/ConvertControls.h"
#include "widgets/output/OutputPanel.h"
#include "logic/serial/CommPort.h"
#include "widgets/serial/PicLinkControls.h"
#include "logic/serial/PortAssignments.h"
#include "widgets/serial/SerialPortPanel.h"
#include "widgets/serial/TerminalPanel.h"
#include "widgets/ui/ControlNames.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent) : MainWindow(PortAssignments::fromSystem(), parent)
{
}

MainWindow::MainWindow(const PortAssignments &ports, QWidget *parent) : MainWindow(Unbuilt{}, parent)
{
    build(ports);
}

MainWindow::MainWindow(Unbuilt, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(ControlNames::mainWindow);
    setWindowTitle(caption());
}

// An empty window needs no font: the desktop maps it at once, and the
// panels built next are laid out and painted in its first paint.
void MainWindow::showBeforeBuilding(const SettingsStore &store)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(firstRoom(screen));
    m_placementRestored = true;
    m_placedBySettings = SettingsKeeper::restorePlacement(*this, store);
    show();
}

void MainWindow::build(const PortAssignments &ports)
{
    m_form = new QWidget(this);
    m_form->setObjectName(ControlNames::mainForm);
    setCentralWidget(m_form);
    buildPanels(ports);
    m_settings = new SettingsKeeper(*this, SettingsPanels{*m_port, *m_canvas, *m_convert, *m_link});
    PanelLayout::layOut(m_form, {*m_canvas, *m_convert, *m_link, *m_output, *m_preview, *m_port, *m_terminal});
    buildMenu();
    connectPanels();
    setFocusOrder();
    startUp();
    // Widgets added to a shown window wait to be shown; the first size needs them now.
    if (isVisible()) {
        m_form->show();
        menuBar()->show();
    }
    if (!m_placedBySettings)
        takeFirstSize();
}

// Each panel is built after the panels it reads from.
void MainWindow::buildPanels(const PortAssignments &ports)
{
    m_dialog = new FileAndFontPrompts(this);
    m_port = new SerialPortPanel(m_state, m_form, ports);
    m_terminal = new TerminalPanel(m_state, m_port->commPort(), m_form);
    m_canvas = new CanvasPanel(m_state, *m_dialog, m_form);
    m_link = new PicLinkControls(m_state, m_port->commPort(), m_form);
    m_convert = new ConvertControls(m_state, m_canvas->canvas(), m_canvas->convertButton(), *m_link, m_form);
    m_output = new OutputPanel(m_state, *m_dialog, SendPeers{*m_port, *m_terminal, *m_link, *m_convert}, m_form);
    m_preview = new PreviewPane(m_form);
    m_virtualLcd = new VirtualLcdLauncher(this);
}


// The panels meet here only: each one's events reach the others as calls.
void MainWindow::connectPanels()
{
    connect(m_port, &SerialPortPanel::opening, m_terminal, &TerminalPanel::showWaiting);
    connect(m_port, &SerialPortPanel::opened, m_terminal, &TerminalPanel::portOpened);
    connect(m_port, &SerialPortPanel::closed, m_terminal, &TerminalPanel::portClosed);
    connect(m_port, &SerialPortPanel::opened, m_output, [this] { m_output->setPortOpen(true); });
    connect(m_port, &SerialPortPanel::closed, m_output, [this] { m_output->setPortOpen(false); });
    connect(m_canvas, &CanvasPanel::pictureLoaded, m_output, &OutputPanel::showPictureDump);
    connect(m_canvas, &CanvasPanel::arrayLoaded, m_convert, &ConvertControls::showLayout);
    connect(m_convert, &ConvertControls::conversionDone, m_output, &OutputPanel::showConversion);
    connect(m_convert, &ConvertControls::matrixConverted, m_output, &OutputPanel::setConvertedMatrix);
    connect(m_link, &PicLinkControls::targetChanged, m_output, &OutputPanel::setEepromTarget);
    connect(m_output, &OutputPanel::transmitTextLoaded, m_terminal, &TerminalPanel::setTransmitText);
    // The preview follows the output window, the canvas, the size and the packing.
    QPlainTextEdit *output = m_output->outputWindow();
    // While a send echoes into it (read-only), the preview catches up only
    // once the echo rests: decoding every echo would cost the pauses their precision.
    auto *echoRest = new QTimer(this);
    echoRest->setSingleShot(true);
    echoRest->setInterval(PreviewPane::IdleDelayMs);
    connect(echoRest, &QTimer::timeout, m_preview, [this, output] { m_preview->setText(output->toPlainText()); });
    connect(output, &QPlainTextEdit::textChanged, m_preview, [this, output, echoRest] {
        if (output->isReadOnly())
            echoRest->start();
        else
            m_preview->setText(output->toPlainText());
    });
    // After the output window took the dump: the preview says it is no conversion.
    connect(m_canvas, &CanvasPanel::pictureLoaded, m_preview, &PreviewPane::showPictureDump);
    connect(m_canvas->canvas(), &PixelCanvas::changed, this, &MainWindow::showPreviewGeometry);
    connect(m_convert, &ConvertControls::packingChanged, this, &MainWindow::showPreviewGeometry);
    connect(m_canvas, &CanvasPanel::settingsChanged, m_settings, &SettingsKeeper::schedule);
    connect(m_convert, &ConvertControls::settingsChanged, m_settings, &SettingsKeeper::schedule);
    connect(m_link, &PicLinkControls::settingsChanged, m_settings, &SettingsKeeper::schedule);
    connect(m_port, &SerialPortPanel::settingsChanged, m_settings, &SettingsKeeper::schedule);
    m_output->sender()->setLockedWhileSending(m_canvas->lockedWhileSending() + m_output->lockedWhileSending()
                                              + m_port->lockedWhileSending() + m_link->lockedWhileSending()
                                              + m_terminal->lockedWhileSending());
}

// Tab follows the screen: the Graphic frame, the I/O settings frame by
// frame, then the bottom row from left to right.
void MainWindow::setFocusOrder()
{
    const QList<QWidget *> order = m_canvas->focusOrder() + m_convert->focusOrder() + m_link->eepromFocusOrder()
        + m_link->ioFocusOrder() + m_output->sendFocusOrder() + m_output->editFocusOrder()
        + QList<QWidget *>{m_output->outputWindow()} + m_preview->focusOrder() + m_port->focusOrder()
        + QList<QWidget *>{m_output->pasteAndSendButton()} + m_terminal->focusOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

QString MainWindow::caption()
{
    return QStringLiteral("Tavrel Graphic LCD ToolBox       Beta Ver 3.12");
}

void MainWindow::buildMenu()
{
    m_menu = new WindowMenu(*this, *m_canvas->canvas());
    m_menu->add(ControlNames::exitAction, tr("E&xit"), this, &MainWindow::exitProgram);
    // "&Open" loads a text file into the transmit window; its handler lives with the output panel.
    m_menu->add(ControlNames::openAction, tr("&Open"), m_output, &OutputPanel::openTextFile);
    m_menu->add(ControlNames::aboutAction, tr("&About"), m_menu, &WindowMenu::showAbout);
    m_menu->add(ControlNames::helpAction, tr("&Help"), m_menu, &WindowMenu::showHelp);
    m_menu->add(ControlNames::virtualLcdAction, tr("&Virtual LCD"), this, &MainWindow::startVirtualLcd);
    m_menu->add(ControlNames::fontToolAction, tr("&Font Tool"), m_menu, &WindowMenu::showFontTool);
    m_menu->add(ControlNames::resetSettingsAction, tr("&Reset settings"), m_settings, &SettingsKeeper::reset);
}

void MainWindow::startUp()
{
    m_port->startUp();
    m_canvas->startUp();
    m_link->startUp();
    // The state record's own initial values are the rest of the start-up state.
    showPreviewGeometry();
}

// Until a saved place says otherwise: the size the window asks for, as far
// as the screen holds it with a title bar above.
void MainWindow::takeFirstSize()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(sizeHint().boundedTo(firstRoom(screen)).expandedTo(minimumSizeHint()));
}

QSize MainWindow::firstRoom(const QRect &screen) const
{
    return screen.size() - QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
}

void MainWindow::showPreviewGeometry()
{
    m_preview->setLcdGeometry(m_state.lcdWidth, m_state.lcdHeight, m_convert->chosenLayout());
    m_preview->setReference(m_canvas->canvas()->image());
}

void MainWindow::showFontTool()
{
    m_menu->showFontTool();
}

void MainWindow::startVirtualLcd()
{
    const int com = m_port->checkedComNumber();
    if (m_port->commPort()->portOpen()) {
        UserMessages::inform(this, tr("Close the port first: the Virtual LCD takes the place of Com%1's device.")
                                       .arg(com));
        return;
    }
    VirtualPicConfig config;
    config.width = m_state.lcdWidth;
    config.height = m_state.lcdHeight;
    config.horizontal = m_state.byteMatrixHorizontal != 0;
    QString error;
    const QString path = m_virtualLcd->start(config, &error);
    if (path.isEmpty()) {
        UserMessages::inform(this, tr("Cannot start the Virtual LCD: %1").arg(error));
        return;
    }
    m_port->assignDevice(path);
}

void MainWindow::useSettings(SettingsStore *store)
{
    m_settings->use(store, m_placementRestored);
}

void MainWindow::resetSettings()
{
    m_settings->reset();
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    if (m_settings)
        m_settings->schedule();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_settings)
        m_settings->schedule();
}

void MainWindow::showAbout()
{
    m_menu->showAbout();
}

void MainWindow::showHelp()
{
    m_menu->showHelp();
}

void MainWindow::exitProgram()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_settings->save();
    // E&xit and closing the window both let go of the serial device first.
    m_port->commPort()->setPortOpen(false);
    event->accept();
    QCoreApplication::quit();
}
