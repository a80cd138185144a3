#include "widgets/ui/OptionGroup.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

void giveTabFocusToChecked(const QList<QAbstractButton *> &options)
{
    for (QAbstractButton *option : options)
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

// Forwards a left click on a label to its control.
class CaptionClick : public QObject
{
public:
    CaptionClick(QLabel *caption, QAbstractButton *control) : QObject(caption), m_control(control) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && m_control->isEnabled()) {
            m_control->click();
            m_control->setFocus(Qt::MouseFocusReason);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractButton *m_control;
};

} // namespace

namespace OptionGroup {

void tabLandsOnChecked(const QList<QAbstractButton *> &options)
{
    giveTabFocusToChecked(options);
    for (QAbstractButton *option : options)
        QObject::connect(option, &QAbstractButton::toggled, option, [options] { giveTabFocusToChecked(options); });
}

void captionClicks(QLabel *caption, QAbstractButton *control)
{
    caption->installEventFilter(new CaptionClick(caption, control));
}

} // namespace OptionGroup
