#include "ClippedCaptions.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

namespace {

QString describe(const QWidget *widget, const QString &text, int needed, int room)
{
    return QStringLiteral("%1 \"%2\": needs %3, has %4")
        .arg(widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                            : widget->objectName(),
             text)
        .arg(needed)
        .arg(room);
}

QSize textSize(const QWidget *widget, const QString &text)
{
    return widget->fontMetrics().size(Qt::TextShowMnemonic, text);
}

void checkLabel(QLabel *label, QStringList &clipped)
{
    if (label->text().isEmpty() || Qt::mightBeRichText(label->text()))
        return;
    if (label->wordWrap()) {
        const int needed = label->heightForWidth(label->width());
        if (label->height() < needed)
            clipped << describe(label, label->text(), needed, label->height());
        return;
    }
    const QSize needed = textSize(label, label->text()) + QSize(2 * label->margin(), 2 * label->margin());
    const QSize room = label->contentsRect().size();
    if (needed.width() > room.width() || needed.height() > room.height())
        clipped << describe(label, label->text(), needed.width(), room.width());
}

void checkButton(QAbstractButton *button, QStringList &clipped)
{
    if (button->text().isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox *>(button))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton *>(button))
        contents = QStyle::SE_RadioButtonContents;
    else if (!qobject_cast<QPushButton *>(button))
        return;
    const int room = button->style()->subElementRect(contents, &option, button).width();
    const int needed = textSize(button, button->text()).width();
    if (needed > room)
        clipped << describe(button, button->text(), needed, room);
}

void checkFrameTitle(QGroupBox *frame, QStringList &clipped)
{
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const int room = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame)
                         .intersected(frame->rect())
                         .width();
    const int needed = textSize(frame, frame->title()).width();
    if (!frame->title().isEmpty() && needed > room)
        clipped << describe(frame, frame->title(), needed, room);
}

void checkCombo(QComboBox *box, QStringList &clipped)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const int room =
        box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box).width();
    const int needed = box->fontMetrics().horizontalAdvance(box->currentText());
    if (needed > room)
        clipped << describe(box, box->currentText(), needed, room);
    // The open list: at least as wide as a closed box that shows its widest item whole.
    QString widest;
    for (int i = 0; i < box->count(); ++i)
        if (box->fontMetrics().horizontalAdvance(box->itemText(i)) > box->fontMetrics().horizontalAdvance(widest))
            widest = box->itemText(i);
    const QSize text(box->fontMetrics().horizontalAdvance(widest), box->fontMetrics().height());
    const int listNeeds = box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, box).width();
    box->showPopup();
    const int listHas = box->view()->window()->width();
    box->hidePopup();
    if (listNeeds > listHas)
        clipped << describe(box, widest + QStringLiteral(" in the open list"), listNeeds, listHas);
}

void checkList(QListWidget *list, QStringList &clipped)
{
    if (list->count() == 0)
        return;
    const int row = list->sizeHintForRow(0);
    const int height = list->viewport()->height();
    if (height % row != 0 && height < list->count() * row)
        clipped << describe(list, QStringLiteral("a row cut at %1 of %2").arg(height % row).arg(row), row,
                            height % row);
    if (list->sizeHintForColumn(0) > list->viewport()->width())
        clipped << describe(list, QStringLiteral("widest item"), list->sizeHintForColumn(0), list->viewport()->width());
}

} // namespace

QStringList clippedCaptions(QWidget *window)
{
    QStringList clipped;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window) || widget->window() != window)
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget))
            checkLabel(label, clipped);
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            checkButton(button, clipped);
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            checkFrameTitle(frame, clipped);
        else if (auto *box = qobject_cast<QComboBox *>(widget))
            checkCombo(box, clipped);
        else if (auto *list = qobject_cast<QListWidget *>(widget))
            checkList(list, clipped);
    }
    return clipped;
}
