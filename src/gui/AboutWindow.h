#pragma once

#include <QDialog>

// The About window: title, version, description, and a way to the system's own
// information tool; a modeless dialog (Esc closes it, Enter presses OK).
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);

    static constexpr int VersionMajor = 1;
    static constexpr int VersionMinor = 1;
    static constexpr int VersionRevision = 2;
    static QString applicationTitle() { return QStringLiteral("Tavrel"); }

    void startSysInfo();
};
