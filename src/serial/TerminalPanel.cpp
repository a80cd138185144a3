#include "serial/TerminalPanel.h"

#include "core/AppState.h"
#include "ui/ControlFactory.h"
#include "app/FormControls.h"
#include "serial/CommPort.h"
#include "serial/ReceiveFilter.h"
#include "serial/TerminalText.h"
#include "serial/TypedKey.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

TerminalPanel::TerminalPanel(AppState &state, QWidget *form)
    : QWidget(form), m_state(state), m_form(form), m_input(new QPlainTextEdit(this)),
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
    port();
}

CommPort *TerminalPanel::port()
{
    // Found on first use, whichever panel the window builds first.
    if (!m_port) {
        m_port = formControl<CommPort>(m_form, QStringLiteral("MSComm1"));
        // A last read as the port closes: what came after the last tick still shows.
        if (m_port)
            connect(m_port, &CommPort::closed, this, &TerminalPanel::receiveTick);
    }
    return m_port;
}

void TerminalPanel::receiveTick()
{
    CommPort *comm = port();
    const QString received = comm ? comm->input() : QString();
    if (received.isEmpty())
        return;
    if (TerminalText::shows(m_input, QStringLiteral("Waiting.....")))
        m_input->clear();
    TerminalText::append(m_input, ReceiveFilter::filter(received), inputLimit);
}

bool TerminalPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_typing && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        CommPort *comm = port();
        const QByteArray bytes = TypedKey::bytes(key->key(), key->text());
        if (comm && comm->portOpen() && !bytes.isEmpty())
            comm->writeBytes(bytes);
    }
    // The key still edits Text2 as usual.
    return QWidget::eventFilter(watched, event);
}
