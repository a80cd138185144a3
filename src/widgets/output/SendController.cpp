#include "widgets/output/SendController.h"

#include "logic/core/AckProtocol.h"
#include "logic/core/AppState.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/UserMessages.h"
#include "logic/output/Latin1Text.h"
#include "logic/output/TransmitDelay.h"
#include "logic/serial/CommPort.h"
#include "widgets/convert/ConvertControls.h"
#include "widgets/serial/PicLinkControls.h"
#include "widgets/serial/PortIndicator.h"
#include "widgets/serial/SerialPortPanel.h"
#include "widgets/serial/TerminalPanel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextCursor>

namespace {
constexpr int refreshIntervalMs = 30;
} // namespace

SendController::SendController(AppState &state, const SendPeers &peers, QWidget *form, QPlainTextEdit *output,
                               QPushButton *pasteAndSend, QPushButton *stop, QProgressBar *progress)
    : QObject(form), m_state(state), m_peers(peers), m_form(form), m_output(output), m_pasteAndSend(pasteAndSend),
      m_stop(stop), m_progress(progress),
      m_escape(new QShortcut(QKeySequence(Qt::Key_Escape), form, nullptr, nullptr, Qt::WindowShortcut))
{
    m_escape->setEnabled(false);
    m_refresh.setInterval(refreshIntervalMs);
    connect(m_escape, &QShortcut::activated, this, &SendController::stopClicked);
    connect(m_stop, &QPushButton::clicked, this, &SendController::stopClicked);
    connect(&m_refresh, &QTimer::timeout, this, &SendController::showProgress);
    connect(&m_sender, &PacedSender::finished, this, &SendController::sendFinished);
    connect(&m_sender, &PacedSender::stopped, this, &SendController::sendStopped);
    // Queued: the failure may surface while the port itself is closing.
    connect(&m_sender, &PacedSender::failed, this, &SendController::sendFailed, Qt::QueuedConnection);
    connect(&m_sender, &PacedSender::acknowledged, this, &SendController::showAcknowledged);
    // The terminal is paused during a send: what the PIC says besides its
    // verdicts waits in the port for it.
    connect(&m_sender, &PacedSender::received, this, [this](const QByteArray &bytes) {
        if (CommPort *comm = port())
            comm->keepUnread(bytes);
    });
}

CommPort *SendController::port() const
{
    return m_peers.port.commPort();
}

void SendController::sendClicked()
{
    CommPort *comm = port();
    if (!comm || !comm->portOpen()) {
        UserMessages::inform(m_form, QStringLiteral("Please, open Comm Port first."));
        return;
    }
    const std::optional<int> pauseMs = TransmitDelay::truncated(m_peers.link.transmitDelayText());
    if (!pauseMs) {
        UserMessages::inform(m_form, QStringLiteral("Error - Check Settings!"));
        UserMessages::beep();
        return;
    }
    m_acknowledged = m_peers.link.waitsForPic();
    if (m_acknowledged && PacedSender::pauseByteFor(m_state.reformattedWaitChar) < 0) {
        UserMessages::inform(m_form, tr("\"Wait for PIC\" needs a wait character of exactly one character, as the "
                                        "PIC answers after each block it marks. Nothing was sent."));
        return;
    }
    const QString text = m_acknowledged ? QLatin1Char(AckProtocol::RequestChar) + m_state.reformattedText
                                        : m_state.reformattedText;
    const qsizetype outside = Latin1Text::firstOutside(text);
    if (outside >= 0) {
        UserMessages::inform(m_form, Latin1Text::sendRefusal(text, outside));
        return;
    }
    m_output->clear();
    m_peers.convert.showCharactersLeft(text.size());
    m_peers.terminal.pauseReceiving();
    start(Kind::Stream, text, m_state.reformattedWaitChar, *pauseMs);
}

void SendController::pasteAndSendClicked()
{
    if (!UserMessages::confirm(m_form, QStringLiteral("Are you sure?\n\rAnything in the clipboard will be sent immediately"))) {
        UserMessages::beep();
        return;
    }
    const QString delayText = m_peers.link.transmitDelayText();
    const std::optional<int> pauseMs = TransmitDelay::rounded(delayText);
    const QString waitChars = m_peers.link.waitCharText().trimmed().toLower();
    if (waitChars.size() > 1) {
        UserMessages::inform(m_form, tr("Wait Chr must be one character, or empty to send without pauses; it holds "
                                        "\"%1\". Nothing was sent.")
                                         .arg(waitChars));
        return;
    }
    if (!pauseMs) {
        UserMessages::inform(m_form, tr("The transmit delay \"%1\" is not a whole number of milliseconds. "
                                        "Nothing was sent.")
                                         .arg(delayText));
        return;
    }
    CommPort *comm = port();
    if (!comm || !comm->portOpen())
        return;
    // The transmit window shows what goes out, but the bytes come from the
    // clipboard itself: a text box would turn every CR into LF.
    m_acknowledged = false; // the clipboard's text has no header to ask with
    const QString clipboard = QGuiApplication::clipboard()->text().toLower();
    m_peers.terminal.setTransmitText(clipboard);
    const QString text = clipboard.trimmed();
    const qsizetype outside = Latin1Text::firstOutside(text);
    if (outside >= 0) {
        UserMessages::inform(m_form, Latin1Text::sendRefusal(text, outside));
        return;
    }
    start(Kind::Clipboard, text, waitChars, *pauseMs);
}

void SendController::stopClicked()
{
    m_sender.stop();
}

void SendController::start(Kind kind, const QString &text, const QString &waitChars, int pauseMs)
{
    m_kind = kind;
    m_text = text;
    m_shown = 0;
    m_lock.lock(m_locked);
    m_output->setReadOnly(true);
    m_form->window()->setCursor(Qt::BusyCursor);
    m_peers.port.showPortState(PortIndicator::State::Busy);
    m_progress->setRange(0, int(qMax<qsizetype>(1, text.size())));
    m_progress->setValue(0);
    m_progress->show();
    m_stop->show();
    m_escape->setEnabled(true);
    CommPort *comm = port();
    m_sender.setMaxInFlight(comm->outBufferSize());
    m_refresh.start();
    if (!startSender(waitChars, pauseMs))
        sendFailed(QString());
}

bool SendController::startSender(const QString &waitChars, int pauseMs)
{
    QSerialPort *serial = port()->serialPort();
    const int waitByte = PacedSender::pauseByteFor(waitChars);
    if (!m_acknowledged)
        return m_sender.start(serial, m_text.toLatin1(), waitByte, pauseMs);
    if (!m_sender.startAcknowledged(serial, m_text.toLatin1(), waitByte))
        return false;
    showAcknowledged(m_sender.acknowledgedBlocks(), m_sender.blockCount());
    return true;
}

void SendController::showAcknowledged(int done, int total)
{
    m_progress->setRange(0, qMax(1, total));
    m_progress->setValue(done);
}

// Echoes into outputWindow what has gone to the port since the last call and counts down.
void SendController::showProgress()
{
    const qsizetype sent = m_sender.sentCount();
    if (!m_acknowledged)
        m_progress->setValue(int(sent));
    if (m_kind != Kind::Stream || sent == m_shown)
        return;
    QTextCursor end(m_output->document());
    end.movePosition(QTextCursor::End);
    end.insertText(m_text.mid(m_shown, sent - m_shown));
    m_shown = sent;
    // Follow the echo, so the last characters sent stay in view.
    QScrollBar *scroll = m_output->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    m_peers.convert.showCharactersLeft(m_text.size() - sent);
}

void SendController::sendFinished()
{
    restoreIdle();
    UserMessages::beep();
}

void SendController::sendStopped()
{
    restoreIdle();
}

void SendController::sendFailed(const QString &reason)
{
    restoreIdle();
    // A vanished device has already said so in the port's own message.
    if (!port()->portOpen())
        return;
    if (m_acknowledged && !reason.isEmpty())
        UserMessages::inform(m_form, tr("The send stopped: %1.").arg(reason));
    else
        UserMessages::inform(m_form, QStringLiteral("Error - Check Settings!"));
    UserMessages::beep();
}

void SendController::restoreIdle()
{
    m_refresh.stop();
    showProgress();
    m_escape->setEnabled(false);
    m_stop->hide();
    m_progress->hide();
    m_output->setReadOnly(false);
    m_lock.unlock();
    CommPort *comm = port();
    const bool open = comm && comm->portOpen();
    if (open) {
        m_peers.port.showPortState(PortIndicator::State::On);
        if (m_kind == Kind::Stream)
            m_peers.terminal.resumeReceiving();
    } else {
        // The line was lost meanwhile: the port's own close left these states.
        m_pasteAndSend->setEnabled(false);
        m_peers.port.showClosedControls();
    }
    m_form->window()->unsetCursor();
}
