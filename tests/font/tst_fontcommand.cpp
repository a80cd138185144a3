// `tavrel font` as a build script meets it: exit codes and messages on
// standard error that name what went wrong.
#include "ProgramRun.h"

#include <QtTest>

namespace {
const QString Pcf5x7 = QStringLiteral("/usr/share/fonts/X11/misc/5x7-ISO8859-1.pcf.gz");
} // namespace

class FontCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stderrHas"); // empty: nothing on standard error
        QTest::addColumn<QString>("stdoutHas");
        QTest::newRow("table") << QStringList{Pcf5x7, "--chars", "0x41"} << 0 << "" << "const uint8_t font_5x7_ISO8859_1[";
        QTest::newRow("missing glyph named, the rest written")
            << QStringList{Pcf5x7, "--chars", "0x41,U+2603", "--form", "gfx", "--name", "f"} << 0
            << "no glyph for 1 character(s): U+2603" << "const GFXfont f = {";
        QTest::newRow("assembler") << QStringList{Pcf5x7, "--chars", "A-B", "--form", "proportional", "--template", "asm",
                                                  "--name", "f"}
                                   << 0 << "" << "f_offsets:\n    db 0x00, 0x00, 0x05, 0x00";
        QTest::newRow("bad characters") << QStringList{Pcf5x7, "--chars", "126-32"} << 2 << "\"126-32\"" << "";
        QTest::newRow("fixed with gfx") << QStringList{Pcf5x7, "--fixed", "5x7", "--form", "gfx"} << 2
                                        << "--fixed applies to --form table" << "";
        QTest::newRow("template the font has not") << QStringList{Pcf5x7, "--template", "xbm"} << 2 << "c, asm or bin" << "";
        QTest::newRow("no such file or family") << QStringList{"/nonexistent/f.pcf"} << 1 << "/nonexistent/f.pcf" << "";
        QTest::newRow("no font file") << QStringList{QFINDTESTDATA("tst_fontcommand.cpp")} << 1 << "is no font file" << "";
        QTest::newRow("render without text") << QStringList{"--render", Pcf5x7, "--out", "x.png"} << 2
                                             << "--render needs --text and --out" << "";
    }
    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, stderrHas);
        QFETCH(QString, stdoutHas);
        if (!QFile::exists(Pcf5x7))
            QSKIP("xfonts-base is not installed");
        const ProgramRun run = runTavrel(QStringList{QStringLiteral("font")} + arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(run.err).contains(stderrHas), run.err.constData());
        QVERIFY2(QString::fromUtf8(run.out).contains(stdoutHas), run.out.constData());
        if (exitCode != 0)
            QVERIFY(run.out.isEmpty() && !run.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(FontCommandTest)
#include "tst_fontcommand.moc"
