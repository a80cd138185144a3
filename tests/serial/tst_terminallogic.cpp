#include "logic/serial/BoundedText.h"
#include "logic/serial/ReceiveHistory.h"
#include "logic/serial/ReceiveLog.h"
#include "logic/serial/ReceiveRenderer.h"
#include "logic/serial/TypedKey.h"

#include <QtTest>

Q_DECLARE_METATYPE(ReceiveViewOptions)

// The terminal's logic without a window: how received bytes show in each
// view, the bound on the shown text, the kept history, the log file, and
// the bytes typing and pasting send.
class TerminalLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void textView_data();
    void textView();
    void hexView();
    void timestamps();
    void longLinesWrapIntoRows();
    void piecesRenderLikeTheWhole_data();
    void piecesRenderLikeTheWhole();
    void floodKeepsOnlyWhatShows_data();
    void floodKeepsOnlyWhatShows();
    void burstBiggerThanTheWindow();
    void boundKeepsNewestExactly_data();
    void boundKeepsNewestExactly();
    void historyKeepsNewestBytes();
    void logAppendsExactBytes();
    void logReportsFailures();
    void typedBytes_data();
    void typedBytes();
    void pastedText();
};

namespace {
using LineStart = ReceiveFilter::LineStart;
const QTime noon(12, 34, 56, 789);
const QString stamp = QStringLiteral("[12:34:56.789] ");

ReceiveViewOptions view(LineStart lineStart, bool controlBytes, bool hex = false, bool timestamps = false)
{
    ReceiveViewOptions options;
    options.lineStart = lineStart;
    options.controlBytes = controlBytes;
    options.hex = hex;
    options.timestamps = timestamps;
    return options;
}

// Renders each piece in turn into one text, as the window applies them.
QString shown(ReceiveRenderer &renderer, const QList<QByteArray> &pieces, int limit = 1000000)
{
    QString text;
    for (const QByteArray &piece : pieces)
        BoundedText::apply(text, renderer.render(piece, noon), limit);
    return text;
}

QString shown(const ReceiveViewOptions &options, const QByteArray &bytes)
{
    ReceiveRenderer renderer(options);
    return shown(renderer, {bytes});
}
} // namespace

void TerminalLogicTest::textView_data()
{
    QTest::addColumn<bool>("lfStartsLine");
    QTest::addColumn<bool>("controlBytes");
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<QString>("text");
    // The classic view: CR ends a line, LF vanishes.
    QTest::newRow("CR ends a line") << false << false << QByteArray("ab\rc") << "ab\nc";
    QTest::newRow("lone LF vanishes") << false << false << QByteArray("ab\nc") << "abc";
    QTest::newRow("CR LF") << false << false << QByteArray("ab\r\nc") << "ab\nc";
    QTest::newRow("LF CR") << false << false << QByteArray("a\n\rb") << "a\nb";
    QTest::newRow("CR CR, LF LF") << false << false << QByteArray("\r\r\n\n") << "\n\n";
    QTest::newRow("every control byte a symbol") << false << false << QByteArray("\x00\x01\x07\x1b\x7f\x85\xff\t", 8)
                                                 << QString::fromUtf8("\u2400\u2401\u2407\u241b\u2421\\x85\u00ff\u2409");
    // LF-only firmware.
    QTest::newRow("LF: LF ends a line") << true << false << QByteArray("ab\nc") << "ab\nc";
    QTest::newRow("LF: CR LF") << true << false << QByteArray("ab\r\nc") << "ab\nc";
    QTest::newRow("LF: lone CR vanishes") << true << false << QByteArray("ab\rc") << "abc";
    // Every byte visible; the line end byte shows and still ends the line.
    QTest::newRow("pictures: CR LF on one row") << false << true << QByteArray("ab\r\ncd")
                                                << QString::fromUtf8("ab\u240d\u240a\ncd");
    QTest::newRow("pictures: lone CR") << false << true << QByteArray("ab\rcd") << QString::fromUtf8("ab\u240d\ncd");
    QTest::newRow("pictures: CR CR LF") << false << true << QByteArray("\r\r\n") << QString::fromUtf8("\u240d\n\u240d\u240a\n");
    QTest::newRow("pictures: lone LF") << false << true << QByteArray("a\nb") << QString::fromUtf8("a\u240ab");
    QTest::newRow("pictures: C0, DEL, C1, Latin-1") << false << true << QByteArray("\t\x00\x1b\x7f\x85\xe9", 6)
                                                    << QString::fromUtf8("\u2409\u2400\u241b\u2421\\x85\u00e9");
    QTest::newRow("pictures, LF: CR LF") << true << true << QByteArray("ab\r\ncd")
                                         << QString::fromUtf8("ab\u240d\u240a\ncd");
}

void TerminalLogicTest::textView()
{
    QFETCH(bool, lfStartsLine);
    QFETCH(bool, controlBytes);
    QFETCH(QByteArray, received);
    QTEST(shown(view(lfStartsLine ? LineStart::AfterLf : LineStart::AfterCr, controlBytes), received), "text");
}

void TerminalLogicTest::hexView()
{
    ReceiveRenderer renderer(view(LineStart::AfterCr, false, true));
    const ScreenUpdate first = renderer.render("AB\r", noon);
    QCOMPARE(first.replaceTail, 0);
    QCOMPARE(first.text, "41 42 0d" + QString(41, ' ') + "AB.");
    // The partial row is rewritten as it fills.
    const ScreenUpdate second = renderer.render("CD", noon);
    QCOMPARE(second.replaceTail, 52);
    QCOMPARE(second.text, "41 42 0d 43 44" + QString(35, ' ') + "AB.CD");
    renderer.reset();
    QCOMPARE(shown(renderer, {"0123456789abcdefg"}),
             "30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66  0123456789abcdef\n67" + QString(47, ' ') + "g");
    QCOMPARE(shown(view(LineStart::AfterCr, false, true), QByteArray("\x00\xa0\xad\xe9\xff ~", 7)),
             "00 a0 ad e9 ff 20 7e" + QString(29, ' ') + QString::fromUtf8("...\u00e9\u00ff ~"));
}

void TerminalLogicTest::timestamps()
{
    ReceiveRenderer text(view(LineStart::AfterCr, false, false, true));
    QCOMPARE(shown(text, {"ab", "\rc\r\r"}), stamp + "ab\n" + stamp + "c\n" + stamp + "\n");
    // Each line carries the arrival of its first byte.
    ReceiveRenderer later(view(LineStart::AfterCr, false, false, true));
    QCOMPARE(later.render("a", QTime(1, 2, 3, 4)).text, "[01:02:03.004] a");
    QCOMPARE(later.render("b\rc", QTime(1, 2, 3, 54)).text, "b\n[01:02:03.054] c");
    ReceiveRenderer hex(view(LineStart::AfterCr, false, true, true));
    QCOMPARE(hex.render("A", noon).text, stamp + "41" + QString(47, ' ') + "A");
}

// A line with no break continues on new rows after a line separator (not
// a line end: copying leaves it out), the stamp only on its first.
void TerminalLogicTest::longLinesWrapIntoRows()
{
    ReceiveRenderer renderer(view(LineStart::AfterCr, false, false, true));
    const int row = ReceiveRenderer::maxRowLength;
    const QString x(row, 'x');
    QCOMPARE(shown(renderer, {QByteArray(row * 3 / 2, 'x'), QByteArray(row, 'x') + "\ry"}),
             stamp + x + QChar::LineSeparator + x + QChar::LineSeparator + QString(row / 2, 'x') + '\n' + stamp + 'y');
}

void TerminalLogicTest::piecesRenderLikeTheWhole_data()
{
    QTest::addColumn<ReceiveViewOptions>("options");
    QTest::newRow("classic") << view(LineStart::AfterCr, false);
    QTest::newRow("LF starts a line") << view(LineStart::AfterLf, false);
    QTest::newRow("control bytes") << view(LineStart::AfterCr, true);
    QTest::newRow("control bytes, LF") << view(LineStart::AfterLf, true, false, true);
    QTest::newRow("hex") << view(LineStart::AfterCr, false, true);
    QTest::newRow("hex, stamps") << view(LineStart::AfterCr, false, true, true);
}

// However the reads cut the stream, the window shows the same.
void TerminalLogicTest::piecesRenderLikeTheWhole()
{
    QFETCH(ReceiveViewOptions, options);
    static const char bytes[] = "ab\r\ncd\r\n\nef\rgh\n\r\x00\x01ijklmnopqrstuvwxyz\r";
    const QByteArray stream(bytes, sizeof bytes - 1); // the NUL inside counts, the closing one not
    const QString whole = shown(options, stream);
    for (int cut = 0; cut <= stream.size(); ++cut) {
        ReceiveRenderer renderer(options);
        QCOMPARE(shown(renderer, {stream.left(cut), stream.mid(cut)}), whole);
    }
}

void TerminalLogicTest::floodKeepsOnlyWhatShows_data()
{
    QTest::addColumn<ReceiveViewOptions>("options");
    QTest::addColumn<QByteArray>("ending");
    QTest::newRow("classic") << view(LineStart::AfterCr, false) << QByteArray("\r");
    QTest::newRow("classic, CR LF") << view(LineStart::AfterCr, false) << QByteArray("\r\n");
    QTest::newRow("control bytes, CR LF") << view(LineStart::AfterCr, true, false, true) << QByteArray("\r\n");
    QTest::newRow("LF starts a line") << view(LineStart::AfterLf, false, false, true) << QByteArray("\n");
    QTest::newRow("no line end") << view(LineStart::AfterCr, false) << QByteArray("");
    QTest::newRow("hex") << view(LineStart::AfterCr, false, true) << QByteArray("\r");
    QTest::newRow("hex, stamps") << view(LineStart::AfterCr, false, true, true) << QByteArray("\r\n");
}

// Rendering a flood draws only about what can show, and shows the same.
void TerminalLogicTest::floodKeepsOnlyWhatShows()
{
    QFETCH(ReceiveViewOptions, options);
    QFETCH(QByteArray, ending);
    QByteArray flood;
    for (int i = 0; i < 100000; ++i)
        flood += QByteArray::number(i) + (i % 7 ? QByteArray(" ") : ending);
    ReceiveRenderer kept(options);
    kept.setKeep(500);
    QString text;
    BoundedText::apply(text, kept.render("start", noon), 500);
    const ScreenUpdate update = kept.render(flood, noon);
    QVERIFY(update.text.size() >= 500 && update.text.size() <= 1000 + 80);
    BoundedText::apply(text, update, 500);
    BoundedText::apply(text, kept.render("tail" + ending + "more", noon), 500);
    ReceiveRenderer all(options);
    QCOMPARE(text, shown(all, {"start", flood, "tail" + ending + "more"}, 500));
}

// 10,000 "A", then 6,000 "B" lines of 2 characters each: the newest 5,000 lines.
void TerminalLogicTest::burstBiggerThanTheWindow()
{
    ReceiveRenderer renderer;
    QString expected;
    for (int i = 0; i < 5000; ++i)
        expected += "B\n";
    QCOMPARE(shown(renderer, {QByteArray(10000, 'A'), QByteArray("B\r").repeated(6000)}, 10000), expected);
}

void TerminalLogicTest::boundKeepsNewestExactly_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("replaceTail");
    QTest::addColumn<int>("appended");
    QTest::addColumn<int>("removeFront");
    QTest::addColumn<int>("removeBack");
    QTest::newRow("fits") << 5 << 0 << 3 << 0 << 0;
    QTest::newRow("crosses the bound") << 10 << 0 << 3 << 1 << 0;
    QTest::newRow("rewrites a row") << 10 << 4 << 6 << 0 << 4;
    QTest::newRow("rewrites more than there is") << 3 << 5 << 2 << 0 << 3;
    QTest::newRow("exactly the bound") << 7 << 0 << 12 << 7 << 0;
    QTest::newRow("longer than the bound") << 7 << 2 << 20 << 5 << 2;
}

void TerminalLogicTest::boundKeepsNewestExactly()
{
    QFETCH(int, length);
    QFETCH(int, replaceTail);
    QFETCH(int, appended);
    QString appendedText;
    for (int i = 0; i < appended; ++i)
        appendedText += QChar('a' + i);
    const TextEdit edit = BoundedText::plan(length, {replaceTail, appendedText}, 12);
    QTEST(edit.removeFront, "removeFront");
    QTEST(edit.removeBack, "removeBack");
    QCOMPARE(edit.insert, appendedText.right(12));
}

void TerminalLogicTest::historyKeepsNewestBytes()
{
    ReceiveHistory history(10);
    history.append("abcdef", QTime(1, 0));
    history.append("ghij", QTime(2, 0));
    history.append("", QTime(3, 0));
    QCOMPARE(history.size(), 10);
    history.append("kl", QTime(4, 0));
    QCOMPARE(history.size(), 10);
    QCOMPARE(history.chunks().size(), 3);
    QCOMPARE(history.chunks().at(0).bytes, QByteArray("cdef"));
    QCOMPARE(history.chunks().at(0).arrival, QTime(1, 0));
    QCOMPARE(history.chunks().at(2).bytes, QByteArray("kl"));
    history.append("0123456789AB", QTime(5, 0));
    QCOMPARE(history.chunks().size(), 1);
    QCOMPARE(history.chunks().first().bytes, QByteArray("23456789AB"));
    history.clear();
    QVERIFY(history.isEmpty());
}

void TerminalLogicTest::logAppendsExactBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("capture.log");
    QFile existing(path);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("old\n");
    existing.close();
    QByteArray every;
    for (int b = 0; b < 256; ++b)
        every += char(b);
    ReceiveLog log;
    QVERIFY(log.start(path));
    QVERIFY(log.isLogging());
    QCOMPARE(log.fileName(), path);
    QVERIFY(log.write(every));
    QCOMPARE(QFileInfo(path).size(), 4 + 256); // on disk at once
    QVERIFY(log.write("\r\n"));
    log.stop();
    QVERIFY(!log.isLogging());
    QVERIFY(log.write("not logged"));
    QVERIFY(log.start(path));
    QVERIFY(log.write("more"));
    log.stop();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), "old\n" + every + "\r\nmore");
}

void TerminalLogicTest::logReportsFailures()
{
    ReceiveLog log;
    QVERIFY(!log.start("/nonexistent/folder/capture.log"));
    QVERIFY(log.errorString().contains("/nonexistent/folder/capture.log"));
    QVERIFY(!log.isLogging());
    QVERIFY(log.start("/dev/full"));
    QVERIFY(!log.write("bytes"));
    QVERIFY(!log.isLogging());
    QVERIFY(log.errorString().contains("/dev/full"));
}

void TerminalLogicTest::typedBytes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("enter");
    QTest::addColumn<QByteArray>("bytes");
    const int cr = int(EnterKey::Cr);
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << cr << QByteArray("a");
    QTest::newRow("Latin-1") << int(Qt::Key_unknown) << QString::fromUtf8("\u00e9") << cr << QByteArray("\xe9");
    QTest::newRow("two characters") << int(Qt::Key_unknown) << QString::fromUtf8("a\u00ff") << cr << QByteArray("a\xff");
    QTest::newRow("euro: refused") << int(Qt::Key_unknown) << QString::fromUtf8("\u20ac") << cr << QByteArray();
    QTest::newRow("Enter, CR") << int(Qt::Key_Return) << "\r" << cr << QByteArray("\r");
    QTest::newRow("Enter, LF") << int(Qt::Key_Return) << "\r" << int(EnterKey::Lf) << QByteArray("\n");
    QTest::newRow("keypad Enter, CR LF") << int(Qt::Key_Enter) << "\r" << int(EnterKey::CrLf) << QByteArray("\r\n");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "\b" << cr << QByteArray("\b");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << "\x7f" << cr << QByteArray();
    QTest::newRow("Shift") << int(Qt::Key_Shift) << "" << cr << QByteArray();
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << "\x03" << cr << QByteArray("\x03");
}

void TerminalLogicTest::typedBytes()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, enter);
    QTEST(TypedKey::bytes(key, text, EnterKey(enter)), "bytes");
}

void TerminalLogicTest::pastedText()
{
    const QString text = QStringLiteral("a\r\nb\nc\rd\r");
    QCOMPARE(TypedKey::textBytes(text, EnterKey::Cr), QByteArray("a\rb\rc\rd\r"));
    QCOMPARE(TypedKey::textBytes(text, EnterKey::Lf), QByteArray("a\nb\nc\nd\n"));
    QCOMPARE(TypedKey::textBytes(text, EnterKey::CrLf), QByteArray("a\r\nb\r\nc\r\nd\r\n"));
    QCOMPARE(TypedKey::textBytes(QString::fromUtf8("\u00e9\u00ff"), EnterKey::Cr), QByteArray("\xe9\xff"));
    bool dropped = false;
    QCOMPARE(TypedKey::latin1Only(QString::fromUtf8("a\u20acb\U0001F600c\u00e9"), &dropped),
             QString::fromUtf8("abc\u00e9"));
    QVERIFY(dropped);
    QCOMPARE(TypedKey::latin1Only("plain", &dropped), QStringLiteral("plain"));
    QVERIFY(!dropped);
}

QTEST_MAIN(TerminalLogicTest)
#include "tst_terminallogic.moc"
