#pragma once

#include <QColor>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
#include <QStringList>
class QWidget;

// Small builders that give every control its object name. Screen readers
// hear a captioned control by its caption, which Qt keeps current; only
// controls without a caption of their own get a fixed accessible name.
namespace Controls {

QPushButton *button(QWidget *parent, const QString &name, const QString &caption);
QRadioButton *option(QWidget *parent, const QString &name, const QString &caption);
QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption);
QGroupBox *frame(QWidget *parent, const QString &name, const QString &caption);
// A caption label, optionally the buddy of the control it names.
QLabel *label(QWidget *parent, const QString &name, const QString &caption, QWidget *buddy = nullptr);
// A label that shows a value: its text stays its name, the description says what it is.
QLabel *valueLabel(QWidget *parent, const QString &name, const QString &text, const QString &description);
QLineEdit *lineEdit(QWidget *parent, const QString &name, const QString &text, const QString &accessibleName);
QListWidget *list(QWidget *parent, const QString &name, const QStringList &items, const QString &accessibleName);

void setBackground(QWidget *widget, const QColor &colour);
QColor background(const QWidget *widget);

} // namespace Controls
