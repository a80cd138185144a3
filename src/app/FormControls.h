#pragma once

#include <QString>
#include <QWidget>

// Handlers reach the controls of other panels by their names, the way the
// window's handlers share one form.
template <typename T>
T *formControl(const QWidget *form, const QString &name)
{
    return form->findChild<T *>(name);
}
