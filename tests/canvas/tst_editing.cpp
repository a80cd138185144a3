#include "logic/canvas/FloodFill.h"
#include "logic/canvas/PenStroke.h"
#include "logic/canvas/PictureOperations.h"
#include "logic/canvas/PictureSheet.h"
#include "logic/canvas/Shapes.h"
#include "logic/canvas/UndoHistory.h"

#include <QtTest>

namespace {
const QRgb Black = qRgb(0, 0, 0);

// A picture drawn as text: '#' black, '.' white, one string a row.
QImage picture(const QStringList &rows)
{
    QImage image = PenStroke::blank(int(rows.first().size()), int(rows.size()));
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows.at(y).size(); ++x)
            if (rows.at(y).at(x) == QLatin1Char('#'))
                image.setPixel(x, y, Black);
    return image;
}

QStringList rowsOf(const QImage &image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x)
            row += (image.pixel(x, y) & 0xFFFFFF) == 0 ? QLatin1Char('#') : QLatin1Char('.');
        rows << row;
    }
    return rows;
}

CanvasState state(QSize size, int index = 0)
{
    CanvasState s;
    s.lcdSize = size;
    s.sizeIndex = index;
    return s;
}
} // namespace

class EditingTest : public QObject
{
    Q_OBJECT
private slots:
    void shapes_data();
    void shapes();
    void ellipsesFitTheirBox();
    void floodFillStopsAtEdges();
    void pictureOperations_data();
    void pictureOperations();
    void undoAndRedoTradePixelsAndState();
    void stepsKeepOnlyWhatChanged();
    void historyStaysWithinItsMemory();
    void sheetKeepsWhatASmallerSizeHides();
};

void EditingTest::shapes_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("rectangle, corners either way") << "rectangle" << QPoint(4, 3) << QPoint(1, 1)
        << QStringList{"......", ".####.", ".#..#.", ".####.", "......"};
    QTest::newRow("filled rectangle, clipped") << "filled rectangle" << QPoint(-2, 3) << QPoint(2, 9)
        << QStringList{"......", "......", "......", "###...", "###..."};
    QTest::newRow("circle of 5") << "ellipse" << QPoint(0, 0) << QPoint(4, 4)
        << QStringList{".###..", "#...#.", "#...#.", "#...#.", ".###.."};
    QTest::newRow("filled ellipse 6x3") << "filled ellipse" << QPoint(0, 1) << QPoint(5, 3)
        << QStringList{"......", ".####.", "######", ".####.", "......"};
    QTest::newRow("flat ellipse is a line") << "ellipse" << QPoint(1, 2) << QPoint(4, 2)
        << QStringList{"......", "......", ".####.", "......", "......"};
}

void EditingTest::shapes()
{
    QFETCH(QString, shape);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QStringList, expected);
    QImage image = PenStroke::blank(6, 5);
    const bool filled = shape.startsWith(QLatin1String("filled"));
    if (shape.endsWith(QLatin1String("rectangle")))
        Shapes::rectangle(image, from, to, 1, Black, filled);
    else
        Shapes::ellipse(image, from, to, 1, Black, filled);
    QCOMPARE(rowsOf(image), expected);
}

// Any box: the outline touches all four sides, stays inside, is symmetric,
// and the filled ellipse covers the outline with one run a row.
void EditingTest::ellipsesFitTheirBox()
{
    for (int w = 1; w <= 17; w += 4)
        for (int h = 1; h <= 13; h += 3) {
            QImage outline = PenStroke::blank(w + 2, h + 2), filled = outline;
            Shapes::ellipse(outline, QPoint(1, 1), QPoint(w, h), 1, Black, false);
            Shapes::ellipse(filled, QPoint(w, h), QPoint(1, 1), 1, Black, true);
            const QStringList rows = rowsOf(outline), solid = rowsOf(filled);
            const QString box = QStringLiteral("%1x%2").arg(w).arg(h);
            QVERIFY2(rows.first().count('#') == 0 && rows.last().count('#') == 0, qPrintable(box));
            QVERIFY2(rows.at(1).count('#') > 0 && rows.at(h).count('#') > 0, qPrintable(box));
            for (int y = 0; y < rows.size(); ++y) {
                QString mirrored = rows.at(y);
                std::reverse(mirrored.begin(), mirrored.end());
                QVERIFY2(mirrored == rows.at(y) && rows.at(y) == rows.at(rows.size() - 1 - y), qPrintable(box));
                QVERIFY2(!rows.at(y).startsWith('#') && !rows.at(y).endsWith('#'), qPrintable(box));
                QVERIFY2(!solid.at(y).contains(QRegularExpression("#\\.+#")), qPrintable(box));
                for (int x = 0; x < rows.at(y).size(); ++x)
                    QVERIFY2(rows.at(y).at(x) != '#' || solid.at(y).at(x) == '#', qPrintable(box));
            }
            int left = w + 2, right = -1;
            for (const QString &row : rows) {
                if (row.contains('#')) {
                    left = qMin(left, int(row.indexOf('#')));
                    right = qMax(right, int(row.lastIndexOf('#')));
                }
            }
            QVERIFY2(left == 1 && right == w, qPrintable(box));
        }
}

void EditingTest::floodFillStopsAtEdges()
{
    QImage image = picture({"#####.", "#...#.", "#.#.#.", "#...##", "####.."});
    QCOMPARE(FloodFill::fill(image, QPoint(1, 1), Black), QRect(1, 1, 3, 3));
    QCOMPARE(rowsOf(image), (QStringList{"#####.", "#####.", "#####.", "######", "####.."}));
    // The corner outside joins through (5, 0)..(5, 2) and the bottom right, not through the diagonal gap.
    QCOMPARE(FloodFill::fill(image, QPoint(5, 0), Black), QRect(5, 0, 1, 3));
    QCOMPARE(FloodFill::fill(image, QPoint(4, 4), Black), QRect(4, 4, 2, 1));
    QCOMPARE(FloodFill::fill(image, QPoint(0, 0), Black), QRect()); // already black
    QCOMPARE(FloodFill::fill(image, QPoint(9, 9), Black), QRect()); // outside
}

void EditingTest::pictureOperations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("expected");
    // Of the picture  ##.. / #... / ....
    QTest::newRow("invert") << "invert" << QStringList{"..##", ".###", "####"};
    QTest::newRow("flip h") << "flip h" << QStringList{"..##", "...#", "...."};
    QTest::newRow("flip v") << "flip v" << QStringList{"....", "#...", "##.."};
    QTest::newRow("rotate 180") << "rotate 180" << QStringList{"....", "...#", "..##"};
    QTest::newRow("rotate 90") << "rotate 90" << QStringList{".##", "..#", "...", "..."};
    QTest::newRow("shift right") << "shift 1,0" << QStringList{".##.", ".#..", "...."};
    QTest::newRow("shift up") << "shift 0,-1" << QStringList{"#...", "....", "...."};
}

void EditingTest::pictureOperations()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, expected);
    const QImage before = picture({"##..", "#...", "...."});
    QImage after;
    if (operation == "invert")
        after = PictureOperations::inverted(before);
    else if (operation == "flip h")
        after = PictureOperations::flippedHorizontally(before);
    else if (operation == "flip v")
        after = PictureOperations::flippedVertically(before);
    else if (operation == "rotate 180")
        after = PictureOperations::rotated180(before);
    else if (operation == "rotate 90")
        after = PictureOperations::rotated90(before);
    else {
        const QStringList by = operation.mid(6).split(',');
        after = PictureOperations::shifted(before, by.at(0).toInt(), by.at(1).toInt());
    }
    QCOMPARE(rowsOf(after), expected);
    QCOMPARE(rowsOf(before), (QStringList{"##..", "#...", "...."})); // untouched
}

void EditingTest::undoAndRedoTradePixelsAndState()
{
    UndoHistory history;
    QImage sheet = picture({"....", "...."});
    const QImage original = sheet;
    QImage drawn = picture({".#..", "..#."});
    CanvasState small = state(QSize(4, 2)), large = state(QSize(8, 2), 8);
    large.sizesLocked = true;
    QVERIFY(history.record(original, drawn, small, large));
    QVERIFY(!history.record(drawn, drawn, large, large)); // nothing changed: no step
    sheet = drawn;
    CanvasState now = large;
    QVERIFY(history.undo(sheet, now));
    QCOMPARE(rowsOf(sheet), rowsOf(original));
    QVERIFY(now == small);
    QVERIFY(!history.canUndo() && history.canRedo());
    QVERIFY(history.redo(sheet, now));
    QCOMPARE(rowsOf(sheet), rowsOf(drawn));
    QVERIFY(now == large);
    // A new change drops what could be redone.
    QVERIFY(history.undo(sheet, now));
    QVERIFY(history.record(sheet, picture({"#...", "...."}), now, now));
    QVERIFY(!history.canRedo());
    QCOMPARE(history.undoCount(), 1);
}

void EditingTest::stepsKeepOnlyWhatChanged()
{
    QImage before = PenStroke::blank(1024, 1024);
    QImage after = before.copy();
    after.setPixel(700, 300, Black);
    after.setPixel(709, 301, Black);
    QCOMPARE(UndoHistory::changedArea(before, after), QRect(700, 300, 10, 2));
    UndoHistory history;
    QVERIFY(history.record(before, after, state(QSize(1024, 1024)), state(QSize(1024, 1024))));
    QVERIFY2(history.bytesUsed() < 200, qPrintable(QString::number(history.bytesUsed())));
    // A grown sheet: what the smaller one lacked counts as white.
    QImage grown = PenStroke::blank(8, 4);
    grown.setPixel(6, 3, Black);
    QCOMPARE(UndoHistory::changedArea(PenStroke::blank(4, 2), grown), QRect(6, 3, 1, 1));
    // Only the state changed (a size change): a step without pixels.
    QVERIFY(history.record(after, after, state(QSize(240, 64)), state(QSize(128, 64), 1)));
    QCOMPARE(history.undoCount(), 2);
}

void EditingTest::historyStaysWithinItsMemory()
{
    UndoHistory history;
    QImage sheet = PenStroke::blank(1024, 1024);
    const CanvasState s = state(QSize(1024, 1024), 8);
    for (int step = 0; step < 150; ++step) {
        QImage next = PictureOperations::inverted(sheet); // every pixel changes
        QVERIFY(history.record(sheet, next, s, s));
        sheet = next;
    }
    QVERIFY(history.undoCount() >= 100);
    QVERIFY2(history.bytesUsed() < 20 * 1024 * 1024, qPrintable(QString::number(history.bytesUsed())));
    // Small budgets drop the oldest steps first, and so do step limits.
    UndoHistory small(1000, 3);
    QImage a = PenStroke::blank(8, 8);
    for (int step = 0; step < 5; ++step) {
        QImage b = a.copy();
        b.setPixel(step, 0, Black);
        small.record(a, b, s, s);
        a = b;
    }
    QCOMPARE(small.undoCount(), 3);
    CanvasState now = s;
    while (small.undo(a, now)) {
    }
    QCOMPARE(rowsOf(a).first(), QStringLiteral("##......"));
}

void EditingTest::sheetKeepsWhatASmallerSizeHides()
{
    PictureSheet sheet(QSize(8, 4));
    QImage view = sheet.view();
    PenStroke::line(view, QPoint(0, 0), QPoint(7, 3), 1, Black);
    sheet.setLcdSize(QSize(4, 4));
    QCOMPARE(rowsOf(sheet.picture()), (QStringList{"##..", "..##", "....", "...."}));
    sheet.setLcdSize(QSize(10, 2)); // wider, lower: grows, the hidden rows stay
    QCOMPARE(sheet.sheet().size(), QSize(10, 4));
    QCOMPARE(rowsOf(sheet.picture()), (QStringList{"##........", "..##......"}));
    sheet.setLcdSize(QSize(8, 4));
    QCOMPARE(rowsOf(sheet.picture()), (QStringList{"##......", "..##....", "....##..", "......##"}));
    sheet.setPicture(picture({"#."}));
    QCOMPARE(rowsOf(sheet.picture()), (QStringList{"#.......", "........", "........", "........"}));
    sheet.setLcdSize(QSize(2, 2));
    sheet.replace(picture({".#", "#."}));
    sheet.setLcdSize(QSize(10, 4));
    QCOMPARE(rowsOf(sheet.picture()).join(""), QStringLiteral(".#........#.").leftJustified(40, '.'));
}

QTEST_MAIN(EditingTest)
#include "tst_editing.moc"
