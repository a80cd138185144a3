#include "FormLookup.h"
#include "app/CommonDialog.h"
#include "app/HexGrid.h"
#include "app/MainWindow.h"
#include "canvas/BitmapLoader.h"
#include "canvas/MonoBmpWriter.h"
#include "canvas/PenStroke.h"
#include "canvas/PixelCanvas.h"
#include "convert/Conversion.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Lines to every edge and corner, so a lost padding byte, a swapped row or
// a shifted bit shows.
QList<QLine> testStrokes(QSize size)
{
    const int right = size.width() - 1, bottom = size.height() - 1;
    return {QLine(0, 0, right, bottom), QLine(right, 0, right, bottom), QLine(0, bottom, right / 3, bottom),
            QLine(3, 1, 3, 9), QLine(right - 9, 2, right, 2), QLine(0, 5, 0, 5)};
}

ConversionSettings horizontalAt(QSize size)
{
    ConversionSettings settings;
    settings.width = size.width();
    settings.height = size.height();
    settings.horizontal = true;
    return settings;
}
} // namespace

class BitmapRoundTripTest : public QObject
{
    Q_OBJECT
private slots:
    void throughFunctions_data() { sizes_data(); }
    void throughFunctions();
    void throughWindow_data() { sizes_data(); }
    void throughWindow();

private:
    void sizes_data();
};

void BitmapRoundTripTest::sizes_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QSize>("size");
    QTest::newRow("128x64") << 1 << QSize(128, 64);
    QTest::newRow("240x64") << 0 << QSize(240, 64);
    QTest::newRow("256x128") << 3 << QSize(256, 128);
    QTest::newRow("320x200") << 7 << QSize(320, 200);
}

void BitmapRoundTripTest::throughFunctions()
{
    QFETCH(QSize, size);
    QImage picture = PenStroke::blank(size.width(), size.height());
    for (const QLine &stroke : testStrokes(size))
        PenStroke::line(picture, stroke.p1(), stroke.p2(), 1, qRgb(0, 0, 0));
    const QString converted = Conversion::fromPicture(picture, horizontalAt(size));

    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours.bmp"));
    QFile file(ours);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(MonoBmpWriter::encode(picture));
    file.close();
    QStringList files{ours};
    // The same file as another program writes it back, when that program is here.
    const QString theirs = dir.filePath(QStringLiteral("theirs.bmp"));
    if (QProcess::execute(QStringLiteral("/usr/bin/convert"), {ours, QStringLiteral("-type"), QStringLiteral("bilevel"),
                                                               QStringLiteral("BMP3:") + theirs}) == 0)
        files << theirs;
    for (const QString &path : files) {
        HexGrid grid;
        const BitmapLoadResult loaded = BitmapLoader::loadFile(path, size, true, grid);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error));
        QVERIFY(loaded.walkedAsStored);
        QCOMPARE(Conversion::fromLoadedBitmap(grid, horizontalAt(size)), converted);
        QCOMPARE(loaded.picture, picture);
    }
}

void BitmapRoundTripTest::throughWindow()
{
    QFETCH(int, option);
    QFETCH(QSize, size);
    MainWindow window;
    auto *canvas = control<PixelCanvas>(&window, "Picture1");
    auto *output = control<QPlainTextEdit>(&window, "Text3");
    const auto click = [&window](const QString &name) { control<QAbstractButton>(&window, name)->click(); };
    click(QStringLiteral("optgrf_%1").arg(option));
    click(QStringLiteral("Option2_1"));
    for (const QLine &stroke : testStrokes(size)) {
        canvas->setPoint(stroke.p1());
        canvas->lineTo(stroke.p2());
    }
    click(QStringLiteral("Command9"));
    const QString drawn = output->toPlainText();
    QCOMPARE(drawn.size(), size.width() / 8 * size.height() * 2 + 2);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("roundtrip.bmp"));
    CommonDialog::setAnswerer([&path](CommonDialog &, CommonDialog::Mode) { return path; });
    click(QStringLiteral("Command8")); // Save
    click(QStringLiteral("Command5")); // Clear
    click(QStringLiteral("Command10")); // Load
    CommonDialog::setAnswerer({});
    QVERIFY(window.state().canvasShowsLoadedBitmap); // Convert now packs the file's bytes
    click(QStringLiteral("Command9"));
    QCOMPARE(output->toPlainText(), drawn);
}

QTEST_MAIN(BitmapRoundTripTest)
#include "tst_bitmaproundtrip.moc"
