#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "gui/AboutWindow.h"
#include "logic/core/ApplicationIcon.h"

#include <QLabel>
#include <QtTest>

// The built-in icon, which needs no installation: the window and About show it
// when the program runs from its build folder.
class ApplicationIconTest : public QObject
{
    Q_OBJECT

private slots:
    void everyThemeSizeIsBuiltIn_data();
    void everyThemeSizeIsBuiltIn();
    void aboutShowsTheIcon();
};

void ApplicationIconTest::everyThemeSizeIsBuiltIn_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("%d", size) << size;
}

void ApplicationIconTest::everyThemeSizeIsBuiltIn()
{
    QFETCH(int, size);
    const QIcon icon = ApplicationIcon::icon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    // Drawn, not a blank: the glass of the LCD is light, its bezel dark.
    const QImage image = icon.pixmap(size, size).toImage();
    QCOMPARE(image.size(), QSize(size, size));
    const int unit = size / 16;
    QVERIFY(qGray(image.pixel(2 * unit, 3 * unit)) > 150);
    QVERIFY(qGray(image.pixel(unit, 2 * unit)) < 60);
}

void ApplicationIconTest::aboutShowsTheIcon()
{
    AboutWindow about;
    auto *picture = control<QLabel>(&about, ControlNames::aboutIcon);
    QVERIFY(picture);
    QCOMPARE(picture->pixmap().toImage(), ApplicationIcon::icon().pixmap(32, 32).toImage());
}

QTEST_MAIN(ApplicationIconTest)
#include "tst_applicationicon.moc"
