#include "widgets/output/ControlLock.h"

void ControlLock::lock(const QList<QWidget *> &controls)
{
    for (QWidget *control : controls) {
        if (!control)
            continue;
        // Its own setting, not isEnabled(): a disabled parent must not leave it disabled for good.
        m_previous.append({control, !control->testAttribute(Qt::WA_ForceDisabled)});
        control->setEnabled(false);
    }
}

void ControlLock::unlock()
{
    // Backwards, so a control locked twice ends with its first state.
    for (auto held = m_previous.crbegin(); held != m_previous.crend(); ++held) {
        if (held->control)
            held->control->setEnabled(held->wasEnabled);
    }
    m_previous.clear();
}
