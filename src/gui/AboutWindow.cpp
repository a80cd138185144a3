#include "gui/AboutWindow.h"
#include "widgets/ui/ControlNames.h"

#include "widgets/ui/ControlFactory.h"
#include "logic/core/SystemInfoLauncher.h"
#include "logic/core/ApplicationIcon.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(ControlNames::aboutWindow);
    setAttribute(Qt::WA_DeleteOnClose);
    auto *grid = new QGridLayout(this);
    auto *icon = new QLabel(this);
    icon->setObjectName(ControlNames::aboutIcon);
    icon->setAccessibleName(tr("Application icon"));
    icon->setPixmap(ApplicationIcon::icon().pixmap(32, 32));
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    auto *title = Controls::label(this, ControlNames::aboutTitleLabel, tr("Tavrel"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);
    grid->addWidget(title, 0, 1);
    auto *version = Controls::label(this, ControlNames::aboutVersionLabel, tr("Version"));
    grid->addWidget(version, 1, 1);
    grid->addWidget(Controls::label(this, ControlNames::aboutDescriptionLabel,
        tr("Graphic LCD interface to a PIC microcontroller for the Samsung KS0108 controller")), 2, 1);
    grid->addWidget(Controls::label(this, ControlNames::betaLabel, tr("Beta")), 3, 1);
    auto *disclaimer = Controls::label(this, ControlNames::aboutDisclaimerLabel,
        tr("Use at your own risk: check the bytes before you flash them to a device."));
    grid->addWidget(disclaimer, 4, 0, 1, 2);
    auto *ok = Controls::button(this, ControlNames::aboutOkButton, tr("OK"));
    auto *sysInfo = Controls::button(this, ControlNames::systemInfoButton, tr("&System Info..."));
    grid->addWidget(ok, 0, 2);
    grid->addWidget(sysInfo, 1, 2);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, &AboutWindow::startSysInfo);

    // Load steps: caption, version, title.
    setWindowTitle(tr("About ") + applicationTitle());
    version->setText(QStringLiteral("Version %1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
    title->setText(applicationTitle());
}

void AboutWindow::startSysInfo()
{
    if (SystemInfoLauncher(SystemInfoLauncher::systemStore()).start())
        return;
    QMessageBox::information(this, windowTitle(), tr("System Information Is Unavailable At This Time"));
}
