#include "widgets/ui/FileAndFontPrompts.h"
#include "widgets/ui/ControlNames.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QRegularExpression>
#include <QStringList>

namespace {
std::function<QString(FileAndFontPrompts &, FileAndFontPrompts::Mode)> &answerer()
{
    static std::function<QString(FileAndFontPrompts &, FileAndFontPrompts::Mode)> instance;
    return instance;
}
} // namespace

FileAndFontPrompts::FileAndFontPrompts(QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(ControlNames::fileAndFontPrompts);
}

void FileAndFontPrompts::setAnswerer(std::function<QString(FileAndFontPrompts &, Mode)> newAnswerer)
{
    answerer() = std::move(newAnswerer);
}

QString FileAndFontPrompts::toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList descriptions;
    for (int i = 0; i < parts.size(); i += 2)
        descriptions << parts.at(i);
    return descriptions.join(QStringLiteral(";;"));
}

QString FileAndFontPrompts::folderFor(FileKind kind) const
{
    return m_folders.value(int(kind), QDir::homePath());
}

void FileAndFontPrompts::prepare(const FilePrompt &prompt)
{
    dialogTitle = prompt.title;
    filter = prompt.filter;
    defaultExt = prompt.defaultExt;
    fileName = prompt.fileName;
    initDir = folderFor(prompt.kind);
    selectedFilter = toQtFilter(filter).section(QStringLiteral(";;"), 0, 0);
}

void FileAndFontPrompts::remember(FileKind kind)
{
    if (!fileName.isEmpty())
        m_folders.insert(int(kind), QFileInfo(fileName).absolutePath());
}

QString FileAndFontPrompts::withDefaultExtension(const QString &name) const
{
    // "PNG (*.png)" names one extension; "Images (*.bmp *.png)" does not.
    static const QRegularExpression single(QStringLiteral("\\(\\*\\.(\\w+)\\)"));
    const QRegularExpressionMatch picked = single.match(selectedFilter);
    QString extension = picked.hasMatch() ? picked.captured(1) : defaultExt;
    extension.remove(QLatin1Char('*')).remove(QLatin1Char('.'));
    // A file that exists was chosen as it is (a device such as /dev/ttyUSB0 too).
    const QFileInfo info(name);
    if (name.isEmpty() || extension.isEmpty() || !info.suffix().isEmpty() || info.exists())
        return name;
    return name + QLatin1Char('.') + extension;
}

void FileAndFontPrompts::showOpen(const FilePrompt &prompt)
{
    prepare(prompt);
    if (answerer())
        fileName = answerer()(*this, Mode::Open);
    else
        fileName = QFileDialog::getOpenFileName(m_window, dialogTitle, initDir, toQtFilter(filter), &selectedFilter);
    remember(prompt.kind);
}

void FileAndFontPrompts::showSave(const FilePrompt &prompt)
{
    prepare(prompt);
    QString chosen;
    if (answerer())
        chosen = answerer()(*this, Mode::Save);
    else
        chosen = QFileDialog::getSaveFileName(m_window, dialogTitle, initDir, toQtFilter(filter), &selectedFilter);
    fileName = withDefaultExtension(chosen);
    remember(prompt.kind);
}

bool FileAndFontPrompts::showFont()
{
    if (answerer())
        return !answerer()(*this, Mode::Font).isEmpty();
    bool ok = false;
    QFont initial(fontName);
    if (fontSize > 0)
        initial.setPointSizeF(fontSize);
    initial.setBold(fontBold);
    initial.setItalic(fontItalic);
    const QFont font = QFontDialog::getFont(&ok, initial, m_window);
    if (ok) {
        fontName = font.family();
        fontSize = font.pointSizeF();
        fontBold = font.bold();
        fontItalic = font.italic();
    }
    return ok;
}
