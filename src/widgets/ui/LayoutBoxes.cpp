#include "widgets/ui/LayoutBoxes.h"

#include "logic/convert/ControllerProfiles.h"
#include "widgets/ui/FitToText.h"

#include <QComboBox>

LayoutBoxes::LayoutBoxes(QComboBox *profile, QComboBox *order, bool horizontal)
    : QObject(profile), m_profile(profile), m_order(order)
{
    // Wide enough for every item of both packings: the boxes keep their width when the packing changes.
    QStringList profiles{tr("Custom")};
    for (const ControllerProfile &each : ControllerProfiles::all())
        profiles << each.caption;
    FitToText::widenToShow(m_profile, profiles);
    QStringList orders;
    for (bool packing : {false, true})
        for (const MatrixLayout &layout : MatrixLayout::ordersOf(packing))
            orders << layout.orderCaption();
    FitToText::widenToShow(m_order, orders);
    setPacking(horizontal);
    connect(m_profile, &QComboBox::currentIndexChanged, this, &LayoutBoxes::profileChosen);
    connect(m_order, &QComboBox::currentIndexChanged, this, &LayoutBoxes::changed);
}

void LayoutBoxes::setPacking(bool horizontal)
{
    m_horizontal = horizontal;
    {
        const QSignalBlocker blockProfile(m_profile);
        const QSignalBlocker blockOrder(m_order);
        m_profile->clear();
        for (const ControllerProfile &profile : ControllerProfiles::forPacking(horizontal))
            m_profile->addItem(profile.caption);
        m_profile->addItem(tr("Custom"));
        m_order->clear();
        for (const MatrixLayout &layout : MatrixLayout::ordersOf(horizontal))
            m_order->addItem(layout.orderCaption());
        m_profile->setCurrentIndex(0);
    }
    profileChosen();
}

void LayoutBoxes::showLayout(const MatrixLayout &layout)
{
    if (layout.horizontal != m_horizontal)
        setPacking(layout.horizontal);
    const QList<ControllerProfile> profiles = ControllerProfiles::forPacking(m_horizontal);
    int index = int(profiles.size()); // Custom
    for (int i = 0; i < profiles.size(); ++i)
        if (profiles.at(i).layout == layout) {
            index = i;
            break;
        }
    {
        const QSignalBlocker blockOrder(m_order);
        m_order->setCurrentIndex(int(MatrixLayout::ordersOf(m_horizontal).indexOf(layout)));
    }
    if (index == m_profile->currentIndex())
        profileChosen();
    else
        m_profile->setCurrentIndex(index);
}

MatrixLayout LayoutBoxes::layout() const
{
    return MatrixLayout::ordersOf(m_horizontal).value(m_order->currentIndex(), MatrixLayout::usual(m_horizontal));
}

bool LayoutBoxes::isCustom() const
{
    return m_profile->currentIndex() + 1 == m_profile->count();
}

void LayoutBoxes::profileChosen()
{
    const QList<ControllerProfile> profiles = ControllerProfiles::forPacking(m_horizontal);
    const int index = m_profile->currentIndex();
    if (index >= 0 && index < profiles.size()) {
        const QSignalBlocker blockOrder(m_order);
        m_order->setCurrentIndex(int(MatrixLayout::ordersOf(m_horizontal).indexOf(profiles.at(index).layout)));
    }
    m_order->setEnabled(isCustom());
    // The box may be narrower than the profile's name.
    m_profile->setToolTip(m_profile->currentText());
    emit changed();
}
