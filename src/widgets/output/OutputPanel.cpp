#include "widgets/output/OutputPanel.h"
#include "widgets/ui/ControlNames.h"

#include "logic/core/AppState.h"
#include "widgets/ui/FileAndFontPrompts.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/UserMessages.h"
#include "widgets/convert/ConvertControls.h"
#include "widgets/output/OutputFileActions.h"
#include "widgets/output/SendController.h"
#include "logic/output/SendStream.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {
const QString upCaseCaption = QStringLiteral("&UpCase");
const QString lowCaseCaption = QStringLiteral("&LowCase");
} // namespace

OutputPanel::OutputPanel(AppState &state, FileAndFontPrompts &dialog, const SendPeers &peers, QWidget *form)
    : QWidget(form), m_state(state), m_dialog(dialog), m_convert(peers.convert), m_form(form),
      m_output(new QPlainTextEdit(this)),
      m_pasteAndSend(Controls::button(form, ControlNames::pasteAndSendButton, tr("Paste and Send ")))
{
    m_pasteAndSend->setEnabled(false);
    setObjectName(ControlNames::outputPanel);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_output->setObjectName(QString(ControlNames::outputWindow));
    m_output->setAccessibleName(tr("Output window"));
    m_output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control rather than into the text.
    m_output->setTabChangesFocus(true);
    // Hex text needs no shaping; skipping it halves the layout of a
    // 1024x1024 picture's 262,144 characters.
    QFont font = m_output->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    m_output->setFont(font);
    m_output->setPlaceholderText(tr("Convert writes the picture's bytes here."));
    layout->addWidget(m_output, 1);
    m_sendFrame = buildSendFrame(peers);
    m_editFrame = buildEditFrame();
    // Export writes what the window holds: nothing there, nothing to export.
    connect(m_output, &QPlainTextEdit::textChanged, this,
            [this] { m_export->setEnabled(!m_output->toPlainText().trimmed().isEmpty()); });
    m_files = new OutputFileActions(m_state, m_dialog, m_convert, m_output, this);
    connect(m_files, &OutputFileActions::transmitTextLoaded, this, &OutputPanel::transmitTextLoaded);
}

QList<QWidget *> OutputPanel::sendFocusOrder() const
{
    return {m_send, m_reformat, m_stop};
}

QList<QWidget *> OutputPanel::editFocusOrder() const
{
    return {m_copy, m_save, m_export, m_clear, m_restore, m_caseToggle};
}

QList<QWidget *> OutputPanel::lockedWhileSending() const
{
    // Anything that rewrites the output window while the echo goes into it,
    // and the file actions beside Save.
    return {m_send, m_reformat, m_pasteAndSend, m_save, m_export, m_clear, m_restore, m_caseToggle};
}

// Word wrapping a line of thousands of characters without a blank costs
// Qt's layout seconds (it looks for a word's end again on every line): such
// text wraps anywhere, text with blanks at its word boundaries.
void OutputPanel::showText(const QString &text)
{
    constexpr qsizetype longestWord = 200;
    qsizetype run = 0;
    bool longRun = false;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > longestWord) {
            longRun = true;
            break;
        }
    }
    m_output->setWordWrapMode(longRun ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_output->setPlainText(text);
}

void OutputPanel::showConversion(bool ok, const QString &text)
{
    showText(ok ? text : QString());
    m_save->setEnabled(true);
    // Only a successful Convert has a header to reformat with; an earlier
    // stream no longer matches the picture.
    m_reformat->setEnabled(ok);
    m_send->setEnabled(false);
}

void OutputPanel::setConvertedMatrix(const ConversionResult &matrix)
{
    m_matrix = matrix;
}

void OutputPanel::showPictureDump(const QString &dump)
{
    // Only a Convert makes text that Reformat takes: a new picture retires the last one, as Clear does.
    showText(dump);
    m_state.transferHeader.clear();
    m_matrix = ConversionResult();
    m_reformat->setEnabled(false);
    m_send->setEnabled(false);
}

void OutputPanel::setEepromTarget(bool eeprom)
{
    m_send->setText(eeprom ? tr("Load Eeprom") : tr("Send to LCD"));
    m_sendFrame->setTitle(eeprom ? tr("Directly load  I2C Eeprom") : tr("Directly load LCD"));
    // Frames carry a set name (see Controls::frame): it follows the title by hand.
    m_sendFrame->setAccessibleName(m_sendFrame->title());
}

void OutputPanel::setPortOpen(bool open)
{
    m_pasteAndSend->setEnabled(open);
}

QGroupBox *OutputPanel::buildSendFrame(const SendPeers &peers)
{
    auto *frame = Controls::frame(this, ControlNames::directLoadFrame, tr("Directly load LCD"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setSpacing(2);
    m_send = Controls::button(frame, ControlNames::sendToLcdButton, tr("Send to LCD"));
    m_reformat = Controls::button(frame, ControlNames::reformatButton, tr("Reformat For Output"));
    m_send->setEnabled(false);
    m_reformat->setEnabled(false);
    connect(m_reformat, &QPushButton::clicked, this, &OutputPanel::reformatClicked);
    // Shown only while a send runs; they keep their room so nothing jumps.
    auto *stop = Controls::button(frame, ControlNames::stopSendButton, tr("Stop"));
    m_stop = stop;
    stop->setToolTip(tr("Stop sending (Esc)"));
    auto *progress = new QProgressBar(frame);
    progress->setObjectName(ControlNames::sendProgressBar);
    progress->setAccessibleName(tr("Sending progress"));
    for (QWidget *sendingOnly : {static_cast<QWidget *>(stop), static_cast<QWidget *>(progress)}) {
        QSizePolicy policy = sendingOnly->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        sendingOnly->setSizePolicy(policy);
        sendingOnly->hide();
    }
    // Stop beside Send, where the pointer is when a send starts.
    grid->addWidget(m_send, 0, 0);
    grid->addWidget(stop, 0, 1);
    grid->addWidget(m_reformat, 1, 0, 1, 2);
    grid->addWidget(progress, 2, 0, 1, 2);
    m_sender = new SendController(m_state, peers, m_form, m_output, m_pasteAndSend, stop, progress);
    connect(m_send, &QPushButton::clicked, m_sender, &SendController::sendClicked);
    connect(m_pasteAndSend, &QPushButton::clicked, m_sender, &SendController::pasteAndSendClicked);
    return frame;
}

QWidget *OutputPanel::buildEditFrame()
{
    auto *frame = Controls::frame(this, ControlNames::textOutputFrame, tr("Text Output Window"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setSpacing(2);
    auto add = [this, frame, grid](const char *name, const QString &caption, void (OutputPanel::*handler)(),
                                   int row, int column, int span) {
        auto *button = Controls::button(frame, QLatin1String(name), caption);
        connect(button, &QPushButton::clicked, this, handler);
        grid->addWidget(button, row, column, 1, span);
        return button;
    };
    m_copy = add(ControlNames::copyOutputButton, tr("Copy"), &OutputPanel::copyClicked, 0, 0, 1);
    m_save = add(ControlNames::saveOutputButton, tr("Save"), &OutputPanel::saveClicked, 0, 1, 1);
    m_save->setEnabled(false);
    m_save->setAccessibleDescription(tr("Saves the output window's text"));
    m_export = add(ControlNames::exportButton, tr("Export…"), &OutputPanel::exportClicked, 0, 2, 1);
    m_export->setEnabled(false);
    m_export->setAccessibleDescription(tr("Writes the output window's bytes as C source, XBM, binary, "
                                          "Intel HEX or assembler"));
    m_clear = add(ControlNames::clearOutputButton, tr("Clear"), &OutputPanel::clearClicked, 1, 0, 1);
    m_clear->setAccessibleDescription(tr("Clears the output window"));
    m_restore = add(ControlNames::restoreOutputButton, tr("Restore"), &OutputPanel::restoreClicked, 1, 1, 1);
    m_caseToggle = add(ControlNames::caseButton, upCaseCaption, &OutputPanel::caseToggleClicked, 2, 0, 3);
    return frame;
}

void OutputPanel::reformatClicked()
{
    if (m_convert.hasFormatOrDelimiter()) {
        UserMessages::inform(window(), QStringLiteral("No Format or Delimiters allowed\n\rConvert again without them."));
        return;
    }
    const QString problem = reformatProblem();
    if (!problem.isEmpty()) {
        UserMessages::inform(window(), problem);
        return;
    }
    // The stream is lower case throughout, its wait character too.
    const QString waitChar = m_state.waitChars.toLower();
    m_state.outputText = SendStream::outputTextFrom(m_output->toPlainText());
    m_state.reformattedText = SendStream::reformat(m_state.reformattedText, m_state.transferHeader, waitChar,
                                                   m_state.outputText, m_state.picBufferSize);
    m_state.reformattedWaitChar = waitChar;
    showText(m_state.reformattedText);
    m_send->setEnabled(true);
    m_reformat->setEnabled(false);
}

// Why the output window cannot become a stream for the PIC, "" when it can.
QString OutputPanel::reformatProblem() const
{
    if (m_state.transferHeader.isEmpty())
        return tr("There is no transfer header for this text: press Convert, then Reformat For Output.");
    if (m_matrix.layout != MatrixLayout::usual(m_matrix.layout.horizontal))
        return tr("The PIC takes KS0108 or T6963C bytes only: choose the first profile, press Convert, then "
                  "Reformat For Output.");
    const QString waitProblem = SendStream::waitCharProblem(m_state.waitChars);
    if (!waitProblem.isEmpty())
        return waitProblem;
    return SendStream::hexTextProblem(SendStream::outputTextFrom(m_output->toPlainText()));
}

void OutputPanel::copyClicked()
{
    QGuiApplication::clipboard()->setText(m_output->toPlainText());
    UserMessages::inform(window(), QStringLiteral("Text copied to Clipboad"));
}

void OutputPanel::saveClicked()
{
    m_files->save();
}

void OutputPanel::exportClicked()
{
    m_files->exportBytes();
}

void OutputPanel::clearClicked()
{
    m_output->clear();
    m_state.transferHeader.clear();
    m_save->setEnabled(false);
    m_reformat->setEnabled(false);
}

void OutputPanel::restoreClicked()
{
    showText(m_state.savedOutputText);
    m_save->setEnabled(true);
}

void OutputPanel::caseToggleClicked()
{
    QPushButton *toggle = m_caseToggle;
    const bool toUpper = toggle->text() == upCaseCaption;
    toggle->setText(toUpper ? lowCaseCaption : upCaseCaption);
    const QString text = m_output->toPlainText();
    showText(toUpper ? text.toUpper() : text.toLower());
}

void OutputPanel::openTextFile()
{
    m_files->openTextFile();
}
