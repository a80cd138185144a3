// The Font tool as a user meets it: a glyph edited by clicks reaches the
// exported file, and text the canvas stamps with the tool's font is what
// `tavrel font --render` draws from that file.
#include "FormLookup.h"
#include "widgets/ui/FontToolNames.h"
#include "ProgramRun.h"
#include "widgets/canvas/PixelCanvas.h"
#include "logic/font/FontExport.h"
#include "widgets/font/FontSetView.h"
#include "widgets/font/FontToolForm.h"
#include "widgets/font/FontToolWindow.h"
#include "widgets/font/GlyphEditor.h"

#include <QCheckBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString Pcf5x7 = QStringLiteral("/usr/share/fonts/X11/misc/5x7-ISO8859-1.pcf.gz");
} // namespace

class FontToolWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (!QFile::exists(Pcf5x7))
            QSKIP("xfonts-base is not installed");
        m_window = std::make_unique<FontToolWindow>();
        m_window->form()->setSourceFile(Pcf5x7);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void editedGlyphIsExported()
    {
        auto *set = m_window->findChild<FontSetView *>(FontToolNames::fontSetView);
        auto *editor = m_window->findChild<GlyphEditor *>(FontToolNames::glyphEditor);
        QVERIFY(set && editor);
        QTest::mouseClick(set, Qt::LeftButton, {}, set->centreOf('A'));
        QCOMPARE(editor->glyph().code, char32_t('A'));
        // The cursor's column on the baseline row: unlit in the 5x7 'A', lit by the click.
        QVERIFY(!editor->glyph().lit(0 - editor->glyph().xOffset, 0 - editor->glyph().top));
        QTest::mouseClick(editor, Qt::LeftButton, {}, editor->centreOf(0, 0));
        const Glyph edited = editor->glyph();
        QVERIFY(edited.lit(0 - edited.xOffset, 0 - edited.top));

        const QString path = m_dir.filePath(QStringLiteral("edited.h"));
        QString reason;
        QVERIFY2(m_window->exportTo(path, &reason), qPrintable(reason));
        BitmapFont exported;
        QVERIFY2(FontExport::readForDrawing(path, &exported, &reason), qPrintable(reason));
        QVERIFY(exported.find('A'));
        QCOMPARE(*exported.find('A'), *m_window->drawnFont().find('A'));
        // The baseline's row is the last of the 5x7 cells; the edit lit its first column.
        QVERIFY(exported.find('A')->lit(0, exported.ascent));
    }

    void textToolStampsWhatRenderDraws()
    {
        const QString path = m_dir.filePath(QStringLiteral("font.h"));
        QString reason;
        QVERIFY2(m_window->exportTo(path, &reason), qPrintable(reason));
        const QString png = m_dir.filePath(QStringLiteral("line.png"));
        const QString line = QStringLiteral("Hello, LCD! 0123 {}");
        QCOMPARE(runTavrel({QStringLiteral("font"), QStringLiteral("--render"), path, QStringLiteral("--text"), line,
                            QStringLiteral("--out"), png})
                     .exitCode,
                 0);
        const QImage rendered = QImage(png).convertToFormat(QImage::Format_RGB32);

        PixelCanvas canvas;
        canvas.setLcdSize(128, 64);
        canvas.setDrawColour(qRgb(0, 0, 0));
        connect(m_window.get(), &FontToolWindow::textToolFontChosen, &canvas, &PixelCanvas::setLcdFont);
        auto *use = m_window->findChild<QCheckBox *>(FontToolNames::fontUseInTextTool);
        QVERIFY(use);
        use->click();
        QVERIFY(canvas.usesLcdFont());
        canvas.setCurrentPosition(QPoint(3, 5));
        canvas.stampText(line);
        QCOMPARE(canvas.image().copy(QRect(QPoint(3, 5), rendered.size())).convertToFormat(QImage::Format_RGB32), rendered);
        use->click();
        QVERIFY(!canvas.usesLcdFont());
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<FontToolWindow> m_window;
};

QTEST_MAIN(FontToolWindowTest)
#include "tst_fonttoolwindow.moc"
