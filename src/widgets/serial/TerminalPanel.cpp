#include "widgets/serial/TerminalPanel.h"
#include "widgets/ui/ControlNames.h"

#include "logic/core/AppState.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/UserMessages.h"
#include "logic/serial/CommPort.h"
#include "logic/serial/FixedPitchFont.h"
#include "widgets/serial/LogFileDialog.h"
#include "widgets/serial/ModemLineControls.h"
#include "widgets/serial/TerminalText.h"
#include "widgets/serial/TerminalView.h"
#include "widgets/serial/TransmitWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QColor inputOpen(255, 255, 192);
const QColor typingOpen(192, 255, 192);
const QString waiting = QStringLiteral("Waiting.....");
} // namespace

TerminalPanel::TerminalPanel(AppState &state, CommPort *port, QWidget *form)
    : QWidget(form), m_state(state), m_port(port), m_form(form), m_input(new TerminalView(this)),
      m_typing(new TransmitWindow(this)), m_timer(new QTimer(this)),
      m_clear(Controls::button(this, ControlNames::clearTerminalButton, tr("Clear"))),
      m_logButton(Controls::button(this, ControlNames::logToFileButton, tr("Log to File..."))),
      m_logFile(Controls::valueLabel(this, ControlNames::logFileLabel, tr("Not logging"), tr("Log file"))),
      m_lines(new ModemLineControls(port, form, this))
{
    setObjectName(ControlNames::terminalPanel);
    m_input->setObjectName(QString(ControlNames::serialInputWindow));
    m_input->setAccessibleName(tr("Serial input"));
    // CR LF is one line break here: the text shows as a line and an empty line.
    m_input->setPlainText(QStringLiteral("Serial Input from PIC\r\n"));
    m_input->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Received text is not an edit to undo; an undo stack would grow without bound.
    m_input->setUndoRedoEnabled(false);
    // Tab moves on; only the transmit window sends it as a byte.
    m_input->setTabChangesFocus(true);
    // Pasting or typing into serialInputWindow obeys the same bound as received text.
    connect(m_input->document(), &QTextDocument::contentsChanged, this,
            [this] { TerminalText::dropOldest(m_input, limit()); }, Qt::QueuedConnection);
    m_typing->setObjectName(QString(ControlNames::transmitWindow));
    m_typing->setAccessibleName(tr("Transmit window"));
    m_typing->setMaximumHeight(60);
    connect(m_typing, &TransmitWindow::typed, this, &TerminalPanel::sendTyped);
    // White while the port is closed, tinted while open.
    for (QPlainTextEdit *box : {m_input, static_cast<QPlainTextEdit *>(m_typing)})
        Controls::setBackground(box, Qt::white);
    m_clear->setAccessibleDescription(tr("Empties the serial input window"));
    m_logFile->hide();
    // A long path must not widen the window; the tooltip holds all of it.
    m_logFile->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_input, 1);
    layout->addLayout(buildViewChoice());
    auto *typingRow = new QHBoxLayout;
    typingRow->addWidget(m_typing, 1);
    typingRow->addWidget(buildEnterChoice());
    layout->addLayout(typingRow);

    m_renderer.setKeep(limit());
    m_timer->setObjectName(QString(ControlNames::receiveTimer));
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, &TerminalPanel::receiveTick);
    connect(m_clear, &QPushButton::clicked, this, &TerminalPanel::clearClicked);
    connect(m_logButton, &QPushButton::clicked, this, &TerminalPanel::logClicked);
    // A last read as the port closes: what came after the last tick still shows.
    connect(m_port, &CommPort::closed, this, &TerminalPanel::receiveTick);
}

// How received bytes show (all unchecked: the classic window), Clear and
// Log to File.
QLayout *TerminalPanel::buildViewChoice()
{
    auto add = [this](const char *name, const QString &caption) {
        QCheckBox *box = Controls::checkBox(this, QLatin1String(name), caption);
        connect(box, &QCheckBox::toggled, this, &TerminalPanel::viewChanged);
        return box;
    };
    m_hexView = add(ControlNames::hexViewCheck, tr("Hex view"));
    m_timestamps = add(ControlNames::timestampsCheck, tr("Timestamps"));
    m_controlBytes = add(ControlNames::controlBytesCheck, tr("Control bytes"));
    m_controlBytes->setToolTip(tr("Shows every control byte, CR and LF included, as a symbol"));
    m_lfStartsLine = add(ControlNames::lfStartsLineCheck, tr("LF starts a line"));
    m_lfStartsLine->setToolTip(tr("For devices that end lines with LF alone; CR is then dropped"));
    m_monospace = Controls::checkBox(this, ControlNames::monospaceCheck, tr("Monospace"));
    connect(m_monospace, &QCheckBox::toggled, this, &TerminalPanel::applyFont);
    // Three short rows keep the terminal narrow.
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(0);
    grid->addWidget(m_hexView, 0, 0);
    grid->addWidget(m_timestamps, 0, 1);
    grid->addWidget(m_clear, 0, 2);
    grid->addWidget(m_lfStartsLine, 1, 0);
    grid->addWidget(m_controlBytes, 1, 1);
    grid->addWidget(m_logButton, 1, 2);
    grid->addWidget(m_monospace, 2, 0);
    grid->addWidget(m_lines, 2, 1, 1, 2);
    grid->addWidget(m_logFile, 3, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    return grid;
}

// "Enter sends": CR as the PIC expects, or LF, or CR LF.
QWidget *TerminalPanel::buildEnterChoice()
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_enter = new QComboBox(column);
    m_enter->setObjectName(ControlNames::enterKeyBox);
    m_enter->addItem(QStringLiteral("CR"), int(EnterKey::Cr));
    m_enter->addItem(QStringLiteral("LF"), int(EnterKey::Lf));
    m_enter->addItem(QStringLiteral("CR LF"), int(EnterKey::CrLf));
    connect(m_enter, &QComboBox::currentIndexChanged, this,
            [this] { m_typing->setEnterKey(EnterKey(m_enter->currentData().toInt())); });
    layout->addWidget(Controls::label(column, ControlNames::enterKeyLabel, tr("Enter sends"), m_enter));
    layout->addWidget(m_enter);
    layout->addStretch();
    return column;
}

QList<QWidget *> TerminalPanel::focusOrder() const
{
    // The transmit window keeps Tab as a byte, so it comes last.
    return QList<QWidget *>{m_input,        m_hexView,      m_timestamps, m_clear,
                            m_lfStartsLine, m_controlBytes, m_logButton,  m_monospace}
        + m_lines->controls() + QList<QWidget *>{m_enter, m_typing};
}

QList<QWidget *> TerminalPanel::lockedWhileSending() const
{
    return QList<QWidget *>{m_typing} + m_lines->controls();
}

void TerminalPanel::showWaiting()
{
    m_history.clear();
    m_renderer.reset();
    m_input->setPlainText(waiting);
}

void TerminalPanel::portOpened()
{
    m_timer->start();
    setColours(inputOpen, typingOpen);
    m_lines->showPortOpen(true);
}

void TerminalPanel::portClosed()
{
    m_timer->stop();
    if (TerminalText::shows(m_input, waiting))
        m_input->setPlainText(QStringLiteral("Serial Input from PIC"));
    setColours(Qt::white, Qt::white);
    m_typing->clear();
    m_lines->showPortOpen(false);
}

void TerminalPanel::pauseReceiving()
{
    m_timer->stop();
}

void TerminalPanel::resumeReceiving()
{
    if (m_port->portOpen())
        m_timer->start();
}

void TerminalPanel::setTransmitText(const QString &text)
{
    m_typing->holdText(text);
}

void TerminalPanel::setColours(const QColor &input, const QColor &typing)
{
    Controls::setBackground(m_input, input);
    Controls::setBackground(m_typing, typing);
}

void TerminalPanel::sendTyped(const QByteArray &bytes)
{
    if (m_port->portOpen())
        m_port->writeBytes(bytes);
}

void TerminalPanel::receiveTick()
{
    const QByteArray received = m_port->inputBytes();
    if (received.isEmpty())
        return;
    logReceived(received);
    const QTime now = QTime::currentTime();
    m_history.append(received, now);
    if (TerminalText::shows(m_input, waiting))
        m_input->clear();
    TerminalText::apply(m_input, m_renderer.render(received, now), limit());
}

ReceiveViewOptions TerminalPanel::chosenView() const
{
    ReceiveViewOptions options;
    options.hex = m_hexView->isChecked();
    options.timestamps = m_timestamps->isChecked();
    options.controlBytes = m_controlBytes->isChecked();
    options.lineStart = m_lfStartsLine->isChecked() ? ReceiveFilter::LineStart::AfterLf
                                                    : ReceiveFilter::LineStart::AfterCr;
    return options;
}

int TerminalPanel::limit() const
{
    return m_renderer.options().hex ? hexLimit : inputLimit;
}

// The bytes kept are drawn again in the new view; with nothing received
// yet the window keeps what it shows.
void TerminalPanel::viewChanged()
{
    m_renderer = ReceiveRenderer(chosenView());
    m_renderer.setKeep(limit());
    // A hex dump is generated text: it can be selected, not edited.
    m_input->setReadOnly(m_renderer.options().hex);
    if (m_renderer.options().hex)
        m_input->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A hex row is read across: it scrolls rather than wraps onto three lines.
    m_input->setLineWrapMode(m_renderer.options().hex ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    applyFont();
    if (m_history.isEmpty())
        return;
    QString text;
    for (const ReceiveHistory::Chunk &chunk : m_history.chunks())
        BoundedText::apply(text, m_renderer.render(chunk.bytes, chunk.arrival), limit());
    m_input->setPlainText(text);
    m_input->verticalScrollBar()->setValue(m_input->verticalScrollBar()->maximum());
}

void TerminalPanel::applyFont()
{
    const bool fixed = m_monospace->isChecked() || m_hexView->isChecked();
    m_input->setFont(fixed ? FixedPitchFont::system() : font());
}

void TerminalPanel::clearClicked()
{
    m_history.clear();
    m_renderer.reset();
    m_input->clear();
}

void TerminalPanel::logClicked()
{
    if (m_log.isLogging()) {
        m_log.stop();
        showLogState();
        return;
    }
    const QString path = LogFileDialog::ask(m_form, m_log.fileName());
    if (path.isEmpty())
        return;
    if (!m_log.start(path))
        UserMessages::inform(m_form, m_log.errorString());
    showLogState();
}

void TerminalPanel::logReceived(const QByteArray &bytes)
{
    if (m_log.write(bytes))
        return;
    showLogState();
    UserMessages::inform(m_form, m_log.errorString());
}

void TerminalPanel::showLogState()
{
    const bool logging = m_log.isLogging();
    m_logButton->setText(logging ? tr("Stop Logging") : tr("Log to File..."));
    m_logFile->setText(logging ? tr("Logging to %1").arg(QFileInfo(m_log.fileName()).fileName()) : tr("Not logging"));
    m_logFile->setToolTip(logging ? m_log.fileName() : QString());
    m_logFile->setVisible(logging);
}

