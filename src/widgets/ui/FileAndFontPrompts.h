#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// The one file-and-font dialog every operation shares. Each use of the
// file dialog brings its own title, filter and default extension (a FilePrompt),
// so one use never leaks into the next, and opens in the folder last used
// for that kind of file (the home folder the first time). The font dialog
// opens on the font set before it is shown.
// Filters use the "Description (*.ext)|*.ext|..." form.
class FileAndFontPrompts : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Open, Save, Font };
    enum class FileKind { Picture, Text };

    struct FilePrompt
    {
        QString title;
        QString filter;
        QString defaultExt; // added to a name typed without one
        QString fileName;   // shown in the name box at first
        FileKind kind = FileKind::Picture;
    };

    explicit FileAndFontPrompts(QWidget *window);

    // The settings of the dialog being shown (or last shown).
    QString fileName;
    QString filter;
    QString dialogTitle;
    QString defaultExt;
    QString initDir;
    // The filter the user picked, by its description ("PNG (*.png)"); a name
    // typed without an extension gets this filter's extension.
    QString selectedFilter;
    int flags = 0;
    QString fontName;
    double fontSize = 0;
    bool fontBold = false;
    bool fontItalic = false;

    // Each shows its dialog; fileName (or the font fields) holds the choice
    // afterwards, an empty fileName after a cancel. Font returns false when
    // cancelled.
    void showOpen(const FilePrompt &prompt);
    void showSave(const FilePrompt &prompt);
    bool showFont();

    // Where the next dialog for this kind of file opens.
    QString folderFor(FileKind kind) const;

    // "Image (*.bmp)|*.bmp|Text(*.txt)|*.txt" -> "Image (*.bmp);;Text(*.txt)".
    static QString toQtFilter(const QString &filter);

    // Tests: answers dialogs instead of a person. For Open/Save the return
    // value is the file name ("" = cancel); for Font, set the font fields
    // on the dialog and return "" to cancel or anything else for OK.
    static void setAnswerer(std::function<QString(FileAndFontPrompts &, Mode)> answerer);

private:
    void prepare(const FilePrompt &prompt);
    void remember(FileKind kind);
    QString withDefaultExtension(const QString &name) const;

    QWidget *m_window;
    QHash<int, QString> m_folders;
};
