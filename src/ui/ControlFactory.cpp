#include "ui/ControlFactory.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace Controls {

namespace {
// "&Open" is read out as "Open".
QString withoutMnemonic(QString caption)
{
    return caption.remove(QLatin1Char('&')).trimmed();
}

template <typename T>
T *named(T *widget, const QString &name, const QString &accessibleName)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    return widget;
}
} // namespace

QPushButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name, withoutMnemonic(caption));
}

QRadioButton *option(QWidget *parent, const QString &name, const QString &caption)
{
    return named(new QRadioButton(caption, parent), name, withoutMnemonic(caption));
}

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption)
{
    return named(new QCheckBox(caption, parent), name, withoutMnemonic(caption));
}

QGroupBox *frame(QWidget *parent, const QString &name, const QString &caption)
{
    return named(new QGroupBox(caption, parent), name, caption);
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption, QWidget *buddy)
{
    auto *result = named(new QLabel(caption, parent), name, caption);
    if (buddy) {
        result->setBuddy(buddy);
        buddy->setAccessibleName(caption);
    }
    return result;
}

QLabel *valueLabel(QWidget *parent, const QString &name, const QString &text, const QString &description)
{
    auto *result = new QLabel(text, parent);
    result->setObjectName(name);
    result->setAccessibleDescription(description);
    return result;
}

QLineEdit *lineEdit(QWidget *parent, const QString &name, const QString &text, const QString &accessibleName)
{
    return named(new QLineEdit(text, parent), name, accessibleName);
}

QListWidget *list(QWidget *parent, const QString &name, const QStringList &items, const QString &accessibleName)
{
    auto *result = named(new QListWidget(parent), name, accessibleName);
    result->addItems(items);
    return result;
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor background(const QWidget *widget)
{
    return widget->palette().color(widget->backgroundRole());
}

} // namespace Controls
