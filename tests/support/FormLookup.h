#pragma once

#include <QAccessible>
#include <QDebug>
#include <QObject>
#include <QString>

// Finds a control by object name; warns with the name when it is missing so
// the QVERIFY that follows says which control.
template <typename T>
T *control(const QObject *root, const QString &name)
{
    T *found = root->findChild<T *>(name);
    if (!found)
        qWarning("no control named %s", qPrintable(name));
    return found;
}

// The name a screen reader hears: what Qt's accessibility layer reports,
// derived from the caption or buddy label unless one was set.
inline QString spokenName(QObject *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}
