#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "gui/MainWindow.h"
#include "widgets/canvas/PixelCanvas.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

class ConvertPanelTest : public QObject
{
    Q_OBJECT
    MainWindow *m_window = nullptr;
    PixelCanvas *m_canvas = nullptr;

    QString convert()
    {
        auto *convertButton = control<QAbstractButton>(m_window, ControlNames::convertButton);
        auto *outputWindow = control<QPlainTextEdit>(m_window, ControlNames::outputWindow);
        if (!convertButton || !outputWindow)
            return {};
        convertButton->click();
        return outputWindow->toPlainText();
    }
    // A missing control has failed the test already (see control()); these then do nothing.
    void click(const QString &name)
    {
        if (auto *button = control<QAbstractButton>(m_window, name))
            button->click();
    }
    void setText(const QString &name, const QString &text)
    {
        if (auto *box = control<QLineEdit>(m_window, name))
            box->setText(text);
    }
    QString text(const QString &name) const
    {
        auto *box = control<QLineEdit>(m_window, name);
        return box ? box->text() : QString();
    }
    QString byteCount() const
    {
        auto *count = control<QLabel>(m_window, ControlNames::byteCountLabel);
        return count ? count->text() : QString();
    }

private slots:
    void init()
    {
        m_window = new MainWindow;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        m_canvas = control<PixelCanvas>(m_window, ControlNames::pixelCanvas);
        QVERIFY(m_canvas);
    }
    void cleanup() { delete m_window; }

    void verticalConvertsTheCanvas()
    {
        auto *note = control<QWidget>(m_window, ControlNames::horizontalNote);
        QVERIFY(note);
        click(ControlNames::verticalOption);
        QVERIFY(note->isHidden());
        setText(ControlNames::formatBox, QStringLiteral("0x"));
        setText(ControlNames::delimiterBox, QStringLiteral(", "));
        m_canvas->setPoint({0, 0});
        m_canvas->setPoint({0, 2});
        const QString first = convert();
        QVERIFY(first.startsWith(QStringLiteral("0x05, 0x00, ")) && first.endsWith(QStringLiteral(", 0x00")));
        QCOMPARE(convert(), first);
        const AppState &s = m_window->state();
        QVERIFY(s.outputText == first && s.savedOutputText == first);
        QCOMPARE(s.byteMatrixHorizontal, qint16(0));
        QCOMPARE(s.transferHeader, QStringLiteral("02000000A*")); // 240x64 from start-up
        QCOMPARE(byteCount(), QStringLiteral("5759"));           // 1920 * 6 - 2 characters
        auto *saveOutputButton = control<QWidget>(m_window, ControlNames::saveOutputButton);
        QVERIFY(saveOutputButton);
        QVERIFY(saveOutputButton->isEnabled());
        auto *reformatButton = control<QWidget>(m_window, ControlNames::reformatButton);
        QVERIFY(reformatButton);
        QVERIFY(reformatButton->isEnabled());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

        click(ControlNames::lcdSizeOption(7));
        setText(ControlNames::delimiterBox, QString());
        QCOMPARE(convert().size(), 8000 * 4);
        QCOMPARE(s.transferHeader, QStringLiteral("02000000A*"));
        click(ControlNames::horizontalOption);
        QVERIFY(!note->isHidden());
    }

    void horizontalPacksDrawingUnlessBitmapUntouched()
    {
        click(ControlNames::lcdSizeOption(2)); // 128x32
        QTest::mouseClick(m_canvas, Qt::LeftButton, {}, QPoint(m_canvas->zoom() * 9, 0));
        QVERIFY(convert().startsWith(QStringLiteral("0040000000")));
        QCOMPARE(byteCount(), QStringLiteral("513"));

        // As a load leaves it: the file's bytes, even where the canvas differs.
        AppState &s = m_window->state();
        s.hexGrid.setCell(0, 0, QStringLiteral("ff"));
        s.canvasShowsLoadedBitmap = true;
        QVERIFY(convert().startsWith(QStringLiteral("ff00")));
        m_canvas->setPoint({0, 0}); // drawn on: the picture counts again
        QVERIFY(convert().startsWith(QStringLiteral("8040")));
    }

    void badAddressConvertsNothing_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("message");
        const QString message = QStringLiteral("Error: EEPROM start address must be a whole number from 0 to 65535");
        QTest::newRow("not a number") << "1x" << message;
        QTest::newRow("empty") << "" << message;
        QTest::newRow("above 65535") << "65536" << message;
    }
    void badAddressConvertsNothing()
    {
        QFETCH(QString, address);
        QFETCH(QString, message);
        const QString good = convert();
        setText(ControlNames::startAddressBox, address);
        MessageRecorder recorder;
        QVERIFY(convert().isEmpty());
        QCOMPARE(recorder.messages, QStringList{message});
        const AppState &s = m_window->state();
        QVERIFY(s.outputText.isEmpty() && s.savedOutputText == good);
        QCOMPARE(byteCount(), QStringLiteral("1921"));
        QCOMPARE(text(ControlNames::startAddressBox), address);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        setText(ControlNames::startAddressBox, QStringLiteral("65535"));
        QVERIFY(!convert().isEmpty());
        QCOMPARE(s.transferHeader, QStringLiteral("020FFFF0A*"));
        QCOMPARE(text(ControlNames::startAddressBox), QStringLiteral("65535"));
    }
};

QTEST_MAIN(ConvertPanelTest)
#include "tst_convertpanel.moc"
