#include "output/OutputPanel.h"

#include "app/AppState.h"
#include "app/ControlFactory.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

OutputPanel::OutputPanel(AppState &state, QWidget *form)
    : QWidget(form), m_state(state), m_form(form),
      m_pasteAndSend(Controls::button(form, QStringLiteral("Command4"), tr("Paste and Send ")))
{
    m_pasteAndSend->setEnabled(false);
    setObjectName(QStringLiteral("fraOutput"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *output = new QPlainTextEdit(this);
    output->setObjectName(QStringLiteral("Text3"));
    output->setAccessibleName(tr("Output window"));
    output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(output, 1);
    auto *side = new QVBoxLayout;
    side->addWidget(buildSendFrame());
    side->addWidget(buildEditFrame());
    side->addStretch();
    layout->addLayout(side);
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
    layout->addWidget(send);
    layout->addWidget(reformat);
    return frame;
}

QWidget *OutputPanel::buildEditFrame()
{
    auto *frame = Controls::frame(this, QStringLiteral("Frame8"), tr("Text Output Window"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setSpacing(2);
    auto *save = Controls::button(frame, QStringLiteral("Command12"), tr("Save"));
    save->setEnabled(false);
    grid->addWidget(Controls::button(frame, QStringLiteral("Command11"), tr("Copy")), 0, 0);
    grid->addWidget(save, 0, 1);
    grid->addWidget(Controls::button(frame, QStringLiteral("Command13"), tr("Clear")), 1, 0);
    grid->addWidget(Controls::button(frame, QStringLiteral("Command14"), tr("Restore")), 1, 1);
    grid->addWidget(Controls::button(frame, QStringLiteral("txtcase"), tr("&UpCase")), 2, 0, 1, 2);
    return frame;
}
