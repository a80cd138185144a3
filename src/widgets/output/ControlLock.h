#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// Disables a set of controls for a while and gives each back the enabled
// state it had.
class ControlLock
{
public:
    // Disables the controls given; a second lock adds to the first.
    void lock(const QList<QWidget *> &controls);
    // Gives every locked control its earlier enabled state.
    void unlock();
    bool isLocked() const { return !m_previous.isEmpty(); }

private:
    struct Held
    {
        QPointer<QWidget> control;
        bool wasEnabled;
    };
    QList<Held> m_previous;
};
