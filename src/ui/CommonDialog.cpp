#include "ui/CommonDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QStringList>

namespace {
std::function<QString(CommonDialog &, CommonDialog::Mode)> &answerer()
{
    static std::function<QString(CommonDialog &, CommonDialog::Mode)> instance;
    return instance;
}
} // namespace

CommonDialog::CommonDialog(QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("commdlg"));
}

void CommonDialog::setAnswerer(std::function<QString(CommonDialog &, Mode)> newAnswerer)
{
    answerer() = std::move(newAnswerer);
}

QString CommonDialog::toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList descriptions;
    for (int i = 0; i < parts.size(); i += 2)
        descriptions << parts.at(i);
    return descriptions.join(QStringLiteral(";;"));
}

QString CommonDialog::withDefaultExtension(const QString &name) const
{
    QString extension = defaultExt;
    extension.remove(QLatin1Char('*')).remove(QLatin1Char('.'));
    // A file that exists was chosen as it is (a device such as /dev/ttyUSB0 too).
    const QFileInfo info(name);
    if (name.isEmpty() || extension.isEmpty() || !info.suffix().isEmpty() || info.exists())
        return name;
    return name + QLatin1Char('.') + extension;
}

void CommonDialog::showOpen()
{
    if (answerer()) {
        fileName = answerer()(*this, Mode::Open);
        return;
    }
    fileName = QFileDialog::getOpenFileName(m_window, dialogTitle, initDir, toQtFilter(filter));
}

void CommonDialog::showSave()
{
    QString chosen;
    if (answerer())
        chosen = answerer()(*this, Mode::Save);
    else
        chosen = QFileDialog::getSaveFileName(m_window, dialogTitle, initDir, toQtFilter(filter));
    fileName = withDefaultExtension(chosen);
}

bool CommonDialog::showFont()
{
    if (answerer())
        return !answerer()(*this, Mode::Font).isEmpty();
    bool ok = false;
    QFont initial(fontName);
    if (fontSize > 0)
        initial.setPointSizeF(fontSize);
    const QFont font = QFontDialog::getFont(&ok, initial, m_window);
    if (ok) {
        fontName = font.family();
        fontSize = font.pointSizeF();
    }
    return ok;
}
