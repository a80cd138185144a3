#include "widgets/canvas/SizeSelector.h"
#include "widgets/ui/ControlNames.h"

#include "logic/canvas/LcdSizes.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/OptionGroup.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace {
const char *LockedHint = QT_TRANSLATE_NOOP("SizeSelector", "Locked by Load: \"Clear\" unlocks the LCD sizes");
}

SizeSelector::SizeSelector(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(Controls::label(this, ControlNames::lcdSizeCaptionLabel, tr("LCD Size")), 0, 0, 1, 2);
    int row = 1;
    QList<QAbstractButton *> group;
    QVector<int> order = LcdSizes::screenOrder();
    order << LcdSizes::CustomIndex;
    for (int index : order) {
        const LcdSize *size = LcdSizes::byIndex(index);
        const QString caption = size ? QLatin1String(size->caption) : tr("Custom");
        auto *option = Controls::option(this, ControlNames::lcdSizeOption(index), QString());
        // The caption stands in a label beside it.
        option->setAccessibleName(caption);
        m_options[index] = option;
        group << option;
        const QString labelName = size ? ControlNames::lcdSizeLabel(caption) : QString(ControlNames::customSizeLabel);
        auto *label = Controls::label(this, labelName, caption);
        OptionGroup::captionClicks(label, option);
        grid->addWidget(option, row, 0);
        grid->addWidget(label, row, 1);
        ++row;
        // However an option gets checked (mouse, keys, an assistive tool, code), the size follows.
        connect(option, &QRadioButton::toggled, this, [this, index](bool checked) { optionToggled(index, checked); });
    }
    m_options[0]->setChecked(true);
    OptionGroup::tabLandsOnChecked(group);
    buildCustomBox();
}

void SizeSelector::buildCustomBox()
{
    m_customBox = new QWidget(this);
    auto *grid = new QGridLayout(m_customBox);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    grid->setColumnStretch(5, 1);
    const auto side = [this](const char *name) {
        auto *box = new QSpinBox(m_customBox);
        box->setObjectName(QLatin1String(name));
        box->setRange(LcdSizes::SmallestSide, LcdSizes::LargestSide);
        // One size change when the number is complete, not one a digit.
        box->setKeyboardTracking(false);
        connect(box, &QSpinBox::valueChanged, this, &SizeSelector::customSizeEdited);
        return box;
    };
    m_width = side(ControlNames::customWidthBox);
    m_height = side(ControlNames::customHeightBox);
    m_width->setValue(m_size.width());
    m_height->setValue(m_size.height());
    grid->addWidget(Controls::label(m_customBox, ControlNames::customWidthLabel, tr("Width"), m_width), 0, 0);
    grid->addWidget(m_width, 0, 1);
    grid->addWidget(Controls::label(m_customBox, ControlNames::customHeightLabel, tr("Height"), m_height), 0, 2);
    grid->addWidget(m_height, 0, 3);
    m_displayType = new QComboBox(m_customBox);
    m_displayType->setObjectName(ControlNames::displayTypeBox);
    m_displayType->view()->setAccessibleName(tr("Display type"));
    for (const auto &[type, sizes] : LcdSizes::displayTypes())
        m_displayType->addItem(tr("%1 (as %2)").arg(type).arg(sizes), type);
    grid->addWidget(Controls::label(m_customBox, ControlNames::displayTypeLabel, tr("Display type"), m_displayType),
                    1, 0);
    grid->addWidget(m_displayType, 1, 1, 1, 4);
    connect(m_displayType, &QComboBox::currentIndexChanged, this, [this] { emit displayTypeChosen(displayType()); });
    m_customBox->hide();
}

QChar SizeSelector::displayType() const
{
    return m_displayType->currentData().toChar();
}

QList<QWidget *> SizeSelector::focusOrder() const
{
    QList<QWidget *> order;
    for (int index : LcdSizes::screenOrder())
        order << m_options[index];
    return order << m_options[LcdSizes::CustomIndex] << m_width << m_height << m_displayType;
}

void SizeSelector::optionToggled(int index, bool checked)
{
    if (index == LcdSizes::CustomIndex) {
        m_customBox->setVisible(checked);
        if (checked && !m_quiet) {
            // Custom starts from the size and type shown, so nothing changes until the user edits them.
            const QSignalBlocker width(m_width), height(m_height), type(m_displayType);
            m_width->setValue(m_size.width());
            m_height->setValue(m_size.height());
            const int typeIndex = m_displayType->findData(LcdSizes::displayTypeOf(m_index));
            if (typeIndex >= 0)
                m_displayType->setCurrentIndex(typeIndex);
            emit displayTypeChosen(displayType());
        }
    }
    if (!checked || m_quiet)
        return;
    const LcdSize *size = LcdSizes::byIndex(index);
    m_index = index;
    m_size = size ? QSize(size->width, size->height) : QSize(m_width->value(), m_height->value());
    emit sizeChosen(m_index, m_size);
}

void SizeSelector::customSizeEdited()
{
    const QSize size(m_width->value(), m_height->value());
    if (m_quiet || m_index != LcdSizes::CustomIndex || size == m_size)
        return;
    m_size = size;
    emit sizeChosen(m_index, m_size);
}

void SizeSelector::setLocked(bool locked)
{
    m_locked = locked;
    // "320x200" is never locked.
    for (int index = 0; index <= LcdSizes::CustomIndex; ++index) {
        if (index == 7)
            continue;
        m_options[index]->setEnabled(!locked);
        m_options[index]->setToolTip(locked ? tr(LockedHint) : QString());
    }
    m_customBox->setEnabled(!locked);
}

void SizeSelector::showSize(int index, QSize size)
{
    m_quiet = true;
    m_index = index;
    m_size = size;
    if (index == LcdSizes::CustomIndex) {
        m_width->setValue(size.width());
        m_height->setValue(size.height());
    }
    if (QRadioButton *option = index >= 0 && index <= LcdSizes::CustomIndex ? m_options[index] : nullptr)
        option->setChecked(true);
    m_quiet = false;
}

void SizeSelector::showDisplayType(QChar type)
{
    const int typeIndex = m_displayType->findData(type);
    if (typeIndex >= 0)
        m_displayType->setCurrentIndex(typeIndex);
}
