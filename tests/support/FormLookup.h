#pragma once

#include <QAccessible>
#include <QDebug>
#include <QObject>
#include <QString>
#include <QTest>

// Finds a control by object name. A missing one fails the running test with
// its name and gives nullptr: QVERIFY the result (or skip the action) before
// using it, so a renamed control fails one test instead of the whole program.
template <typename T>
T *control(const QObject *root, const QString &name)
{
    T *found = root ? root->findChild<T *>(name) : nullptr;
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no control named %1").arg(name)), __FILE__, __LINE__);
    return found;
}

// The name a screen reader hears: what Qt's accessibility layer reports,
// derived from the caption or buddy label unless one was set.
inline QString spokenName(QObject *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}
