#include "FormLookup.h"
#include "MessageRecorder.h"
#include "app/CommonDialog.h"
#include "app/MainWindow.h"
#include "canvas/MonoBmpWriter.h"
#include "canvas/PixelCanvas.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QImage blackDots(QSize size, const QList<QPoint> &dots)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (QPoint dot : dots)
        picture.setPixel(dot, qRgb(0, 0, 0));
    return picture;
}

QList<QPoint> pixelsOf(const QImage &image, QRgb colour)
{
    QList<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
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
} // namespace

class BitmapPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cancelledLoad();
    void loadShowsFileAndDump();
    void loadErrorLeavesCanvas();
    void saveWritesLcdSize();
    void saveCancelledOrFailing();
    void fontKeepsNameAndSize();
    void textStampsLineByLine();
    void textInEraseColourHasNoBackground();

private:
    // The shared dialog answers `fileName` and records the title it showed.
    void answerFiles(const QString &fileName);
    QAbstractButton *button(const char *name) { return control<QAbstractButton>(m_window, name); }
    bool sizeOptionEnabled(int index)
    {
        return control<QRadioButton>(m_window, QStringLiteral("optgrf_%1").arg(index))->isEnabled();
    }

    MainWindow *m_window = nullptr;
    PixelCanvas *m_canvas = nullptr;
    QPlainTextEdit *m_output = nullptr;
    QCheckBox *m_inverted = nullptr;
    QTemporaryDir m_dir;
    QStringList m_dialogTitles;
};

void BitmapPanelTest::init()
{
    m_window = new MainWindow;
    m_canvas = control<PixelCanvas>(m_window, "Picture1");
    m_output = control<QPlainTextEdit>(m_window, "Text3");
    m_inverted = control<QCheckBox>(m_window, "chkinvert");
    QVERIFY(m_canvas && m_output && m_inverted);
    m_output->setPlainText(QStringLiteral("old text"));
    m_dialogTitles.clear();
}

void BitmapPanelTest::cleanup()
{
    CommonDialog::setAnswerer({});
    delete m_window;
}

void BitmapPanelTest::answerFiles(const QString &fileName)
{
    CommonDialog::setAnswerer([this, fileName](CommonDialog &dialog, CommonDialog::Mode) {
        m_dialogTitles << dialog.dialogTitle;
        return fileName;
    });
}

void BitmapPanelTest::cancelledLoad()
{
    MessageRecorder messages;
    m_canvas->setPoint(QPoint(7, 7));
    answerFiles(QString());
    button("Command10")->click();
    QCOMPARE(m_output->toPlainText(), QString());
    QVERIFY(!m_inverted->isEnabled());
    for (int index = 0; index <= 6; ++index)
        QVERIFY(!sizeOptionEnabled(index));
    QVERIFY(sizeOptionEnabled(7));
    QVERIFY(m_canvas->isBlack(7, 7));
    QVERIFY(messages.messages.isEmpty());
}

void BitmapPanelTest::loadShowsFileAndDump()
{
    const QString path = m_dir.filePath(QStringLiteral("dots.bmp"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(MonoBmpWriter::encode(blackDots(QSize(240, 64), {{0, 0}, {8, 0}, {239, 63}})));
    file.close();
    answerFiles(path);
    button("Command10")->click();
    QCOMPARE(m_dialogTitles, QStringList{QStringLiteral("LCD File to Open")});
    // "Inverted": black pixels are 1 bits; the two padding cells a row stay empty.
    const QString expected = QStringLiteral("8080") + QStringLiteral("00").repeated(28 + 30 * 62 + 29)
                           + QStringLiteral("01");
    QCOMPARE(m_output->toPlainText(), expected);
    QCOMPARE(pixelsOf(m_canvas->image(), qRgb(0, 0, 0)), (QList<QPoint>{{0, 0}, {8, 0}, {239, 63}}));
    QVERIFY(!m_inverted->isEnabled());
    QVERIFY(!sizeOptionEnabled(0) && sizeOptionEnabled(7));
    QVERIFY(m_window->state().canvasShowsLoadedBitmap);
    m_canvas->setPoint(QPoint(100, 30)); // any change: no longer the file's picture
    QVERIFY(!m_window->state().canvasShowsLoadedBitmap);
}

void BitmapPanelTest::loadErrorLeavesCanvas()
{
    MessageRecorder messages;
    const QString path = m_dir.filePath(QStringLiteral("notes.bmp"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("just some words");
    file.close();
    m_canvas->setPoint(QPoint(7, 7));
    answerFiles(path);
    button("Command10")->click();
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY2(messages.messages.first().startsWith(QStringLiteral("Error: Cannot load ") + path),
             qPrintable(messages.messages.first()));
    QCOMPARE(m_output->toPlainText(), QString());
    QVERIFY(m_inverted->isEnabled());
    QVERIFY(!sizeOptionEnabled(3));
    QCOMPARE(pixelsOf(m_canvas->image(), qRgb(0, 0, 0)), QList<QPoint>{QPoint(7, 7)});
    QVERIFY(!m_window->state().canvasShowsLoadedBitmap);
}

void BitmapPanelTest::saveWritesLcdSize()
{
    control<QRadioButton>(m_window, "optgrf_1")->click(); // 128x64
    m_canvas->setPoint(QPoint(3, 4));
    m_canvas->setPoint(QPoint(127, 63));
    // Another operation changed the shared dialog's title: it stays for Save.
    m_window->commonDialog()->dialogTitle = QStringLiteral("Save Text File");
    answerFiles(m_dir.filePath(QStringLiteral("saved")));
    button("Command8")->click();
    QCOMPARE(m_dialogTitles, QStringList{QStringLiteral("Save Text File")});
    QFile saved(m_dir.filePath(QStringLiteral("saved.bmp")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QCOMPARE(bytes.size(), 62 + 16 * 64);
    const QImage reread = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(pixelsOf(reread, qRgb(0, 0, 0)), (QList<QPoint>{{3, 4}, {127, 63}}));
}

void BitmapPanelTest::saveCancelledOrFailing()
{
    MessageRecorder messages;
    QTemporaryDir empty;
    QDir::setCurrent(empty.path()); // where a cancelled dialog would write, if anywhere
    answerFiles(QString());
    button("Command8")->click();
    QVERIFY(QDir(empty.path()).isEmpty());
    QVERIFY(messages.messages.isEmpty());
    const QString unwritable = empty.filePath(QStringLiteral("no-such-folder/x.bmp"));
    answerFiles(unwritable);
    button("Command8")->click();
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY2(messages.messages.first().startsWith(QStringLiteral("Error: Cannot save ") + unwritable),
             qPrintable(messages.messages.first()));
}

void BitmapPanelTest::fontKeepsNameAndSize()
{
    CommonDialog::setAnswerer([](CommonDialog &dialog, CommonDialog::Mode mode) {
        dialog.fontName = QStringLiteral("DejaVu Sans Mono");
        dialog.fontSize = 14;
        return mode == CommonDialog::Mode::Font ? QStringLiteral("ok") : QString();
    });
    button("cmdfont")->click();
    QCOMPARE(m_window->commonDialog()->flags, 3);
    QCOMPARE(m_canvas->stampFont().family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(m_canvas->stampFont().pointSizeF(), 14.0);
    QVERIFY(!m_canvas->stampFont().bold() && !m_canvas->stampFont().italic());
    CommonDialog::setAnswerer([](CommonDialog &dialog, CommonDialog::Mode) {
        dialog.fontName = QStringLiteral("DejaVu Serif");
        return QString(); // cancelled
    });
    button("cmdfont")->click();
    QCOMPARE(m_canvas->stampFont().family(), QStringLiteral("DejaVu Sans Mono"));
}

void BitmapPanelTest::textStampsLineByLine()
{
    m_canvas->setStampFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    control<QLineEdit>(m_window, "pictxt")->setText(QStringLiteral("Hig"));
    m_canvas->setPoint(QPoint(30, 20));
    button("cmdtext")->click();
    const QPoint second = m_canvas->currentPosition();
    QCOMPARE(second.x(), 0);
    QList<QPoint> ink = pixelsOf(m_canvas->image(), qRgb(0, 0, 0));
    ink.removeOne(QPoint(30, 20));
    QVERIFY(ink.size() > 20);
    const QRect firstLine = boundsOf(ink);
    QVERIFY2(firstLine.left() >= 30 && firstLine.top() >= 20 && firstLine.bottom() < second.y(),
             qPrintable(QStringLiteral("ink %1,%2 to %3,%4, next line at %5").arg(firstLine.left())
                            .arg(firstLine.top()).arg(firstLine.right()).arg(firstLine.bottom()).arg(second.y())));
    QVERIFY(firstLine.top() - 20 < 6); // the text hangs from the point, not from a baseline above it
    button("cmdtext")->click();
    const QList<QPoint> bothLines = pixelsOf(m_canvas->image(), qRgb(0, 0, 0));
    QCOMPARE(bothLines.size(), 2 * ink.size() + 1); // same text, no overlap
    QVERIFY(boundsOf(bothLines).left() < 3);        // second line starts at the left edge
    QCOMPARE(m_canvas->currentPosition(), QPoint(0, 2 * second.y() - 20));
    QCOMPARE(pixelsOf(m_canvas->image(), qRgb(255, 255, 255)).size() + bothLines.size(), 240 * 64); // no grey
    // An empty text only moves to the next line.
    control<QLineEdit>(m_window, "pictxt")->clear();
    const QImage before = m_canvas->image();
    button("cmdtext")->click();
    QCOMPARE(m_canvas->image(), before);
    QCOMPARE(m_canvas->currentPosition(), QPoint(0, 3 * second.y() - 40));
}

void BitmapPanelTest::textInEraseColourHasNoBackground()
{
    QImage black(240, 64, QImage::Format_RGB32);
    black.fill(Qt::black);
    m_canvas->setImage(black);
    button("Command6")->click(); // Erase: white
    m_canvas->setCurrentPosition(QPoint(0, 0));
    control<QLineEdit>(m_window, "pictxt")->setText(QStringLiteral("WIDE"));
    button("cmdtext")->click();
    const QList<QPoint> white = pixelsOf(m_canvas->image(), qRgb(255, 255, 255));
    QVERIFY(white.size() > 20);
    // Between the strokes the black stays: no box was painted behind the text.
    const QRect box = boundsOf(white);
    QVERIFY(white.size() < box.width() * box.height() / 2);
    QCOMPARE(pixelsOf(m_canvas->image(), qRgb(0, 0, 0)).size() + white.size(), 240 * 64);
}

QTEST_MAIN(BitmapPanelTest)
#include "tst_bitmappanel.moc"
