#include "FormLookup.h"
#include "MessageRecorder.h"
#include "ui/CommonDialog.h"
#include "app/MainWindow.h"
#include "canvas/MonoBmpWriter.h"
#include "canvas/PenStroke.h"
#include "canvas/PixelCanvas.h"

#include <QAbstractButton>
#include <QCheckBox>
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

private:
    // The shared dialog answers `fileName` and records the title it showed.
    void answerFiles(const QString &fileName)
    {
        CommonDialog::setAnswerer([this, fileName](CommonDialog &dialog, CommonDialog::Mode) {
            m_titles << dialog.dialogTitle;
            return fileName;
        });
    }
    void click(const QString &name) { control<QAbstractButton>(m_window, name)->click(); }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }
    int enabledSizeOptions() const
    {
        int enabled = 0;
        for (int index = 0; index <= 7; ++index)
            enabled |= control<QRadioButton>(m_window, QStringLiteral("optgrf_%1").arg(index))->isEnabled() << index;
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
    m_canvas = control<PixelCanvas>(m_window, "Picture1");
    m_output = control<QPlainTextEdit>(m_window, "Text3");
    m_inverted = control<QCheckBox>(m_window, "chkinvert");
    QVERIFY(m_canvas && m_output && m_inverted);
    m_output->setPlainText(QStringLiteral("old text"));
    m_titles.clear();
}

void BitmapPanelTest::cleanup()
{
    CommonDialog::setAnswerer({});
    delete m_window;
}

void BitmapPanelTest::loadCancelledOrRefused_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: the dialog is cancelled
    QTest::addColumn<bool>("invertedEnabled");
    QTest::newRow("cancelled") << QByteArray() << false;
    QTest::newRow("not a picture") << QByteArray("just some words") << true;
}

void BitmapPanelTest::loadCancelledOrRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, invertedEnabled);
    MessageRecorder messages;
    m_canvas->setPoint(QPoint(7, 7));
    const QString path = content.isEmpty() ? QString() : writeFile(QStringLiteral("notes.bmp"), content);
    answerFiles(path);
    click(QStringLiteral("Command10"));
    QCOMPARE(m_output->toPlainText(), QString());
    QCOMPARE(m_inverted->isEnabled(), invertedEnabled);
    QCOMPARE(enabledSizeOptions(), 0x80); // only "320x200"
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
    click(QStringLiteral("Command10"));
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
    click(QStringLiteral("optgrf_1")); // 128x64
    m_canvas->setPoint(QPoint(3, 4));
    m_canvas->setPoint(QPoint(127, 63));
    const QStringList filesBefore = QDir(m_dir.path()).entryList(QDir::Files);
    answerFiles(QString());
    click(QStringLiteral("Command8"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), filesBefore); // cancelled: nothing written
    // Another operation's dialog title stays for Save.
    m_window->commonDialog()->dialogTitle = QStringLiteral("Save Text File");
    answerFiles(m_dir.filePath(QStringLiteral("saved")));
    click(QStringLiteral("Command8"));
    QCOMPARE(m_titles.last(), QStringLiteral("Save Text File"));
    QFile saved(m_dir.filePath(QStringLiteral("saved.bmp")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QCOMPARE(bytes.size(), 62 + 16 * 64);
    const QImage reread = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(pixelsOf(reread, Black), (QList<QPoint>{{3, 4}, {127, 63}}));
    const QString unwritable = m_dir.filePath(QStringLiteral("no-such-folder/x.bmp"));
    answerFiles(unwritable);
    click(QStringLiteral("Command8"));
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY2(messages.messages.first().startsWith("Error: Cannot save " + unwritable), qPrintable(messages.messages[0]));
}

void BitmapPanelTest::textStampsLineByLine()
{
    // "Font" takes name and size from the dialog; a cancelled dialog changes nothing.
    CommonDialog::setAnswerer([](CommonDialog &dialog, CommonDialog::Mode) {
        dialog.fontName = QStringLiteral("DejaVu Sans");
        dialog.fontSize = 10;
        return QStringLiteral("ok");
    });
    click(QStringLiteral("cmdfont"));
    CommonDialog::setAnswerer([](CommonDialog &dialog, CommonDialog::Mode) {
        dialog.fontName = QStringLiteral("DejaVu Serif");
        return QString();
    });
    click(QStringLiteral("cmdfont"));
    QCOMPARE(m_window->commonDialog()->flags, 3);
    QCOMPARE(m_canvas->stampFont(), QFont(QStringLiteral("DejaVu Sans"), 10));
    control<QLineEdit>(m_window, "pictxt")->setText(QStringLiteral("Hig"));
    m_canvas->setPoint(QPoint(30, 20));
    click(QStringLiteral("cmdtext"));
    const QPoint next = m_canvas->currentPosition();
    QList<QPoint> ink = pixelsOf(m_canvas->image(), Black);
    ink.removeOne(QPoint(30, 20));
    const QRect line = boundsOf(ink);
    // Top-left of the text at the point; the next line starts at the left edge below it.
    QVERIFY(ink.size() > 20 && line.left() >= 30 && line.top() >= 20 && line.top() < 26);
    QVERIFY(line.bottom() < next.y() && next.x() == 0);
    click(QStringLiteral("cmdtext"));
    const QList<QPoint> bothLines = pixelsOf(m_canvas->image(), Black);
    QCOMPARE(bothLines.size(), 2 * ink.size() + 1);
    QVERIFY(boundsOf(bothLines).left() < 3);
    QCOMPARE(pixelsOf(m_canvas->image(), White).size() + bothLines.size(), 240 * 64); // nothing grey
    // An empty text only moves down a line.
    control<QLineEdit>(m_window, "pictxt")->clear();
    const QImage before = m_canvas->image();
    click(QStringLiteral("cmdtext"));
    QCOMPARE(m_canvas->image(), before);
    QCOMPARE(m_canvas->currentPosition(), QPoint(0, 3 * next.y() - 40));
    // "Erase" prints white over black, and paints no box behind the letters.
    QImage black = PenStroke::blank(240, 64);
    black.fill(Black);
    m_canvas->setImage(black);
    m_canvas->setCurrentPosition(QPoint(0, 0));
    click(QStringLiteral("Command6"));
    control<QLineEdit>(m_window, "pictxt")->setText(QStringLiteral("WIDE"));
    click(QStringLiteral("cmdtext"));
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
    click(QStringLiteral("optgrf_%1").arg(option));
    click(QStringLiteral("Option2_1")); // horizontal packing
    const int right = size.width() - 1, bottom = size.height() - 1;
    for (QLine stroke : {QLine(0, 0, right, bottom), QLine(right, 0, right, bottom), QLine(0, bottom, 9, bottom)}) {
        m_canvas->setPoint(stroke.p1());
        m_canvas->lineTo(stroke.p2());
    }
    click(QStringLiteral("Command9"));
    const QString drawn = m_output->toPlainText();
    QCOMPARE(drawn.size(), size.width() / 8 * size.height() * 2 + 2);
    answerFiles(m_dir.filePath(QStringLiteral("roundtrip.bmp")));
    click(QStringLiteral("Command8"));  // Save
    click(QStringLiteral("Command5"));  // Clear
    click(QStringLiteral("Command10")); // Load
    QVERIFY(m_window->state().canvasShowsLoadedBitmap); // Convert now packs the file's bytes
    click(QStringLiteral("Command9"));
    QCOMPARE(m_output->toPlainText(), drawn);
}

QTEST_MAIN(BitmapPanelTest)
#include "tst_bitmappanel.moc"
