#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "gui/MainWindow.h"
#include "logic/core/AppState.h"
#include "logic/core/SettingsStore.h"
#include "logic/settings/WindowPlacement.h"
#include "widgets/canvas/PixelCanvas.h"
#include "logic/serial/PortAssignments.h"

#include "logic/serial/CommPort.h"
#include "widgets/serial/SerialPortPanel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSpinBox>
#include <QLineEdit>
#include <QScreen>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

// Choices survive a restart; a first start and a damaged file both give
// the start-up state, never a bad header.
class SettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void choicesSurviveARestart();
    void firstStartIsTheStartUpState();
    void damagedValuesAreIgnoredOneByOne_data();
    void damagedValuesAreIgnoredOneByOne();
    void resetForgetsEverything();
    void customSizeKeepsItsDisplayType();
    void customLineSettingComesBack();
    void handshakeIsWhatThePortWasGiven();
    void changesAreWrittenWithoutExit();
    void userFileIsTavrelConfTakingOverTheIni();
    void placementIsFittedToTheScreens_data();
    void placementIsFittedToTheScreens();
    void windowPlacementMustFitTheScreen_data();
    void windowPlacementMustFitTheScreen();
    void windowLargerThanTheScreenIsSavedFittingIt();
    void olderKeysAreReadOnceAndReplaced();
    void shownBeforeBuildingEndsTheSame_data();
    void shownBeforeBuildingEndsTheSame();

private:
    // The controls a user sets, as text, to compare two windows.
    static QStringList snapshot(MainWindow &window);
    std::unique_ptr<MainWindow> startWindow(SettingsStore &store);

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_warnings;
};

void SettingsTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_warnings.clear();
    SettingsStore::setWarningSink([this](const QString &warning) { m_warnings << warning; });
}

void SettingsTest::cleanup()
{
    SettingsStore::setWarningSink({});
}

std::unique_ptr<MainWindow> SettingsTest::startWindow(SettingsStore &store)
{
    auto window = std::make_unique<MainWindow>(PortAssignments());
    window->useSettings(&store);
    return window;
}

QStringList SettingsTest::snapshot(MainWindow &window)
{
    QStringList values;
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>())
        if (button->isCheckable())
            values << button->objectName() + '=' + QString::number(button->isChecked());
    for (QLineEdit *box : window.findChildren<QLineEdit *>())
        values << box->objectName() + '=' + box->text();
    for (QListWidget *list : window.findChildren<QListWidget *>())
        values << list->objectName() + '=' + QString::number(list->currentRow());
    for (QComboBox *combo : window.findChildren<QComboBox *>())
        values << combo->objectName() + '=' + QString::number(combo->currentIndex());
    const AppState &s = window.state();
    values << QStringLiteral("state=%1 %2 %3 %4 %5 %6")
                  .arg(s.lcdSizeIndex).arg(s.picBufferSize).arg(s.picDelayMs).arg(s.waitChars)
                  .arg(s.eepromMode).arg(s.byteMatrixHorizontal);
    values.sort();
    return values;
}

void SettingsTest::choicesSurviveARestart()
{
    SettingsStore store(m_dir->filePath(QStringLiteral("tavrel.conf")));
    QStringList before;
    {
        auto window = startWindow(store);
        auto *sizeOption1 = control<QAbstractButton>(window.get(), ControlNames::lcdSizeOption(1));
        QVERIFY(sizeOption1);
        sizeOption1->click();
        auto *verticalOption = control<QAbstractButton>(window.get(), ControlNames::verticalOption);
        QVERIFY(verticalOption);
        verticalOption->click();
        auto *profile = control<QComboBox>(window.get(), ControlNames::profileBox);
        QVERIFY(profile);
        profile->setCurrentIndex(profile->count() - 1); // Custom
        auto *orderBox = control<QComboBox>(window.get(), ControlNames::orderBox);
        QVERIFY(orderBox);
        orderBox->setCurrentIndex(3); // MSB at top, column by column
        auto *invertedCheck = control<QAbstractButton>(window.get(), ControlNames::invertedCheck);
        QVERIFY(invertedCheck);
        invertedCheck->click();
        auto *penSizeBox = control<QComboBox>(window.get(), ControlNames::penSizeBox);
        QVERIFY(penSizeBox);
        penSizeBox->setCurrentIndex(3);
        auto *zoomBox = control<QComboBox>(window.get(), ControlNames::canvasZoomBox);
        QVERIFY(zoomBox);
        zoomBox->setCurrentIndex(2);
        auto *headerBox = control<QLineEdit>(window.get(), ControlNames::headerBox);
        QVERIFY(headerBox);
        headerBox->setText(QStringLiteral("const uint8_t logo[] = {"));
        auto *waitCharBox = control<QLineEdit>(window.get(), ControlNames::waitCharBox);
        QVERIFY(waitCharBox);
        waitCharBox->setText(QStringLiteral("#"));
        auto *picBufferList = control<QListWidget>(window.get(), ControlNames::picBufferList);
        QVERIFY(picBufferList);
        picBufferList->setCurrentRow(6);
        auto *picDelayList = control<QListWidget>(window.get(), ControlNames::picDelayList);
        QVERIFY(picDelayList);
        picDelayList->setCurrentRow(10);
        auto *loadEepromCheck = control<QAbstractButton>(window.get(), ControlNames::loadEepromCheck);
        QVERIFY(loadEepromCheck);
        loadEepromCheck->click();
        auto *eeprom = control<QLineEdit>(window.get(), ControlNames::startAddressBox);
        QVERIFY(eeprom);
        eeprom->setText(QStringLiteral("01024"));
        auto *xmitDelay = control<QLineEdit>(window.get(), ControlNames::xmitDelayBox);
        QVERIFY(xmitDelay);
        xmitDelay->setText(QStringLiteral("150"));
        auto *com3Option = control<QAbstractButton>(window.get(), ControlNames::comOption(3));
        QVERIFY(com3Option);
        com3Option->click();
        auto *portSettingsList = control<QListWidget>(window.get(), ControlNames::portSettingsList);
        QVERIFY(portSettingsList);
        portSettingsList->setCurrentRow(2);
        auto *proto = control<QListWidget>(window.get(), ControlNames::handshakeList);
        QVERIFY(proto);
        proto->setCurrentRow(2);
        auto *outBufferBox = control<QLineEdit>(window.get(), ControlNames::comOutBufferBox);
        QVERIFY(outBufferBox);
        outBufferBox->setText(QStringLiteral("256"));
        auto *applyPortButton = control<QAbstractButton>(window.get(), ControlNames::applyPortButton);
        QVERIFY(applyPortButton);
        applyPortButton->click();
        before = snapshot(*window);
        window->close();
    }
    SettingsStore again(m_dir->filePath(QStringLiteral("tavrel.conf")));
    auto window = startWindow(again);
    QCOMPARE(snapshot(*window), before);
    auto *pixelCanvas = window->findChild<PixelCanvas *>();
    QVERIFY(pixelCanvas);
    QCOMPARE(pixelCanvas->image().size(), QSize(128, 64));
    QVERIFY(m_warnings.isEmpty());
}

void SettingsTest::firstStartIsTheStartUpState()
{
    MainWindow plain{PortAssignments()};
    SettingsStore store(m_dir->filePath(QStringLiteral("none.conf")));
    auto window = startWindow(store);
    QCOMPARE(snapshot(*window), snapshot(plain));
    QVERIFY(m_warnings.isEmpty());
}

void SettingsTest::damagedValuesAreIgnoredOneByOne_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QString>("header");
    // Not settings at all: one warning for the file, which is set aside.
    QTest::newRow("garbage bytes") << QByteArray("\x00\xff[[[=\n\x01\x02 canvas/size\n", 21) << 1
                                   << QStringLiteral("02000000A*"); // LCD 240x64, buffer 32, address 0, delay 10
    QByteArray noise(8192, 0);
    QRandomGenerator random(22);
    for (char &byte : noise)
        byte = char(random.bounded(256));
    QTest::newRow("8 KiB of noise") << noise << 1 << QStringLiteral("02000000A*");
    QTest::newRow("out of range") << QByteArray("[canvas]\nsize=9\npenSize=-1\ninverted=maybe\n[link]\n"
                                                "picBuffer=99\nstartAddress=70000\neeprom=true\n"
                                                "xmitDelay=soon\n[port]\ncom=0\nsettings=19200,x,8,1\n"
                                                "outBuffer=0\n[format]\npacking=diagonal\nprofile=hd44780\n")
                                  << 11 << QStringLiteral("12000000A*"); // EEPROM, buffer 32, address 0, delay 10
}

void SettingsTest::damagedValuesAreIgnoredOneByOne()
{
    QFETCH(QByteArray, file);
    QFETCH(int, warnings);
    QFETCH(QString, header);
    const QString path = m_dir->filePath(QStringLiteral("bad.conf"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    SettingsStore store(path);
    auto window = startWindow(store);
    QVERIFY2(m_warnings.size() == warnings, qPrintable(m_warnings.join('\n')));
    // What was good still counts (the EEPROM target); the header stays sound.
    MessageRecorder recorder;
    auto *convertButton = control<QAbstractButton>(window.get(), ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    QCOMPARE(window->state().transferHeader, header);
    // Junk keeps its bytes under another name and is never written back.
    QFile aside(path + QStringLiteral(".bad"));
    QCOMPARE(aside.exists(), warnings == 1);
    window->close();
    QSettings written(path, QSettings::IniFormat);
    QCOMPARE(written.status(), QSettings::NoError);
    if (aside.open(QIODevice::ReadOnly))
        QCOMPARE(aside.readAll(), file);
}

void SettingsTest::resetForgetsEverything()
{
    const QString path = m_dir->filePath(QStringLiteral("tavrel.conf"));
    {
        SettingsStore store(path);
        auto window = startWindow(store);
        auto *sizeOption1 = control<QAbstractButton>(window.get(), ControlNames::lcdSizeOption(1));
        QVERIFY(sizeOption1);
        sizeOption1->click();
        window->close();
    }
    SettingsStore store(path);
    auto window = startWindow(store);
    auto *restoredSize = control<QAbstractButton>(window.get(), ControlNames::lcdSizeOption(1));
    QVERIFY(restoredSize);
    QVERIFY(restoredSize->isChecked());
    MessageRecorder recorder; // answers OK
    window->resetSettings();
    window->close();
    SettingsStore fresh(path);
    auto next = startWindow(fresh);
    auto *sizeOption0 = control<QAbstractButton>(next.get(), ControlNames::lcdSizeOption(0));
    QVERIFY(sizeOption0);
    QVERIFY(sizeOption0->isChecked());
}

void SettingsTest::customSizeKeepsItsDisplayType()
{
    SettingsStore store(m_dir->filePath(QStringLiteral("tavrel.conf")));
    {
        auto window = startWindow(store);
        if (auto *found = control<QAbstractButton>(window.get(), ControlNames::lcdSizeOption(8)))
            found->click();
        if (auto *found = control<QSpinBox>(window.get(), ControlNames::customWidthBox))
            found->setValue(84);
        if (auto *found = control<QSpinBox>(window.get(), ControlNames::customHeightBox))
            found->setValue(48);
        auto *type = control<QComboBox>(window.get(), ControlNames::displayTypeBox);
        QVERIFY(type);
        type->setCurrentIndex(type->findData(QChar('3')));
        window->close();
    }
    auto window = startWindow(store);
    if (auto *found = control<QAbstractButton>(window.get(), ControlNames::convertButton))
        found->click();
    QCOMPARE(window->state().transferHeader, QStringLiteral("32000000A*"));
    auto *canvas = control<PixelCanvas>(window.get(), ControlNames::pixelCanvas);
    QVERIFY(canvas);
    QCOMPARE(canvas->image().size(), QSize(84, 48));
}

void SettingsTest::customLineSettingComesBack()
{
    SettingsStore store(m_dir->filePath(QStringLiteral("tavrel.conf")));
    {
        auto window = startWindow(store);
        auto *custom = control<QLineEdit>(window.get(), ControlNames::customSettingBox);
        QVERIFY(custom);
        custom->setText(QStringLiteral("250000,e,7,1"));
        QTest::keyClick(custom, Qt::Key_Return);
        window->close();
    }
    auto window = startWindow(store);
    auto *settings = control<QListWidget>(window.get(), ControlNames::portSettingsList);
    QVERIFY(settings && settings->currentItem());
    QCOMPARE(settings->currentItem()->text(), QStringLiteral("250000,e,7,1"));
    auto *port = control<CommPort>(window.get(), CommPort::ObjectName);
    QVERIFY(port);
    QCOMPARE(port->settings(), QStringLiteral("250000,e,7,1"));
    QVERIFY2(m_warnings.isEmpty(), qPrintable(m_warnings.join('\n')));
}

// Only a handshake the port was given comes back; a first start chooses none.
void SettingsTest::handshakeIsWhatThePortWasGiven()
{
    SettingsStore store(m_dir->filePath(QStringLiteral("tavrel.conf")));
    const auto restart = [this, &store](const std::function<void(MainWindow &)> &act) {
        auto window = startWindow(store);
        act(*window);
        window->close();
        return startWindow(store);
    };
    // -1 when the list is missing (the lookup has failed the test by then).
    const auto shown = [](MainWindow &window) {
        auto *list = control<QListWidget>(&window, ControlNames::handshakeList);
        return list ? list->selectedItems().size() : -1;
    };
    const auto handshaking = [](MainWindow &window) {
        auto *port = control<CommPort>(&window, CommPort::ObjectName);
        return port ? port->handshaking() : -1;
    };
    auto first = startWindow(store);
    QCOMPARE(shown(*first), 0);
    first.reset();
    auto next = restart([](MainWindow &window) {
        if (auto *list = control<QListWidget>(&window, ControlNames::handshakeList))
            list->setCurrentRow(2);
    });
    QCOMPARE(shown(*next), 0);
    QCOMPARE(handshaking(*next), int(CommPort::HandshakeOff));
    next.reset();
    next = restart([](MainWindow &window) {
        if (auto *found = control<QListWidget>(&window, ControlNames::handshakeList))
            found->setCurrentRow(3);
        if (auto *found = control<QAbstractButton>(&window, ControlNames::applyPortButton))
            found->click();
    });
    auto *list = control<QListWidget>(next.get(), ControlNames::handshakeList);
    QVERIFY(list);
    QCOMPARE(list->currentRow(), 3);
    QCOMPARE(handshaking(*next), int(CommPort::RtsCtsAndXonXoff));
}

// A session ended by SIGTERM never closes its window: what changed is on disk by then.
void SettingsTest::changesAreWrittenWithoutExit()
{
    const QString path = m_dir->filePath(QStringLiteral("tavrel.conf"));
    SettingsStore store(path);
    auto window = startWindow(store);
    if (auto *found = control<QLineEdit>(window.get(), ControlNames::waitCharBox))
        found->setText(QStringLiteral("#"));
    QTRY_COMPARE_WITH_TIMEOUT(QSettings(path, QSettings::IniFormat).value("link/waitChars").toString(),
                              QStringLiteral("#"), 10000);
}

void SettingsTest::userFileIsTavrelConfTakingOverTheIni()
{
    const QByteArray home = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());
    QDir(m_dir->path()).mkpath(QStringLiteral("tavrel"));
    QSettings(m_dir->filePath(QStringLiteral("tavrel/tavrel.ini")), QSettings::IniFormat)
        .setValue(QStringLiteral("link/waitChars"), QStringLiteral("#"));
    SettingsStore store;
    qputenv("XDG_CONFIG_HOME", home);
    QCOMPARE(store.path(), m_dir->filePath(QStringLiteral("tavrel/tavrel.conf")));
    auto window = startWindow(store);
    auto *waitChars = control<QLineEdit>(window.get(), ControlNames::waitCharBox);
    QVERIFY(waitChars);
    QCOMPARE(waitChars->text(), QStringLiteral("#"));
    QVERIFY(QFile::exists(store.path()));
}

void SettingsTest::placementIsFittedToTheScreens_data()
{
    QTest::addColumn<QRect>("placement");
    QTest::addColumn<QRect>("fitted");
    QTest::newRow("inside") << QRect(10, 20, 500, 400) << QRect(10, 20, 500, 400);
    QTest::newRow("huge, on the screen it covers most") << QRect(0, 0, 100000, 100000) << QRect(1366, 0, 1920, 1050);
    QTest::newRow("wider, moved in") << QRect(200, 20, 1300, 400) << QRect(66, 20, 1300, 400);
    QTest::newRow("above the top") << QRect(100, -50, 500, 400) << QRect(100, 0, 500, 400);
    QTest::newRow("mostly on the second screen") << QRect(1300, 100, 800, 600) << QRect(1366, 100, 800, 600);
    QTest::newRow("taller than the second screen") << QRect(2000, 0, 800, 1500) << QRect(2000, 0, 800, 1050);
    QTest::newRow("off every screen") << QRect(5000, 5000, 500, 400) << QRect();
}

// A 1366x768 laptop screen with a panel, and a larger screen to its right.
void SettingsTest::placementIsFittedToTheScreens()
{
    QFETCH(QRect, placement);
    QTEST(WindowPlacement::fitted(placement, {QRect(0, 0, 1366, 728), QRect(1366, 0, 1920, 1050)}), "fitted");
}

void SettingsTest::windowPlacementMustFitTheScreen_data()
{
    QTest::addColumn<QString>("placement");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<int>("warnings");
    QTest::newRow("fits") << "10,20,500,400" << QPoint(10, 20) << 0;
    QTest::newRow("huge, made to fit") << "0,0,100000,100000" << QPoint(0, 0) << 1;
    QTest::newRow("partly off, moved in") << "700,20,200,100" << QPoint(-1, 20) << 1;
    QTest::newRow("off the screen, ignored") << "5000,5000,500,400" << QPoint() << 1;
}

void SettingsTest::windowPlacementMustFitTheScreen()
{
    QFETCH(QString, placement);
    QFETCH(QPoint, place);
    const QString path = m_dir->filePath(QStringLiteral("tavrel.conf"));
    QSettings(path, QSettings::IniFormat).setValue(QStringLiteral("window/placement"), placement);
    SettingsStore store(path);
    auto window = startWindow(store);
    // The window's minimum size may widen it; the place is what tells (-1: at the screen's right edge).
    const QRect screen = window->screen()->availableGeometry();
    if (place.x() < 0)
        place.setX(screen.right() + 1 - 200);
    if (!place.isNull())
        QCOMPARE(window->geometry().topLeft(), place);
    QCOMPARE(window->size().boundedTo(QSize(10000, 10000)), window->size());
    QTEST(int(m_warnings.size()), "warnings");
}

// Grown past the screen, the window is saved no larger than the screen.
void SettingsTest::windowLargerThanTheScreenIsSavedFittingIt()
{
    const QString path = m_dir->filePath(QStringLiteral("tavrel.conf"));
    SettingsStore store(path);
    auto window = startWindow(store);
    const QRect screen = window->screen()->availableGeometry();
    window->setGeometry(QRect(screen.topLeft(), screen.size() * 2));
    window->close();
    const QRect saved =
        WindowPlacement::parse(QSettings(path, QSettings::IniFormat).value("window/placement").toString());
    QVERIFY(saved.isValid());
    QVERIFY2(screen.contains(saved), qPrintable(WindowPlacement::toText(saved)));
}

// A file from before values were stored as values still gives its choices.
void SettingsTest::olderKeysAreReadOnceAndReplaced()
{
    const QString path = m_dir->filePath(QStringLiteral("tavrel.conf"));
    {
        QWidget placed;
        placed.setGeometry(30, 40, 600, 500);
        QSettings old(path, QSettings::IniFormat);
        old.setValue("canvas/size", 1);
        old.setValue("canvas/penSize", 5);
        old.setValue("link/picBuffer", 6);
        old.setValue("link/picDelay", 10);
        old.setValue("port/handshake", 2);
        old.setValue("window/geometry", placed.saveGeometry());
    }
    SettingsStore store(path);
    auto window = startWindow(store);
    auto *size = control<QAbstractButton>(window.get(), ControlNames::lcdSizeOption(1));
    QVERIFY(size);
    QVERIFY(size->isChecked());
    auto *penSize = control<QComboBox>(window.get(), ControlNames::penSizeBox);
    QVERIFY(penSize);
    QCOMPARE(penSize->currentText(), QStringLiteral("x10"));
    QCOMPARE(window->state().picBufferSize, 128);
    QCOMPARE(window->state().picDelayMs, 100);
    auto *handshake = control<QListWidget>(window.get(), ControlNames::handshakeList);
    QVERIFY(handshake);
    QCOMPARE(handshake->currentRow(), 2);
    QCOMPARE(window->geometry().topLeft(), QPoint(30, 40));
    window->close();
    QSettings written(path, QSettings::IniFormat);
    for (const char *old : {"canvas/size", "canvas/penSize", "link/picBuffer", "link/picDelay", "port/handshake",
                            "window/geometry"})
        QVERIFY2(!written.contains(QLatin1String(old)), old);
    QCOMPARE(written.value("link/picBufferBytes").toString(), QStringLiteral("128"));
    QCOMPARE(written.value("port/handshaking").toString(), QStringLiteral("rts-cts"));
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"

void SettingsTest::shownBeforeBuildingEndsTheSame_data()
{
    QTest::addColumn<QString>("placement");
    QTest::addColumn<bool>("maximized");
    QTest::newRow("first start") << QString() << false;
    QTest::newRow("saved place") << "40,30,1250,700" << false;
    QTest::newRow("maximized") << "40,30,1250,700" << true;
    QTest::newRow("off the screen, ignored") << "5000,5000,500,400" << false;
}

// The program shows its window empty and builds it after (the desktop maps
// it sooner); the window it ends with is the one built before showing.
void SettingsTest::shownBeforeBuildingEndsTheSame()
{
    QFETCH(QString, placement);
    QFETCH(bool, maximized);
    const QString path = m_dir->filePath(QStringLiteral("tavrel.conf"));
    {
        QSettings file(path, QSettings::IniFormat);
        if (!placement.isEmpty())
            file.setValue(QStringLiteral("window/placement"), placement);
        file.setValue(QStringLiteral("window/maximized"), maximized);
    }
    SettingsStore store(path);
    auto built = startWindow(store);
    built->show();
    const qsizetype warnings = m_warnings.size();
    MainWindow shown{MainWindow::Unbuilt{}};
    shown.showBeforeBuilding(store);
    shown.build(PortAssignments());
    shown.useSettings(&store);
    QCOMPARE(m_warnings.size(), 2 * warnings); // each said once
    QCOMPARE(shown.isMaximized(), built->isMaximized());
    QCOMPARE(shown.geometry(), built->geometry());
    QCOMPARE(snapshot(shown), snapshot(*built));
    // Named controls: Qt's own scroll bars follow the sizes the window passed through.
    const auto visibleNames = [](QWidget &window) {
        QStringList names;
        for (QWidget *widget : window.findChildren<QWidget *>())
            if (widget->isVisible() && !widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_"))
                names << widget->objectName();
        return names;
    };
    QCOMPARE(visibleNames(shown), visibleNames(*built));
}
