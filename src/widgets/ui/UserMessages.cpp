#include "widgets/ui/UserMessages.h"

#include <QApplication>
#include <QMessageBox>

namespace UserMessages {

namespace {
std::function<bool(Kind, const QString &)> &handler()
{
    static std::function<bool(Kind, const QString &)> instance;
    return instance;
}

std::function<void()> &beeper()
{
    static std::function<void()> instance;
    return instance;
}

QString caption()
{
    return QStringLiteral("Tavrel");
}
} // namespace

void inform(QWidget *parent, const QString &text)
{
    if (handler()) {
        handler()(Kind::Inform, text);
        return;
    }
    QMessageBox::information(parent, caption(), text, QMessageBox::Ok);
}

bool confirm(QWidget *parent, const QString &text)
{
    if (handler())
        return handler()(Kind::Confirm, text);
    return QMessageBox::question(parent, caption(), text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}

void beep()
{
    if (beeper())
        beeper()();
    else
        QApplication::beep();
}

void setHandler(std::function<bool(Kind, const QString &)> newHandler)
{
    handler() = std::move(newHandler);
}

void setBeeper(std::function<void()> newBeeper)
{
    beeper() = std::move(newBeeper);
}

} // namespace UserMessages
