#include "app/MainWindow.h"

#include "app/AboutWindow.h"
#include "ui/CommonDialog.h"
#include "ui/ControlFactory.h"
#include "app/FormControls.h"
#include "app/HelpWindow.h"
#include "canvas/CanvasPanel.h"
#include "canvas/PixelCanvas.h"
#include "convert/ConvertPanel.h"
#include "output/OutputPanel.h"
#include "serial/CommPort.h"
#include "serial/LinkSettingsPanel.h"
#include "serial/PortAssignments.h"
#include "serial/SerialPortPanel.h"
#include "serial/TerminalPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent) : MainWindow(PortAssignments::fromSystem(), parent)
{
}

MainWindow::MainWindow(const PortAssignments &ports, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(caption());
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainForm"));
    setCentralWidget(central);

    m_dialog = new CommonDialog(this);
    m_canvas = new CanvasPanel(m_state, central);
    m_convert = new ConvertPanel(m_state, central);
    m_link = new LinkSettingsPanel(m_state, central);
    m_port = new SerialPortPanel(m_state, central, ports);
    m_terminal = new TerminalPanel(m_state, central);
    m_output = new OutputPanel(m_state, central);

    auto *rows = new QVBoxLayout(central);
    rows->setContentsMargins(6, 4, 6, 4);
    rows->setSpacing(6);
    auto *top = new QHBoxLayout;
    top->addWidget(m_canvas);
    top->addWidget(buildIoSettings(), 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_output, 3);
    auto *portColumn = new QVBoxLayout;
    portColumn->addWidget(m_port);
    portColumn->addWidget(m_output->pasteAndSendButton());
    portColumn->addStretch();
    bottom->addLayout(portColumn);
    bottom->addWidget(m_terminal, 2);
    rows->addLayout(top);
    rows->addLayout(bottom, 1);

    buildMenu();
    startUp();
}

QString MainWindow::caption()
{
    return QStringLiteral("Tavrel Graphic LCD ToolBox       Beta Ver 3.12");
}

QWidget *MainWindow::buildIoSettings()
{
    auto *frame = Controls::frame(centralWidget(), QStringLiteral("fraIOSettings"), tr("I/O Settings"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(4);
    grid->addWidget(m_convert->outputFormatFrame(), 0, 0, 2, 1);
    grid->addWidget(m_convert->byteMatrixFrame(), 0, 1);
    grid->addWidget(m_link->eepromFrame(), 1, 1);
    grid->addWidget(m_link->ioFrame(), 2, 0, 1, 2);
    grid->addWidget(m_output->sendFrame(), 3, 0, Qt::AlignTop);
    grid->addWidget(m_output->editFrame(), 3, 1, Qt::AlignTop);
    grid->setRowStretch(4, 1);
    return frame;
}

void MainWindow::buildMenu()
{
    QMenuBar *bar = menuBar();
    auto add = [this, bar](const char *name, const QString &text, void (MainWindow::*slot)()) {
        QAction *action = bar->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add("mnuExit", tr("E&xit"), &MainWindow::exitProgram);
    // "&Open" loads a text file into the transmit window; its handler lives with the output panel.
    QAction *open = bar->addAction(tr("&Open"));
    open->setObjectName(QStringLiteral("mnuOpen"));
    connect(open, &QAction::triggered, m_output, &OutputPanel::openTextFile);
    add("mnuAbout", tr("&About"), &MainWindow::showAbout);
    add("mnuHelp", tr("&Help"), &MainWindow::showHelp);
}

void MainWindow::startUp()
{
    QWidget *form = centralWidget();
    auto *settings = formControl<QListWidget>(form, QStringLiteral("List1"));
    settings->addItems({"19200,n,8,1", "9600,n,8,1", "4800,n,8,1", "2400,n,8,1", "1200,n,8,1"});
    formControl<QLabel>(form, QStringLiteral("Label2"))->setText(QStringLiteral("19200,n,8,1"));
    m_state.penDown = false;
    formControl<QComboBox>(form, QStringLiteral("Combo1"))->setCurrentIndex(0);
    m_canvas->penSizeClicked(0);
    // Selecting a list item runs its handler, just as a click would.
    settings->setCurrentRow(0);
    formControl<QListWidget>(form, QStringLiteral("List2"))->setCurrentRow(4);
    formControl<QListWidget>(form, QStringLiteral("List3"))->setCurrentRow(1);
    const QSize display = m_canvas->canvas()->size();
    m_state.canvasBaseHeight = qint16(display.height());
    m_state.canvasBaseWidth = qint16(display.width());
    m_state.lcdWidth = 240;
    m_state.lcdHeight = 64;
    m_state.picBufferSize = 32;
    m_state.picDelayMs = 10;
    m_state.waitChars = QStringLiteral("]");
    m_state.outputText.clear();
    m_state.savedOutputText.clear();
    m_state.reformattedText.clear();
    m_state.eepromMode = false;
    m_state.lcdSizeIndex = 2;
    m_state.byteMatrixHorizontal = 1;
}

void MainWindow::showAbout()
{
    if (!m_about)
        m_about = new AboutWindow(this);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::exitProgram()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // E&xit and closing the window both let go of the serial device first.
    m_port->commPort()->setPortOpen(false);
    event->accept();
    QCoreApplication::quit();
}
