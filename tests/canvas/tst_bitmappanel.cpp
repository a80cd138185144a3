#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "widgets/ui/FileAndFontPrompts.h"
#include "gui/MainWindow.h"
#include "widgets/canvas/ImportDialog.h"
#include "logic/canvas/MonoBmpWriter.h"
#include "logic/canvas/PenStroke.h"
#include "widgets/canvas/PixelCanvas.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QList<QPoint> pixelsOf(const QImage &image, QRgb colour)
{
    QList<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                found << QPoint(x, y);
    return found;
}

QRect boundsOf(const QList<QPoint> &points)
{
    QRect bounds;
    for (QPoint point : points)
        bounds |= QRect(point, QSize(1, 1));
    return bounds;
}

const QRgb Black = qRgb(0, 0, 0), White = qRgb(255, 255, 255);
} // namespace

class BitmapPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void loadCancelledOrRefused_data();
    void loadCancelledOrRefused();
    void loadShowsFileAndDump();
    void saveAtLcdSize();
    void textStampsLineByLine();
    void roundTripThroughWindow_data();
    void roundTripThroughWindow();
    void polarityHoldsForThePicture_data();
    void polarityHoldsForThePicture();
    void loadSaysWhatItDid();
    void eachDialogIsWhatItSays();
    void foldersAndFontFollowTheUser();
    void customSizeRoundTrip();
    void importShowsTheResultFirst();
    void loadsUndo();
    void pendingTextIsNotThePicture();
    void picturesRetireTheConversion_data();
    void picturesRetireTheConversion();

private:
    // The shared dialog answers `fileName` and records the title it showed.
    void answerFiles(const QString &fileName)
    {
        FileAndFontPrompts::setAnswerer([this, fileName](FileAndFontPrompts &dialog, FileAndFontPrompts::Mode) {
            m_titles << dialog.dialogTitle;
            return fileName;
        });
    }
    void click(const QString &name)
    {
        if (auto *button = control<QAbstractButton>(m_window, name))
            button->click();
    }
    QString convert()
    {
        click(QString(ControlNames::convertButton));
        return m_output->toPlainText();
    }
    // Presses OK on the next modal dialog (the import dialog), as a person would.
    static void acceptNextDialog()
    {
        QTimer::singleShot(0, qApp, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->accept();
        });
    }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }
    int enabledSizeOptions() const
    {
        int enabled = 0;
        for (int index = 0; index <= 7; ++index)
            if (auto *size = control<QRadioButton>(m_window, ControlNames::lcdSizeOption(index)))
                enabled |= size->isEnabled() << index;
        return enabled;
    }

    MainWindow *m_window = nullptr;
    PixelCanvas *m_canvas = nullptr;
    QPlainTextEdit *m_output = nullptr;
    QCheckBox *m_inverted = nullptr;
    QTemporaryDir m_dir;
    QStringList m_titles;
};

void BitmapPanelTest::init()
{
    m_window = new MainWindow;
    m_canvas = control<PixelCanvas>(m_window, ControlNames::pixelCanvas);
    QVERIFY(m_canvas);
    m_output = control<QPlainTextEdit>(m_window, ControlNames::outputWindow);
    QVERIFY(m_output);
    m_inverted = control<QCheckBox>(m_window, ControlNames::invertedCheck);
    QVERIFY(m_inverted);
    QVERIFY(m_canvas && m_output && m_inverted);
    m_output->setPlainText(QStringLiteral("old text"));
    m_titles.clear();
}

void BitmapPanelTest::cleanup()
{
    FileAndFontPrompts::setAnswerer({});
    delete m_window;
}

void BitmapPanelTest::loadCancelledOrRefused_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: the dialog is cancelled
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("sizesEnabled");
    QTest::newRow("cancelled: nothing changes") << QByteArray() << "old text" << 0xFF;
    QTest::newRow("not a picture") << QByteArray("just some words") << QString() << 0x80; // only "320x200"
}

void BitmapPanelTest::loadCancelledOrRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, output);
    QFETCH(int, sizesEnabled);
    MessageRecorder messages;
    m_canvas->setPoint(QPoint(7, 7));
    const QString path = content.isEmpty() ? QString() : writeFile(QStringLiteral("notes.bmp"), content);
    answerFiles(path);
    click(QString(ControlNames::loadPictureButton));
    QCOMPARE(m_output->toPlainText(), output);
    QVERIFY(m_inverted->isEnabled());
    QCOMPARE(enabledSizeOptions(), sizesEnabled);
    QCOMPARE(pixelsOf(m_canvas->image(), Black), QList<QPoint>{QPoint(7, 7)});
    QCOMPARE(messages.messages.size(), content.isEmpty() ? 0 : 1);
    if (!content.isEmpty())
        QVERIFY2(messages.messages.first().startsWith("Error: Cannot load " + path), qPrintable(messages.messages[0]));
}

void BitmapPanelTest::loadShowsFileAndDump()
{
    QImage dots = PenStroke::blank(240, 64);
    for (QPoint dot : {QPoint(0, 0), QPoint(8, 0), QPoint(239, 63)})
        dots.setPixel(dot, Black);
    answerFiles(writeFile(QStringLiteral("dots.bmp"), MonoBmpWriter::encode(dots)));
    click(QString(ControlNames::loadPictureButton));
    QCOMPARE(m_titles, QStringList{QStringLiteral("LCD File to Open")});
    // With "Inverted" a black pixel is a 1 bit; the two padding cells a row stay empty.
    QCOMPARE(m_output->toPlainText(), "8080" + QStringLiteral("00").repeated(28 + 30 * 62 + 29) + "01");
    QCOMPARE(pixelsOf(m_canvas->image(), Black), (QList<QPoint>{{0, 0}, {8, 0}, {239, 63}}));
    QVERIFY(!m_inverted->isEnabled());
    QVERIFY(m_window->state().canvasShowsLoadedBitmap);
    m_canvas->setPoint(QPoint(100, 30));
    QVERIFY(!m_window->state().canvasShowsLoadedBitmap);
}

void BitmapPanelTest::saveAtLcdSize()
{
    MessageRecorder messages;
    click(ControlNames::lcdSizeOption(1)); // 128x64
    m_canvas->setPoint(QPoint(3, 4));
    m_canvas->setPoint(QPoint(127, 63));
    const QStringList filesBefore = QDir(m_dir.path()).entryList(QDir::Files);
    answerFiles(QString());
    click(QString(ControlNames::savePictureButton));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), filesBefore); // cancelled: nothing written
    answerFiles(m_dir.filePath(QStringLiteral("saved")));
    click(QString(ControlNames::savePictureButton));
    QCOMPARE(m_titles.last(), QStringLiteral("LCD File to Save"));
    QFile saved(m_dir.filePath(QStringLiteral("saved.bmp")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QCOMPARE(bytes.size(), 62 + 16 * 64);
    const QImage reread = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(pixelsOf(reread, Black), (QList<QPoint>{{3, 4}, {127, 63}}));
    const QString unwritable = m_dir.filePath(QStringLiteral("no-such-folder/x.bmp"));
    answerFiles(unwritable);
    click(QString(ControlNames::savePictureButton));
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY2(messages.messages.first().startsWith("Error: Cannot save " + unwritable), qPrintable(messages.messages[0]));
}

void BitmapPanelTest::textStampsLineByLine()
{
    // "Font" takes name and size from the dialog; a cancelled dialog changes nothing.
    FileAndFontPrompts::setAnswerer([](FileAndFontPrompts &dialog, FileAndFontPrompts::Mode) {
        dialog.fontName = QStringLiteral("DejaVu Sans");
        dialog.fontSize = 10;
        return QStringLiteral("ok");
    });
    click(ControlNames::textFontButton);
    FileAndFontPrompts::setAnswerer([](FileAndFontPrompts &dialog, FileAndFontPrompts::Mode) {
        dialog.fontName = QStringLiteral("DejaVu Serif");
        return QString();
    });
    click(ControlNames::textFontButton);
    QCOMPARE(m_window->fileAndFontPrompts()->flags, 3);
    QCOMPARE(m_canvas->stampFont(), QFont(QStringLiteral("DejaVu Sans"), 10));
    auto *stampTextBox = control<QLineEdit>(m_window, ControlNames::stampTextBox);
    QVERIFY(stampTextBox);
    stampTextBox->setText(QStringLiteral("Hig"));
    m_canvas->setPoint(QPoint(30, 20));
    click(ControlNames::stampTextButton);
    const QPoint next = m_canvas->currentPosition();
    QList<QPoint> ink = pixelsOf(m_canvas->image(), Black);
    ink.removeOne(QPoint(30, 20));
    const QRect line = boundsOf(ink);
    // Top-left of the text at the point; the next line starts at the left edge below it.
    QVERIFY(ink.size() > 20 && line.left() >= 30 && line.top() >= 20 && line.top() < 26);
    QVERIFY(line.bottom() < next.y() && next.x() == 0);
    click(ControlNames::stampTextButton);
    const QList<QPoint> bothLines = pixelsOf(m_canvas->image(), Black);
    QCOMPARE(bothLines.size(), 2 * ink.size() + 1);
    QVERIFY(boundsOf(bothLines).left() < 3);
    QCOMPARE(pixelsOf(m_canvas->image(), White).size() + bothLines.size(), 240 * 64); // nothing grey
    // An empty text only moves down a line.
    auto *pictxt2 = control<QLineEdit>(m_window, ControlNames::stampTextBox);
    QVERIFY(pictxt2);
    pictxt2->clear();
    const QImage before = m_canvas->image();
    click(ControlNames::stampTextButton);
    QCOMPARE(m_canvas->image(), before);
    QCOMPARE(m_canvas->currentPosition(), QPoint(0, 3 * next.y() - 40));
    // "Erase" prints white over black, and paints no box behind the letters.
    QImage black = PenStroke::blank(240, 64);
    black.fill(Black);
    m_canvas->setImage(black);
    m_canvas->setCurrentPosition(QPoint(0, 0));
    click(QString(ControlNames::eraseButton));
    stampTextBox->setText(QStringLiteral("WIDE"));
    click(ControlNames::stampTextButton);
    const QList<QPoint> white = pixelsOf(m_canvas->image(), White);
    QVERIFY(white.size() > 20 && white.size() < boundsOf(white).width() * boundsOf(white).height() / 2);
}

void BitmapPanelTest::roundTripThroughWindow_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QSize>("size");
    QTest::newRow("128x64") << 1 << QSize(128, 64);
    QTest::newRow("240x64") << 0 << QSize(240, 64);
    QTest::newRow("256x128") << 3 << QSize(256, 128);
    QTest::newRow("320x200") << 7 << QSize(320, 200);
}

void BitmapPanelTest::roundTripThroughWindow()
{
    QFETCH(int, option);
    QFETCH(QSize, size);
    click(ControlNames::lcdSizeOption(option));
    click(QString(ControlNames::horizontalOption)); // horizontal packing
    const int right = size.width() - 1, bottom = size.height() - 1;
    for (QLine stroke : {QLine(0, 0, right, bottom), QLine(right, 0, right, bottom), QLine(0, bottom, 9, bottom)}) {
        m_canvas->setPoint(stroke.p1());
        m_canvas->lineTo(stroke.p2());
    }
    click(QString(ControlNames::convertButton));
    const QString drawn = m_output->toPlainText();
    QCOMPARE(drawn.size(), size.width() / 8 * size.height() * 2 + 2);
    answerFiles(m_dir.filePath(QStringLiteral("roundtrip.bmp")));
    click(QString(ControlNames::savePictureButton));  // Save
    click(QString(ControlNames::clearCanvasButton));  // Clear
    click(QString(ControlNames::loadPictureButton)); // Load
    QVERIFY(m_window->state().canvasShowsLoadedBitmap); // Convert now packs the file's bytes
    click(QString(ControlNames::convertButton));
    QCOMPARE(m_output->toPlainText(), drawn);
}

void BitmapPanelTest::polarityHoldsForThePicture_data()
{
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<QString>("horizontal"); // the first two bytes
    QTest::addColumn<QString>("vertical");   // the first byte
    QTest::addColumn<QRgb>("shownAt00");     // the canvas shows the picture as its bytes draw it
    QTest::newRow("Inverted: dark is set") << true << "8080" << "01" << Black;
    QTest::newRow("not Inverted: light is set") << false << "7f7f" << "fe" << White;
}

// The polarity a load gives a picture holds for both packings, edited or not, until Clear.
void BitmapPanelTest::polarityHoldsForThePicture()
{
    QFETCH(bool, inverted);
    QFETCH(QString, horizontal);
    QFETCH(QString, vertical);
    QFETCH(QRgb, shownAt00);
    m_inverted->setChecked(inverted);
    QImage dots = PenStroke::blank(240, 64);
    dots.setPixel(0, 0, Black);
    dots.setPixel(8, 0, Black);
    answerFiles(writeFile(QStringLiteral("dots.bmp"), MonoBmpWriter::encode(dots)));
    click(QString(ControlNames::loadPictureButton));
    QVERIFY(convert().startsWith(horizontal));
    m_canvas->setPoint(QPoint(100, 30)); // edited
    QVERIFY2(convert().startsWith(horizontal), qPrintable(m_output->toPlainText().left(8)));
    click(QString(ControlNames::verticalOption));
    QVERIFY2(convert().startsWith(vertical), qPrintable(m_output->toPlainText().left(8)));
    QCOMPARE(m_canvas->image().pixel(0, 0), shownAt00);
    m_canvas->setPoint(QPoint(0, 0)); // drawing black sets a bit, whatever the file's polarity
    QVERIFY2(convert().startsWith(inverted ? "01" : "ff"), qPrintable(m_output->toPlainText().left(8)));
    // A picture drawn after "Clear" has dark pixels set, as ever.
    click(QString(ControlNames::clearCanvasButton));
    m_canvas->setPoint(QPoint(0, 0));
    QVERIFY(convert().startsWith(QStringLiteral("01")));
}

void BitmapPanelTest::loadSaysWhatItDid()
{
    click(ControlNames::lcdSizeOption(1)); // 128x64
    answerFiles(writeFile(QStringLiteral("logo.bmp"), MonoBmpWriter::encode(PenStroke::blank(300, 100))));
    acceptNextDialog();
    click(QString(ControlNames::loadPictureButton));
    auto *status = control<QLabel>(m_window, ControlNames::canvasStatusLabel);
    QVERIFY(status);
    QVERIFY2(status->text().contains(QStringLiteral("logo.bmp is 300x100; the canvas shows its top-left 128x64")),
             qPrintable(status->text()));
    // Placed and scaled to the LCD: nothing ties the picture to a size.
    QCOMPARE(enabledSizeOptions(), 0xFF);
    QVERIFY(m_inverted->isEnabled());
    QVERIFY(status->text().contains(QStringLiteral("Convert makes its bytes")));
    // A bitmap walked byte for byte locks them, and the window says what unlocks them.
    answerFiles(writeFile(QStringLiteral("lcd.bmp"), MonoBmpWriter::encode(PenStroke::blank(128, 64))));
    click(QString(ControlNames::loadPictureButton));
    QVERIFY(status->text().contains(QStringLiteral("\"Clear\" unlocks")));
    auto *locked = control<QRadioButton>(m_window, ControlNames::lcdSizeOption(0));
    QVERIFY(!locked->isEnabled());
    QVERIFY(locked->toolTip().contains(QStringLiteral("\"Clear\" unlocks")));
    click(QString(ControlNames::clearCanvasButton));
    QVERIFY(locked->isEnabled() && locked->toolTip().isEmpty());
}

// Each use of the shared dialog brings its own title, filter and extension;
// a picture is saved in the format its name says.
void BitmapPanelTest::eachDialogIsWhatItSays()
{
    QStringList shown;
    QString answer;
    FileAndFontPrompts::setAnswerer([&](FileAndFontPrompts &dialog, FileAndFontPrompts::Mode) {
        shown << dialog.dialogTitle + " | " + dialog.filter.section('|', 0, 0) + " | " + dialog.defaultExt;
        return answer;
    });
    auto *saveOutputButton = control<QAbstractButton>(m_window, QString(ControlNames::saveOutputButton));
    QVERIFY(saveOutputButton);
    saveOutputButton->setEnabled(true);
    answer = m_dir.filePath(QStringLiteral("text"));
    click(QString(ControlNames::saveOutputButton)); // the text Save
    answer.clear();
    click(QString(ControlNames::loadPictureButton)); // Load
    m_canvas->setPoint(QPoint(2, 3));
    answer = m_dir.filePath(QStringLiteral("x.png"));
    click(QString(ControlNames::savePictureButton)); // Save
    QCOMPARE(shown, (QStringList{"LCD File to Save | Text(*.txt) | *.txt", "LCD File to Open | Image (*.bmp) | bmp",
                                 "LCD File to Save | Image (*.bmp) | bmp"}));
    QFile png(answer);
    QVERIFY(png.open(QIODevice::ReadOnly));
    QVERIFY(png.read(4) == "\x89PNG");
    QCOMPARE(pixelsOf(QImage(answer).convertToFormat(QImage::Format_RGB32), Black), QList<QPoint>{QPoint(2, 3)});
    // A name that says neither gets ".bmp": the file never contradicts its name.
    answer = m_dir.filePath(QStringLiteral("logo.txt"));
    click(QString(ControlNames::savePictureButton));
    QVERIFY(!QFile::exists(answer));
    QFile bmp(answer + QStringLiteral(".bmp"));
    QVERIFY(bmp.open(QIODevice::ReadOnly));
    QVERIFY(bmp.read(2) == "BM");
}

void BitmapPanelTest::foldersAndFontFollowTheUser()
{
    QStringList folders;
    QString answer;
    FileAndFontPrompts::setAnswerer([&](FileAndFontPrompts &dialog, FileAndFontPrompts::Mode mode) {
        if (mode == FileAndFontPrompts::Mode::Font) {
            folders << QStringLiteral("%1 %2").arg(dialog.fontName).arg(dialog.fontSize);
            return QStringLiteral("ok");
        }
        folders << dialog.initDir;
        return answer;
    });
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("pictures"))));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("texts"))));
    answer = m_dir.filePath(QStringLiteral("pictures/a.bmp"));
    click(QString(ControlNames::savePictureButton)); // picture Save
    auto *saveOutputButton = control<QAbstractButton>(m_window, QString(ControlNames::saveOutputButton));
    QVERIFY(saveOutputButton);
    saveOutputButton->setEnabled(true);
    answer = m_dir.filePath(QStringLiteral("texts/a.txt"));
    click(QString(ControlNames::saveOutputButton)); // text Save
    answer.clear();
    click(QString(ControlNames::loadPictureButton)); // picture Load
    click(QString(ControlNames::saveOutputButton));
    const QString home = QDir::homePath();
    QCOMPARE(folders, (QStringList{home, home, m_dir.filePath(QStringLiteral("pictures")),
                                   m_dir.filePath(QStringLiteral("texts"))}));
    // The Font dialog opens on the font in use; OK without changes keeps it.
    const QFont before = m_canvas->stampFont();
    folders.clear();
    click(ControlNames::textFontButton);
    QCOMPARE(folders, QStringList{QStringLiteral("%1 %2").arg(QFontInfo(before).family()).arg(before.pointSizeF())});
    QCOMPARE(m_canvas->stampFont().pointSizeF(), before.pointSizeF());
    auto *shown = control<QLabel>(m_window, ControlNames::fontInUseLabel);
    QVERIFY(shown);
    QCOMPARE(shown->text(), QStringLiteral("%1 %2 pt").arg(QFontInfo(before).family()).arg(before.pointSizeF()));
}

// A custom 84x48 picture: 504 bytes vertically, and the same after Save and Load.
void BitmapPanelTest::customSizeRoundTrip()
{
    click(ControlNames::lcdSizeOption(8));
    auto *widthBox = control<QSpinBox>(m_window, ControlNames::customWidthBox);
    QVERIFY(widthBox);
    widthBox->setValue(84);
    auto *heightBox = control<QSpinBox>(m_window, ControlNames::customHeightBox);
    QVERIFY(heightBox);
    heightBox->setValue(48);
    for (QLine stroke : {QLine(0, 0, 83, 47), QLine(83, 0, 0, 47), QLine(40, 0, 40, 47)}) {
        m_canvas->setPoint(stroke.p1());
        m_canvas->lineTo(stroke.p2());
    }
    click(QString(ControlNames::verticalOption)); // vertical
    const QString vertical = convert();
    QCOMPARE(vertical.size(), 504 * 2);
    click(QString(ControlNames::horizontalOption));
    const QString horizontal = convert();
    QCOMPARE(horizontal.size(), 11 * 48 * 2 + 2);
    answerFiles(m_dir.filePath(QStringLiteral("nokia.bmp")));
    click(QString(ControlNames::savePictureButton));
    click(QString(ControlNames::clearCanvasButton));
    click(QString(ControlNames::loadPictureButton)); // at the LCD size: byte for byte, no import dialog
    QVERIFY(m_window->state().canvasShowsLoadedBitmap);
    QCOMPARE(convert(), horizontal);
    click(QString(ControlNames::verticalOption));
    QCOMPARE(convert(), vertical);
}

void BitmapPanelTest::importShowsTheResultFirst()
{
    QImage photo(40, 20, QImage::Format_RGB32);
    photo.fill(qRgb(60, 60, 60)); // dark grey: all lit when cut at the middle
    QGuiApplication::clipboard()->setImage(photo);
    QImage previewed;
    qsizetype croppedLit = 0;
    ImportDialog::setAnswerer([&](ImportDialog &dialog) {
        croppedLit = pixelsOf(dialog.result(), Black).size();
        auto *placement = control<QComboBox>(&dialog, ControlNames::placementBox);
        auto *dither = control<QComboBox>(&dialog, ControlNames::ditherBox);
        if (!placement || !dither)
            return false;
        placement->setCurrentIndex(4); // Stretch
        dither->setCurrentIndex(1);    // Floyd-Steinberg
        previewed = dialog.result();
        return true;
    });
    click(ControlNames::pastePictureButton);
    QCOMPARE(croppedLit, 40 * 20); // at first the photo's top-left, as a plain Load
    const int lit = pixelsOf(m_canvas->image(), Black).size();
    QVERIFY2(lit > 240 * 64 * 0.7 && lit < 240 * 64 * 0.8, qPrintable(QString::number(lit))); // 1 - 60/255
    QCOMPARE(m_canvas->image(), previewed);
    QCOMPARE(m_output->toPlainText(), QString()); // no walk of a file: Convert makes the bytes
    // Cancelled: nothing changes. "Import" asks even for a bitmap at the LCD size.
    const QImage before = m_canvas->image();
    int asked = 0;
    ImportDialog::setAnswerer([&](ImportDialog &) { return ++asked, false; });
    answerFiles(writeFile(QStringLiteral("lcd.bmp"), MonoBmpWriter::encode(PenStroke::blank(240, 64))));
    click(ControlNames::importPictureButton);
    QCOMPARE(asked, 1);
    QCOMPARE(m_canvas->image(), before);
    ImportDialog::setAnswerer({});
}

void BitmapPanelTest::loadsUndo()
{
    m_inverted->setChecked(false);
    m_canvas->setPoint(QPoint(5, 5));
    answerFiles(writeFile(QStringLiteral("full.bmp"), MonoBmpWriter::encode(QImage(240, 64, QImage::Format_Mono))));
    click(QString(ControlNames::loadPictureButton));
    QCOMPARE(enabledSizeOptions(), 0x80);
    click(ControlNames::undoButton);
    QCOMPARE(pixelsOf(m_canvas->image(), Black), QList<QPoint>{QPoint(5, 5)});
    QCOMPARE(enabledSizeOptions(), 0xFF);
    QVERIFY(m_inverted->isEnabled());
}

void BitmapPanelTest::pendingTextIsNotThePicture()
{
    if (auto *tool = control<QComboBox>(m_window, ControlNames::drawingToolBox))
        tool->setCurrentIndex(7); // Text
    if (auto *found = control<QLineEdit>(m_window, ControlNames::stampTextBox))
        found->setText(QStringLiteral("Hig"));
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, QPoint(30, 20) * m_canvas->zoom());
    const auto pendingInk = [this] {
        const QImage shown = m_canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int blue = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                blue += qBlue(shown.pixel(x, y)) > 200 && qRed(shown.pixel(x, y)) < 60;
        return blue;
    };
    QVERIFY(pendingInk() > 20);
    QVERIFY(pixelsOf(m_canvas->image(), Black).isEmpty());
    auto *status = control<QLabel>(m_window, ControlNames::canvasStatusLabel);
    QVERIFY(status);
    QVERIFY(status->text().contains(QStringLiteral("stamps it")));
    click(ControlNames::stampTextButton);
    QVERIFY(pixelsOf(m_canvas->image(), Black).size() > 20);
    QCOMPARE(pendingInk(), 0); // no second copy waits on the next line
}

void BitmapPanelTest::picturesRetireTheConversion_data()
{
    QTest::addColumn<bool>("paste"); // else Load of a bitmap at the LCD size
    QTest::addColumn<bool>("dumped");
    QTest::addColumn<QString>("difference");
    QTest::newRow("Load") << false << true
                          << "The output window holds the loaded file's bytes, not a conversion: Convert to compare";
    QTest::newRow("Paste Picture") << true << false << QString();
}

void BitmapPanelTest::picturesRetireTheConversion()
{
    QFETCH(bool, paste);
    QFETCH(bool, dumped);
    QFETCH(QString, difference);
    click(QString(ControlNames::verticalOption));
    m_canvas->setPoint(QPoint(1, 1));
    convert();
    auto *reformat = control<QAbstractButton>(m_window, ControlNames::reformatButton);
    QVERIFY(reformat->isEnabled());
    QImage photo = PenStroke::blank(240, 64);
    photo.setPixel(5, 5, Black);
    if (paste) {
        QGuiApplication::clipboard()->setImage(photo);
        ImportDialog::setAnswerer([](ImportDialog &) { return true; });
        click(ControlNames::pastePictureButton);
        ImportDialog::setAnswerer({});
    } else {
        answerFiles(writeFile(QStringLiteral("lcd.bmp"), MonoBmpWriter::encode(photo)));
        click(QString(ControlNames::loadPictureButton));
    }
    QCOMPARE(pixelsOf(m_canvas->image(), Black), QList<QPoint>{QPoint(5, 5)});
    QVERIFY(!reformat->isEnabled());
    QVERIFY(m_window->state().transferHeader.isEmpty());
    QCOMPARE(!m_output->toPlainText().isEmpty(), dumped);
    auto *differences = control<QLabel>(m_window, ControlNames::previewDifference);
    QVERIFY(differences);
    QTRY_COMPARE(differences->text(), difference);
}

QTEST_MAIN(BitmapPanelTest)
#include "tst_bitmappanel.moc"
