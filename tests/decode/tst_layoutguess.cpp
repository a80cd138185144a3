#include "logic/convert/ByteMatrix.h"
#include "logic/convert/ControllerProfiles.h"
#include "logic/decode/LayoutGuess.h"

#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(MatrixLayout)

namespace {

// A drawing, as LCD pictures are: filled shapes, a line and text, no grey.
QImage drawing(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(width / 4, height / 2), height / 3, height / 3);
    painter.drawPolygon(QPolygon({{width / 2, height - 3}, {width * 3 / 4, height / 3}, {width - 3, height - 5}}));
    painter.drawLine(0, height - 1, width - 1, 0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(8, height / 5));
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.drawText(QPoint(width / 2, height / 4 + 4), QStringLiteral("Tavrel"));
    return image;
}

} // namespace

// Arrays made in every profile and custom order at three sizes: the guess
// names the size and layout they were made with.
class LayoutGuessTest : public QObject
{
    Q_OBJECT
private slots:
    void pixelChangesCountNeighbours()
    {
        // Across: 1 in row 0, 2 in row 1; down: columns 0 and 1 change.
        const QImage picture = ByteMatrix::pictureFrom(QByteArray::fromHex("8040"), 3, 2, true);
        QCOMPARE(LayoutGuess::pixelChanges(picture), qint64(5));
        QCOMPARE(LayoutGuess::pixelChanges(ByteMatrix::pictureFrom(QByteArray(8, '\0'), 8, 8, false)), qint64(0));
    }

    void namesTheLayoutItWasMadeIn_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<MatrixLayout>("layout");
        QList<MatrixLayout> layouts;
        for (const ControllerProfile &profile : ControllerProfiles::all())
            layouts << profile.layout;
        layouts << MatrixLayout{false, MatrixLayout::BitOrder::MsbFirst, MatrixLayout::Scan::Pages}
                << MatrixLayout{false, MatrixLayout::BitOrder::MsbFirst, MatrixLayout::Scan::Columns};
        for (const QSize size : {QSize(128, 64), QSize(240, 64), QSize(320, 200)})
            for (const MatrixLayout &layout : layouts)
                QTest::addRow("%dx%d %s", size.width(), size.height(), qPrintable(layout.description()))
                    << size << layout;
    }
    void namesTheLayoutItWasMadeIn()
    {
        QFETCH(QSize, size);
        QFETCH(MatrixLayout, layout);
        const QByteArray bytes = ByteMatrix::pack(drawing(size.width(), size.height()), size.width(), size.height(), layout);
        const QList<LayoutGuess::Candidate> ranked = LayoutGuess::rank(bytes);
        QVERIFY(ranked.size() >= 3);
        const LayoutGuess::Candidate &best = ranked.first();
        QCOMPARE(QSize(best.width, best.height), size);
        QCOMPARE(best.layout, layout);
        QVERIFY(!best.closingZero);
    }

    // Horizontal text carries a closing 00 beyond the rows.
    void takesTheClosingZero()
    {
        const MatrixLayout rows = MatrixLayout::usual(true);
        const QByteArray bytes = ByteMatrix::pack(drawing(128, 32), 128, 32, rows) + QByteArray(1, '\0');
        const LayoutGuess::Candidate best = LayoutGuess::rank(bytes).first();
        QCOMPARE(QSize(best.width, best.height), QSize(128, 32));
        QCOMPARE(best.layout, rows);
        QVERIFY(best.closingZero);
    }

    // Beyond the LCD sizes: every width the count allows, or the one the
    // file states; a tie goes to the hint, then a profile's layout in landscape.
    void findsTheTrueWidth_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("hinted");
        QTest::newRow("96x40 pages") << QSize(96, 40) << "ks0108" << false;
        QTest::newRow("PCD8544 at 84x48") << QSize(84, 48) << "pcd8544" << false;
        QTest::newRow("rows 96x40, not the diagonal's mirror") << QSize(96, 40) << "t6963c" << false;
        QTest::newRow("rows 82 wide, as stated") << QSize(82, 64) << "t6963c" << true;
        QTest::newRow("6 pixels a byte") << QSize(120, 64) << "t6963c-6px" << false;
    }
    void findsTheTrueWidth()
    {
        QFETCH(QSize, size);
        QFETCH(QString, profile);
        QFETCH(bool, hinted);
        const MatrixLayout layout = ControllerProfiles::byName(profile)->layout;
        const QByteArray bytes = ByteMatrix::pack(drawing(size.width(), size.height()), size.width(), size.height(), layout);
        QList<SizeHints::Hint> hints;
        if (hinted)
            hints << SizeHints::Hint{size.width(), size.height(), 0, QStringLiteral("stated")};
        const QList<LayoutGuess::Candidate> ranked = LayoutGuess::rank(bytes, hints);
        QVERIFY(!ranked.isEmpty());
        QCOMPARE(QSize(ranked.first().width, ranked.first().height), size);
        QCOMPARE(ranked.first().layout, layout);
        QCOMPARE(ranked.first().hinted, hinted);
        for (const LayoutGuess::Candidate &candidate : ranked)
            QVERIFY(candidate.hinted || (candidate.width <= 8 * candidate.height && candidate.height <= 8 * candidate.width));
        QVERIFY(LayoutGuess::rank(QByteArray(7, '\1')).isEmpty());
    }

    // Two leading bytes that state the size are no pixels.
    void skipsTheStatedSize()
    {
        const MatrixLayout pages = MatrixLayout::usual(false);
        const QByteArray bytes = QByteArray::fromHex("2010") + ByteMatrix::pack(drawing(32, 16), 32, 16, pages);
        const QList<LayoutGuess::Candidate> ranked = LayoutGuess::rank(bytes, {{32, 16, 2, QStringLiteral("bytes")}});
        QCOMPARE(QSize(ranked.first().width, ranked.first().height), QSize(32, 16));
        QCOMPARE(ranked.first().skip, 2);
    }
};

QTEST_MAIN(LayoutGuessTest)
#include "tst_layoutguess.moc"
