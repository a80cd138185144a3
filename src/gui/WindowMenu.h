#pragma once

#include <QAction>
#include <QObject>
#include <QPointer>

class AboutWindow;
class FontToolWindow;
class HelpWindow;
class PixelCanvas;
class QMainWindow;

// The window's menu bar and the windows it opens: About and Help (one of
// each, raised when asked again) and the Font tool, made on first use, whose
// chosen font goes to the canvas's Text tool.
class WindowMenu : public QObject
{
    Q_OBJECT
public:
    WindowMenu(QMainWindow &window, PixelCanvas &canvas);

    // Adds an entry; its action carries `name` as its object name.
    template <typename Receiver>
    void add(const char *name, const QString &text, Receiver *receiver, void (Receiver::*slot)())
    {
        connect(addAction(name, text), &QAction::triggered, receiver, slot);
    }

    void showAbout();
    void showHelp();
    void showFontTool();

private:
    QAction *addAction(const char *name, const QString &text);

    QMainWindow &m_window;
    PixelCanvas &m_canvas;
    FontToolWindow *m_fontTool = nullptr;
    QPointer<AboutWindow> m_about;
    QPointer<HelpWindow> m_help;
};
