#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// Disables a set of the form's controls for a while and gives each back the
// enabled state it had.
class ControlLock
{
public:
    // Disables the named controls that exist; a second lock adds to the first.
    void lock(const QWidget *form, const QStringList &names);
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
