#include "widgets/serial/LogFileDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

namespace LogFileDialog {

namespace {
std::function<QString()> &answerer()
{
    static std::function<QString()> instance;
    return instance;
}
} // namespace

QString ask(QWidget *parent, const QString &suggested)
{
    if (answerer())
        return answerer()();
    const QString start = suggested.isEmpty() ? QDir::homePath() + QStringLiteral("/serial.log") : suggested;
    return QFileDialog::getSaveFileName(parent, QCoreApplication::translate("LogFileDialog", "Log Received Bytes To"),
                                        start, QCoreApplication::translate("LogFileDialog", "All files (*)"),
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

void setAnswerer(std::function<QString()> newAnswerer)
{
    answerer() = std::move(newAnswerer);
}

} // namespace LogFileDialog
