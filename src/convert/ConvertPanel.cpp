#include "convert/ConvertPanel.h"

#include "app/AppState.h"
#include "app/ControlFactory.h"
#include "app/FormControls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

ConvertPanel::ConvertPanel(AppState &state, QWidget *form)
    : QObject(form), m_state(state), m_form(form),
      m_outputFormat(buildOutputFormat(form)), m_byteMatrix(buildByteMatrix(form))
{
}

QGroupBox *ConvertPanel::buildOutputFormat(QWidget *parent)
{
    auto *frame = Controls::frame(parent, QStringLiteral("Frame4"), tr("Output Format"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);
    struct Box { const char *name; const char *labelName; const char *caption; };
    const Box boxes[] = {{"txthead", "Label3", "Header"}, {"txtfoot", "Label5", "Footer"},
                         {"txtDelim", "Label6", "Delimiter"}, {"txtfrmt", "lblfrmt", "Format"}};
    int row = 0;
    for (const Box &box : boxes) {
        auto *edit = Controls::lineEdit(frame, QLatin1String(box.name), QString(), QString());
        grid->addWidget(Controls::label(frame, QLatin1String(box.labelName), tr(box.caption), edit), row, 0);
        grid->addWidget(edit, row, 1, 1, 3);
        ++row;
    }
    auto *wait = Controls::lineEdit(frame, QStringLiteral("Text4"), QStringLiteral("]"), QString());
    wait->setMaximumWidth(60);
    grid->addWidget(Controls::label(frame, QStringLiteral("Label9"), tr("Wait Chr"), wait), row, 0);
    grid->addWidget(wait, row, 1);
    grid->addWidget(Controls::valueLabel(frame, QStringLiteral("lblfz"), QStringLiteral("0000"), tr("Byte count")), row, 2);
    grid->addWidget(Controls::valueLabel(frame, QStringLiteral("lblrem"), QStringLiteral("0000"), tr("Characters left")), row, 3);
    return frame;
}

QGroupBox *ConvertPanel::buildByteMatrix(QWidget *parent)
{
    auto *frame = Controls::frame(parent, QStringLiteral("Frame1"), tr("Byte Matrix"));
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(2);
    auto *vertical = Controls::option(frame, QStringLiteral("Option2_0"), tr("Vertical KS0108"));
    auto *horizontal = Controls::option(frame, QStringLiteral("Option2_1"), tr("Horizontal"));
    horizontal->setChecked(true);
    auto *note = new QGroupBox(frame);
    note->setObjectName(QStringLiteral("LCD"));
    note->setAccessibleName(tr("T6963C and SED1330"));
    auto *noteLayout = new QVBoxLayout(note);
    noteLayout->setContentsMargins(4, 2, 4, 2);
    noteLayout->addWidget(Controls::label(note, QStringLiteral("Label1"), tr("T6963C and SED1330")));
    layout->addWidget(vertical);
    layout->addWidget(horizontal);
    layout->addWidget(note);
    connect(vertical, &QRadioButton::clicked, this, &ConvertPanel::packingOptionClicked);
    connect(horizontal, &QRadioButton::clicked, this, &ConvertPanel::packingOptionClicked);
    return frame;
}

void ConvertPanel::packingOptionClicked()
{
    const bool vertical = formControl<QRadioButton>(m_form, QStringLiteral("Option2_0"))->isChecked();
    m_state.byteMatrixHorizontal = vertical ? 0 : 1;
    formControl<QWidget>(m_form, QStringLiteral("LCD"))->setVisible(!vertical);
}
