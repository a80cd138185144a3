#include "widgets/ui/ControlFactory.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace Controls {

namespace {
// Only where a control shows no caption of its own: a name set here is
// frozen, while Qt derives a captioned control's name anew on every change.
template <typename T>
T *named(T *widget, const QString &name, const QString &accessibleName = QString())
{
    widget->setObjectName(name);
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    return widget;
}
} // namespace

QPushButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

QRadioButton *option(QWidget *parent, const QString &name, const QString &caption)
{
    return named(new QRadioButton(caption, parent), name);
}

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption)
{
    return named(new QCheckBox(caption, parent), name);
}

QGroupBox *frame(QWidget *parent, const QString &name, const QString &caption)
{
    // A frame inside a frame would otherwise be announced by its outer frame's title.
    return named(new QGroupBox(caption, parent), name, caption);
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption, QWidget *buddy)
{
    auto *result = named(new QLabel(caption, parent), name);
    if (buddy) {
        result->setBuddy(buddy);
        // Lists and boxes do not all take their name from a buddy label; these captions never change.
        buddy->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
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
