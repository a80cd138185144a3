// The font arrays as firmware uses them: compiled with gcc into a small C
// program that draws a line with the GFX rule (or reads table cells column
// by column), judged against Pillow's own PCF reader drawing the same PCF.
#include "ProgramRun.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Misc = QStringLiteral("/usr/share/fonts/X11/misc/");
const QString Line = QStringLiteral("Hello, LCD! 0123 {}");
constexpr int StartX = 2, Baseline = 16;

// The line's baseline row in the pictures --render draws, from the header's define.
int baselineOf(const QString &header)
{
    QFile file(header);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression define(QStringLiteral("#define FONT_BASELINE (\\d+)"));
    const QRegularExpressionMatch match = define.match(QString::fromUtf8(file.readAll()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The program's standard output; false when it fails.
bool runTool(const QString &program, const QStringList &arguments, QByteArray *out = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning().noquote() << program << arguments << process.readAllStandardError();
        return false;
    }
    if (out)
        *out = process.readAllStandardOutput();
    return true;
}

// Rows of '#' and '.' of a black-on-white picture.
QByteArray rowsOf(const QImage &picture)
{
    QByteArray rows;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            rows += qGray(picture.pixel(x, y)) < 128 ? '#' : '.';
        rows += '\n';
    }
    return rows;
}

} // namespace

class FontCrossCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("gcc")).isEmpty())
            QSKIP("gcc is not installed");
        if (QProcess::execute(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import PIL.PcfFontFile")}) != 0)
            QSKIP("python3-pil is not installed");
        if (!QFile::exists(Misc + QStringLiteral("5x7-ISO8859-1.pcf.gz")))
            QSKIP("xfonts-base is not installed");
        QVERIFY(m_dir.isValid());
    }

    void firmwareDrawsThePcf_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QStringList>("form");
        QTest::addColumn<QString>("drawer");
        const QStringList gfx = {QStringLiteral("--form"), QStringLiteral("gfx")};
        const QStringList table = {QStringLiteral("--form"), QStringLiteral("table"), QStringLiteral("--profile"),
                                   QStringLiteral("ks0108")};
        for (const char *font : {"5x7", "6x13"}) {
            QTest::addRow("%s gfx", font) << QString::fromLatin1(font) << gfx << QStringLiteral("gfx_draw.c");
            QTest::addRow("%s table", font) << QString::fromLatin1(font) << table << QStringLiteral("table_draw.c");
        }
    }

    // Also: --render of the generated file draws what the C program draws.
    void firmwareDrawsThePcf()
    {
        QFETCH(QString, font);
        QFETCH(QStringList, form);
        QFETCH(QString, drawer);
        const QString pcf = Misc + font + QStringLiteral("-ISO8859-1.pcf.gz");
        const QString header = m_dir.filePath(font + form.at(1) + QStringLiteral(".h"));
        const ProgramRun made = runTavrel(QStringList{QStringLiteral("font"), pcf, QStringLiteral("--name"),
                                                      QStringLiteral("font"), QStringLiteral("--out"), header}
                                          + form);
        QCOMPARE(made.exitCode, 0);
        const QString program = header + QStringLiteral(".run");
        QVERIFY(runTool(QStringLiteral("gcc"), {QStringLiteral("-Wall"), QStringLiteral("-Wextra"), QStringLiteral("-Werror"),
                                                    QStringLiteral("-DFONT_FILE=\"%1\"").arg(header), QFINDTESTDATA(QStringLiteral("tools/") + drawer),
                                                    QStringLiteral("-o"), program}));
        QByteArray firmware, reference;
        QVERIFY(runTool(program, {Line, QString::number(StartX), QString::number(Baseline)}, &firmware));
        QVERIFY(runTool(QStringLiteral("/usr/bin/python3"),
                        {QFINDTESTDATA("tools/pcf_reference.py"), pcf, Line, QStringLiteral("200"),
                         QStringLiteral("24"), QString::number(StartX), QString::number(Baseline)},
                        &reference));
        QVERIFY(firmware.count('#') > 50);
        QCOMPARE(firmware, reference);

        const QString png = header + QStringLiteral(".png");
        QCOMPARE(runTavrel({QStringLiteral("font"), QStringLiteral("--render"), header, QStringLiteral("--text"), Line,
                            QStringLiteral("--out"), png})
                     .exitCode,
                 0);
        // The rendered line's top-left lies at the cursor's start, the baseline's row up.
        const QImage rendered(png);
        QVERIFY(!rendered.isNull());
        const QList<QByteArray> rows = firmware.split('\n');
        const int top = Baseline - baselineOf(header);
        QByteArray window;
        for (int y = 0; y < rendered.height(); ++y)
            window += rows.value(top + y).mid(StartX, rendered.width()) + '\n';
        QCOMPARE(rowsOf(rendered), window);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(FontCrossCheck)
#include "tst_fontcrosscheck.moc"
