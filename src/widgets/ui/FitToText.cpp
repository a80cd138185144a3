#include "widgets/ui/FitToText.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace FitToText {

void showWholeRows(QListWidget *list, int rows)
{
    const int shown = list->count() > 0 ? qMin(rows, list->count()) : rows;
    // An empty list has no row to measure yet: a row is one line of its font.
    const int rowHeight = list->count() > 0 ? list->sizeHintForRow(0) : list->fontMetrics().height();
    list->setFixedHeight(shown * rowHeight + 2 * list->frameWidth());
}

void widenToShow(QComboBox *box, const QStringList &texts)
{
    int widest = 0;
    for (const QString &text : texts)
        widest = qMax(widest, box->fontMetrics().horizontalAdvance(text));
    // The style adds the frame, the margins and the arrow, as for the box's own size hint.
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QSize contents(widest, box->fontMetrics().height());
    box->setMinimumWidth(box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, box).width());
}

void narrowToCaption(QPushButton *button)
{
    const QString caption = QString(button->text()).remove(QLatin1Char('&'));
    const int margins = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
        + 2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + margins);
}

} // namespace FitToText
