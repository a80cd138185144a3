#include "FormLookup.h"
#include "MessageRecorder.h"
#include "TestPicture.h"
#include "gui/MainWindow.h"
#include "logic/convert/Conversion.h"
#include "logic/convert/ControllerProfiles.h"
#include "logic/export/ExportTemplates.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/convert/ConvertControls.h"
#include "widgets/decode/ArrayLoadDialog.h"
#include "widgets/ui/ControlNames.h"
#include "widgets/ui/FileAndFontPrompts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using Template = ExportOptions::Template;

// Load and Import with array files: the array dialog's guess, the picture
// on the canvas, the LCD size and the Profile and Order it leaves behind.
class ArrayLoadTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void arrayLandsAsWritten_data();
    void arrayLandsAsWritten();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();

private:
    // The file `name` holding `text`, and the file dialog answering it.
    QString offer(const QString &name, const QByteArray &text)
    {
        QFile file(m_dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        FileAndFontPrompts::setAnswerer([path = file.fileName()](FileAndFontPrompts &, FileAndFontPrompts::Mode) {
            return path;
        });
        return file.fileName();
    }
    void click(const QString &name)
    {
        if (auto *button = control<QAbstractButton>(m_window, name))
            button->click();
    }
    QString shown(const char *comboName) const
    {
        auto *box = control<QComboBox>(m_window, QLatin1String(comboName));
        return box ? box->currentText() : QString();
    }

    MainWindow *m_window = nullptr;
    PixelCanvas *m_canvas = nullptr;
    QTemporaryDir m_dir;
};

void ArrayLoadTest::init()
{
    m_window = new MainWindow;
    m_canvas = control<PixelCanvas>(m_window, ControlNames::pixelCanvas);
    QVERIFY(m_canvas);
}

void ArrayLoadTest::cleanup()
{
    FileAndFontPrompts::setAnswerer({});
    ArrayLoadDialog::setAnswerer({});
    delete m_window;
}

void ArrayLoadTest::arrayLandsAsWritten_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("form");       // ExportOptions::Template
    QTest::addColumn<QByteArray>("before"); // text ahead of the array
    QTest::addColumn<QString>("array");
    QTest::addColumn<QString>("sizeOption");
    QTest::addColumn<QString>("button");
    const QByteArray table = "const unsigned char gamma[] = {1, 2, 4, 8, 16, 32, 64, 128, 255};\n";
    QTest::newRow("KS0108 pages, an LCD size") << "ks0108" << QSize(128, 64) << int(Template::C) << QByteArray() << "logo"
                                               << ControlNames::lcdSizeOption(1) << ControlNames::loadPictureButton;
    QTest::newRow("rows, a custom size, after a table")
        << "t6963c" << QSize(84, 48) << int(Template::C) << table << "logo" << ControlNames::lcdSizeOption(8)
        << ControlNames::importPictureButton;
    QTest::newRow("XBM") << "xbm" << QSize(40, 24) << int(Template::Xbm) << QByteArray() << "logo_bits"
                         << ControlNames::lcdSizeOption(8) << ControlNames::loadPictureButton;
}

// The file Tavrel writes for a picture loads back as that picture, with the
// layout that writes the same bytes again.
void ArrayLoadTest::arrayLandsAsWritten()
{
    QFETCH(QString, profile);
    QFETCH(QSize, size);
    QFETCH(int, form);
    QFETCH(QByteArray, before);
    QFETCH(QString, array);
    QFETCH(QString, sizeOption);
    QFETCH(QString, button);
    const ControllerProfile *chosen = ControllerProfiles::byName(profile);
    QVERIFY(chosen);
    const QImage picture = framedPicture(size.width(), size.height());
    ConversionSettings settings;
    settings.width = size.width();
    settings.height = size.height();
    settings.layout = chosen->layout;
    const ConversionResult written = Conversion::ofPicture(picture, settings);
    ExportOptions options;
    options.kind = Template(form);
    options.name = QStringLiteral("logo");
    offer(form == int(Template::Xbm) ? "logo.xbm" : "logo.h", before + ExportTemplates::render(written, options));

    QStringList guess;
    ArrayLoadDialog::setAnswerer([&guess](ArrayLoadDialog &dialog) {
        for (const char *name : {ControlNames::arrayWidthBox, ControlNames::arrayHeightBox})
            if (auto *box = control<QSpinBox>(&dialog, name))
                guess << box->text();
        if (auto *list = control<QTreeWidget>(&dialog, QLatin1String(ControlNames::arrayList)))
            guess << list->currentItem()->text(0);
        if (auto *box = control<QComboBox>(&dialog, QLatin1String(ControlNames::arrayProfileBox)))
            guess << box->currentText();
        return true;
    });
    click(qPrintable(button));
    QCOMPARE(guess, (QStringList{QString::number(size.width()), QString::number(size.height()), array,
                                 chosen->caption}));
    QCOMPARE(differingPixels(m_canvas->image(), picture), 0);
    auto *option = control<QRadioButton>(m_window, sizeOption);
    QVERIFY(option && option->isChecked());
    QCOMPARE(shown(ControlNames::profileBox), chosen->caption);
    QCOMPARE(shown(ControlNames::orderBox), chosen->layout.orderCaption());

    auto *convert = m_window->findChild<ConvertControls *>();
    QVERIFY(convert);
    QSignalSpy converted(convert, &ConvertControls::matrixConverted);
    click(ControlNames::convertButton);
    QCOMPARE(converted.size(), 1);
    QCOMPARE(converted.first().first().value<ConversionResult>().bytes, written.bytes);
}

void ArrayLoadTest::cancelChangesNothing_data()
{
    QTest::addColumn<int>("key"); // with the dialog shown; 0: Cancel pressed
    QTest::addColumn<bool>("loaded");
    QTest::newRow("Cancel") << 0 << false;
    QTest::newRow("Enter is OK") << int(Qt::Key_Return) << true;
}

void ArrayLoadTest::cancelChangesNothing()
{
    QFETCH(int, key);
    QFETCH(bool, loaded);
    ConversionSettings settings;
    settings.width = 128;
    settings.height = 64;
    settings.layout = MatrixLayout::usual(false);
    ExportOptions options;
    options.kind = Template::C;
    offer("logo.c", ExportTemplates::render(Conversion::ofPicture(framedPicture(128, 64), settings), options));
    m_canvas->setPoint(QPoint(7, 7));
    const QImage before = m_canvas->image();
    const QString profile = shown(ControlNames::profileBox);
    ArrayLoadDialog::setAnswerer([key](ArrayLoadDialog &dialog) {
        if (key == 0)
            return false;
        dialog.show();
        QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key(key));
        return dialog.result() == QDialog::Accepted;
    });
    click(ControlNames::loadPictureButton);
    QCOMPARE(m_canvas->image() == before, !loaded);
    QCOMPARE(shown(ControlNames::profileBox) == profile, !loaded);
}

void ArrayLoadTest::refusedFileChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("reason");
    QTest::newRow("no array") << "notes.h" << QByteArray("void setup() {}\n") << ": no bytes found";
    QTest::newRow("stray numbers") << "sketch.ino" << QByteArray("int count = 0;\nvoid loop() { delay(1000); }\n")
                                   << ": it holds no array of 8 bytes or more";
    QTest::newRow("empty binary") << "empty.bin" << QByteArray("") << ": no bytes found";
    QTest::newRow("bad Intel HEX") << "logo.hex" << QByteArray(":0300000001020305\n")
                                   << ": Intel HEX line 1: wrong checksum";
    QTest::newRow("no file") << "gone.c" << QByteArray() << ": No such file or directory";
}

void ArrayLoadTest::refusedFileChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    MessageRecorder messages;
    QString path = offer(name, content);
    if (content.isNull())
        QFile::remove(path);
    bool asked = false;
    ArrayLoadDialog::setAnswerer([&asked](ArrayLoadDialog &) { return asked = true; });
    auto *output = control<QPlainTextEdit>(m_window, ControlNames::outputWindow);
    QVERIFY(output);
    output->setPlainText(QStringLiteral("old text"));
    m_canvas->setPoint(QPoint(7, 7));
    const QImage before = m_canvas->image();
    click(ControlNames::loadPictureButton);
    QVERIFY(!asked);
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY2(messages.messages.first().contains(path + reason), qPrintable(messages.messages.first()));
    QCOMPARE(m_canvas->image(), before);
    QCOMPARE(output->toPlainText(), QStringLiteral("old text"));
    auto *otherSize = control<QRadioButton>(m_window, ControlNames::lcdSizeOption(1));
    QVERIFY(otherSize && otherSize->isEnabled());
}

QTEST_MAIN(ArrayLoadTest)
#include "tst_arrayload.moc"
