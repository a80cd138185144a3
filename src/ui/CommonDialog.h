#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// The one file-and-font dialog every operation shares: a setting made for
// one use (title, filter, default extension, flags) stays for the next.
// Filters use the "Description (*.ext)|*.ext|..." form.
class CommonDialog : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Open, Save, Font };

    explicit CommonDialog(QWidget *window);

    QString fileName;
    QString filter = QStringLiteral("Image (*.bmp)|*.bmp|Images (*.bmp *.png *.gif *.jpg *.jpeg)|"
                                    "*.bmp;*.png;*.gif;*.jpg;*.jpeg");
    QString dialogTitle = QStringLiteral("LCD File to Open");
    QString defaultExt = QStringLiteral("bmp");
    QString initDir = QStringLiteral("./");
    int flags = 0;
    QString fontName;
    double fontSize = 0;

    // Each shows its dialog; fileName (or font name and size) holds the
    // choice afterwards, an empty fileName after a cancel. Font returns
    // false when cancelled.
    void showOpen();
    void showSave();
    bool showFont();

    // "Image (*.bmp)|*.bmp|Text(*.txt)|*.txt" -> "Image (*.bmp);;Text(*.txt)".
    static QString toQtFilter(const QString &filter);

    // Tests: answers dialogs instead of a person. For Open/Save the return
    // value is the file name ("" = cancel); for Font, set fontName/fontSize
    // on the dialog and return "" to cancel or anything else for OK.
    static void setAnswerer(std::function<QString(CommonDialog &, Mode)> answerer);

private:
    QString withDefaultExtension(const QString &name) const;
    QWidget *m_window;
};
