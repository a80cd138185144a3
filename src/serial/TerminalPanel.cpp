#include "serial/TerminalPanel.h"

#include "app/AppState.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

TerminalPanel::TerminalPanel(AppState &state, QWidget *form)
    : QWidget(form), m_state(state), m_form(form), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("fraTerminal"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *input = new QPlainTextEdit(this);
    input->setObjectName(QStringLiteral("Text1"));
    input->setAccessibleName(tr("Serial input"));
    input->setPlainText(QStringLiteral("Serial Input from PIC\r\n"));
    input->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *typing = new QPlainTextEdit(this);
    typing->setObjectName(QStringLiteral("Text2"));
    typing->setAccessibleName(tr("Transmit window"));
    typing->setMaximumHeight(60);
    layout->addWidget(input, 1);
    layout->addWidget(typing);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(50);
}
