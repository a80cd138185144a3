#include "serial/TerminalPanel.h"

#include "core/AppState.h"
#include "ui/ControlFactory.h"
#include "serial/CommPort.h"
#include "serial/ReceiveFilter.h"
#include "serial/TerminalText.h"
#include "serial/TypedKey.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QColor inputOpen(255, 255, 192);
const QColor typingOpen(192, 255, 192);
const QString waiting = QStringLiteral("Waiting.....");
} // namespace

TerminalPanel::TerminalPanel(AppState &state, CommPort *port, QWidget *form)
    : QWidget(form), m_state(state), m_port(port), m_input(new QPlainTextEdit(this)),
      m_typing(new QPlainTextEdit(this)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("fraTerminal"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_input->setObjectName(QStringLiteral("Text1"));
    m_input->setAccessibleName(tr("Serial input"));
    // CR LF is one line break here: the text shows as a line and an empty line.
    m_input->setPlainText(QStringLiteral("Serial Input from PIC\r\n"));
    m_input->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Received text is not an edit to undo; an undo stack would grow without bound.
    m_input->setUndoRedoEnabled(false);
    // Tab moves on; only the transmit window sends it as a byte.
    m_input->setTabChangesFocus(true);
    // Pasting or typing into Text1 obeys the same bound as received text.
    connect(m_input->document(), &QTextDocument::contentsChanged, this,
            [this] { TerminalText::dropOldest(m_input, inputLimit); }, Qt::QueuedConnection);
    m_typing->setObjectName(QStringLiteral("Text2"));
    m_typing->setAccessibleName(tr("Transmit window"));
    m_typing->setMaximumHeight(60);
    m_typing->installEventFilter(this);
    // White while the port is closed, tinted while open.
    for (QPlainTextEdit *box : {m_input, m_typing})
        Controls::setBackground(box, Qt::white);
    layout->addWidget(m_input, 1);
    layout->addWidget(m_typing);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, &TerminalPanel::receiveTick);
    // A last read as the port closes: what came after the last tick still shows.
    connect(m_port, &CommPort::closed, this, &TerminalPanel::receiveTick);
}

QList<QWidget *> TerminalPanel::focusOrder() const
{
    return {m_input, m_typing};
}

QList<QWidget *> TerminalPanel::lockedWhileSending() const
{
    return {m_typing};
}

void TerminalPanel::showWaiting()
{
    m_input->setPlainText(waiting);
}

void TerminalPanel::portOpened()
{
    m_timer->start();
    setColours(inputOpen, typingOpen);
}

void TerminalPanel::portClosed()
{
    m_timer->stop();
    if (TerminalText::shows(m_input, waiting))
        m_input->setPlainText(QStringLiteral("Serial Input from PIC"));
    setColours(Qt::white, Qt::white);
    m_typing->clear();
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
    m_typing->setPlainText(text);
}

void TerminalPanel::setColours(const QColor &input, const QColor &typing)
{
    Controls::setBackground(m_input, input);
    Controls::setBackground(m_typing, typing);
}

void TerminalPanel::receiveTick()
{
    const QString received = m_port->input();
    if (received.isEmpty())
        return;
    if (TerminalText::shows(m_input, waiting))
        m_input->clear();
    TerminalText::append(m_input, ReceiveFilter::filter(received), inputLimit);
}

bool TerminalPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_typing && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QByteArray bytes = TypedKey::bytes(key->key(), key->text());
        if (m_port->portOpen() && !bytes.isEmpty())
            m_port->writeBytes(bytes);
    }
    // The key still edits Text2 as usual.
    return QWidget::eventFilter(watched, event);
}
