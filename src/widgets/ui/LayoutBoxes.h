#pragma once

#include "logic/convert/MatrixLayout.h"

#include <QObject>

class QComboBox;

// The "Profile" and "Order" boxes of a packing: a profile names the
// controllers that take the same bytes; "Custom" frees the Order box (bit
// order, and scan order for vertical bytes), which always shows what the
// profile means. The boxes are the caller's; this fills and reads them.
class LayoutBoxes : public QObject
{
    Q_OBJECT
public:
    LayoutBoxes(QComboBox *profile, QComboBox *order, bool horizontal);

    // The profiles and orders of this packing, its first profile chosen.
    void setPacking(bool horizontal);
    // Its packing's lists, then its profile, or Custom with its order.
    void showLayout(const MatrixLayout &layout);
    MatrixLayout layout() const;
    bool isHorizontal() const { return m_horizontal; }
    // "Custom": the Order box chosen freely.
    bool isCustom() const;

signals:
    // The layout shown changed: another packing, profile or order.
    void changed();

private:
    void profileChosen();

    QComboBox *m_profile;
    QComboBox *m_order;
    bool m_horizontal = true;
};
