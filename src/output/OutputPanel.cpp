#include "output/OutputPanel.h"

#include "core/AppState.h"
#include "ui/CommonDialog.h"
#include "ui/ControlFactory.h"
#include "app/FormControls.h"
#include "ui/UserMessages.h"
#include "output/SendController.h"
#include "output/SendStream.h"
#include "output/TextFiles.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString upCaseCaption = QStringLiteral("&UpCase");
const QString lowCaseCaption = QStringLiteral("&LowCase");
} // namespace

OutputPanel::OutputPanel(AppState &state, QWidget *form)
    : QWidget(form), m_state(state), m_form(form), m_output(new QPlainTextEdit(this)),
      m_pasteAndSend(Controls::button(form, QStringLiteral("Command4"), tr("Paste and Send ")))
{
    m_pasteAndSend->setEnabled(false);
    setObjectName(QStringLiteral("fraOutput"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_output->setObjectName(QStringLiteral("Text3"));
    m_output->setAccessibleName(tr("Output window"));
    m_output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_output, 1);
    m_sendFrame = buildSendFrame();
    m_editFrame = buildEditFrame();
}

QWidget *OutputPanel::buildSendFrame()
{
    auto *frame = Controls::frame(this, QStringLiteral("Frame7"), tr("Directly load LCD"));
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(2);
    auto *send = Controls::button(frame, QStringLiteral("Command16"), tr("Send to LCD"));
    auto *reformat = Controls::button(frame, QStringLiteral("Command15"), tr("Reformat For Output"));
    send->setEnabled(false);
    reformat->setEnabled(false);
    connect(reformat, &QPushButton::clicked, this, &OutputPanel::reformatClicked);
    layout->addWidget(send);
    layout->addWidget(reformat);
    // Shown only while a send runs; they keep their room so nothing jumps.
    auto *stop = Controls::button(frame, QStringLiteral("cmdStop"), tr("Stop"));
    stop->setToolTip(tr("Stop sending (Esc)"));
    auto *progress = new QProgressBar(frame);
    progress->setObjectName(QStringLiteral("prgSend"));
    progress->setAccessibleName(tr("Sending progress"));
    for (QWidget *sendingOnly : {static_cast<QWidget *>(stop), static_cast<QWidget *>(progress)}) {
        QSizePolicy policy = sendingOnly->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        sendingOnly->setSizePolicy(policy);
        sendingOnly->hide();
        layout->addWidget(sendingOnly);
    }
    m_sender = new SendController(m_state, m_form, m_output, stop, progress);
    connect(send, &QPushButton::clicked, m_sender, &SendController::sendClicked);
    connect(m_pasteAndSend, &QPushButton::clicked, m_sender, &SendController::pasteAndSendClicked);
    return frame;
}

QWidget *OutputPanel::buildEditFrame()
{
    auto *frame = Controls::frame(this, QStringLiteral("Frame8"), tr("Text Output Window"));
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
    add("Command11", tr("Copy"), &OutputPanel::copyClicked, 0, 0, 1);
    add("Command12", tr("Save"), &OutputPanel::saveClicked, 0, 1, 1)->setEnabled(false);
    add("Command13", tr("Clear"), &OutputPanel::clearClicked, 1, 0, 1);
    add("Command14", tr("Restore"), &OutputPanel::restoreClicked, 1, 1, 1);
    add("txtcase", upCaseCaption, &OutputPanel::caseToggleClicked, 2, 0, 2);
    return frame;
}

QPushButton *OutputPanel::formButton(const char *name) const
{
    return formControl<QPushButton>(m_form, QLatin1String(name));
}

CommonDialog *OutputPanel::commonDialog() const
{
    return m_form->window()->findChild<CommonDialog *>(QStringLiteral("commdlg"));
}

void OutputPanel::reformatClicked()
{
    const bool formatted = !formControl<QLineEdit>(m_form, QStringLiteral("txtfrmt"))->text().isEmpty()
        || !formControl<QLineEdit>(m_form, QStringLiteral("txtDelim"))->text().isEmpty();
    if (formatted) {
        UserMessages::inform(window(), QStringLiteral("No Format or Delimiters allowed\n\rConvert again without them."));
        return;
    }
    m_state.outputText = SendStream::outputTextFrom(m_output->toPlainText());
    m_state.reformattedText = SendStream::reformat(m_state.reformattedText, m_state.transferHeader, m_state.waitChars,
                                                   m_state.outputText, m_state.picBufferSize);
    m_output->setPlainText(m_state.reformattedText);
    formButton("Command16")->setEnabled(true);
    formButton("Command15")->setEnabled(false);
}

void OutputPanel::copyClicked()
{
    QGuiApplication::clipboard()->setText(m_output->toPlainText());
    UserMessages::inform(window(), QStringLiteral("Text copied to Clipboad"));
}

void OutputPanel::saveClicked()
{
    CommonDialog *dialog = commonDialog();
    dialog->dialogTitle = QStringLiteral("LCD File to Save");
    dialog->filter = QStringLiteral("Text(*.txt)|*.txt|Basic (*.bas)|*.bas");
    dialog->fileName = QStringLiteral("*.txt");
    dialog->defaultExt = QStringLiteral("*.txt");
    dialog->showSave();
    if (dialog->fileName.isEmpty())
        return;
    QString reason;
    if (!TextFiles::save(dialog->fileName, m_output->toPlainText(), &reason))
        UserMessages::inform(window(), QStringLiteral("File Save Error - ") + reason);
}

void OutputPanel::clearClicked()
{
    m_output->clear();
    m_state.transferHeader.clear();
    formButton("Command12")->setEnabled(false);
}

void OutputPanel::restoreClicked()
{
    m_output->setPlainText(m_state.savedOutputText);
    formButton("Command12")->setEnabled(true);
}

void OutputPanel::caseToggleClicked()
{
    QPushButton *toggle = formButton("txtcase");
    const bool toUpper = toggle->text() == upCaseCaption;
    toggle->setText(toUpper ? lowCaseCaption : upCaseCaption);
    const QString text = m_output->toPlainText();
    m_output->setPlainText(toUpper ? text.toUpper() : text.toLower());
}

void OutputPanel::openTextFile()
{
    CommonDialog *dialog = commonDialog();
    dialog->fileName.clear();
    dialog->filter = QStringLiteral("Open ASCII (*.txt)|*.txt|All Files (*.*)|*.*|");
    dialog->showOpen();
    if (dialog->fileName.isEmpty())
        return;
    QString text;
    QString reason;
    const TextFiles::LoadResult result = TextFiles::load(dialog->fileName, text, &reason);
    if (result == TextFiles::LoadResult::Loaded)
        formControl<QPlainTextEdit>(m_form, QStringLiteral("Text2"))->setPlainText(text);
    else if (result == TextFiles::LoadResult::TooLarge)
        UserMessages::inform(window(), reason);
}
