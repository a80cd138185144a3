#include "widgets/font/FontToolWindow.h"

#include "logic/export/ArrayFiles.h"
#include "logic/font/CharacterList.h"
#include "logic/font/FontExport.h"
#include "logic/font/FontPainter.h"
#include "widgets/font/FontSetView.h"
#include "widgets/font/FontToolForm.h"
#include "widgets/font/GlyphEditor.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/FontToolNames.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
const QRgb Lit = qRgb(20, 30, 60);
const QRgb Unlit = qRgb(170, 200, 120);
} // namespace

FontToolWindow::FontToolWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(FontToolNames::fontToolWindow);
    setWindowTitle(tr("Font Tool"));
    m_form = new FontToolForm(this);
    auto *exportButton = Controls::button(this, FontToolNames::fontExportButton, tr("E&xport..."));
    m_useInTextTool = Controls::checkBox(this, FontToolNames::fontUseInTextTool, tr("&Use in the Text tool"));
    auto *left = new QVBoxLayout;
    left->addWidget(m_form);
    left->addWidget(m_useInTextTool);
    left->addWidget(exportButton);
    left->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buildPreview(), 1);
    connect(m_form, &FontToolForm::sourceChanged, this, &FontToolWindow::reload);
    connect(m_form, &FontToolForm::shapeChanged, this, &FontToolWindow::refresh);
    connect(m_set, &FontSetView::glyphChosen, this, &FontToolWindow::showGlyph);
    connect(m_editor, &GlyphEditor::glyphEdited, this, &FontToolWindow::glyphEdited);
    connect(exportButton, &QPushButton::clicked, this, &FontToolWindow::exportChosen);
    connect(m_useInTextTool, &QCheckBox::toggled, this, &FontToolWindow::textToolToggled);
    resize(1000, 640);
    reload();
}

QWidget *FontToolWindow::buildPreview()
{
    auto *panel = new QWidget(this);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    m_set = new FontSetView(panel);
    auto *scroll = new QScrollArea(panel);
    scroll->setObjectName(FontToolNames::fontSetScroll);
    scroll->setWidget(m_set);
    scroll->setWidgetResizable(false);
    m_editor = new GlyphEditor(panel);
    m_glyphName = Controls::valueLabel(panel, FontToolNames::fontGlyphName, QString(), tr("Glyph being edited"));
    m_sample =
        Controls::valueLabel(panel, FontToolNames::fontSamplePreview, QString(), tr("Sample as the LCD shows it"));
    m_sample->setMinimumHeight(40);
    m_status = Controls::valueLabel(panel, FontToolNames::fontStatus, QString(), tr("Font status"));
    m_status->setWordWrap(true);
    auto *editRow = new QHBoxLayout;
    auto *editColumn = new QVBoxLayout;
    editColumn->addWidget(m_glyphName);
    editColumn->addWidget(m_editor, 1);
    editRow->addLayout(editColumn, 1);
    column->addWidget(scroll, 3);
    column->addLayout(editRow, 3);
    column->addWidget(m_sample);
    column->addWidget(m_status);
    return panel;
}

QString FontToolWindow::sourceKey() const
{
    const FontSource s = m_form->source();
    return QStringList{s.file, s.family, s.style, QString::number(s.pixelSize), QString::number(int(s.hinting)),
                       QString::number(s.bold)}
        .join(QLatin1Char('\n'));
}

void FontToolWindow::reload()
{
    FontExportChoice choice;
    LoadedFont loaded;
    m_problem.clear();
    if (!m_form->choice(&choice, &m_problem) || !FontSources::load(m_form->source(), choice.codes, &loaded, &m_problem)) {
        m_font = BitmapFont();
        refresh();
        return;
    }
    // Edits belong to the source they were made on.
    if (sourceKey() != m_editedSource)
        m_edits.clear();
    m_editedSource = sourceKey();
    m_font = loaded.font;
    for (const Glyph &glyph : qAsConst(m_edits))
        m_font.put(glyph);
    QStringList missing;
    for (char32_t code : qAsConst(loaded.missing))
        missing << CharacterList::name(code);
    if (!missing.isEmpty())
        m_problem = tr("No glyph for %n character(s): %1", nullptr, int(missing.size())).arg(missing.mid(0, 12).join(QStringLiteral(", ")));
    refresh();
}

void FontToolWindow::refresh()
{
    FontExportChoice choice;
    QString reason;
    m_drawn = BitmapFont();
    if (!m_font.glyphs.isEmpty() && m_form->choice(&choice, &reason))
        FontExport::drawn(m_font, choice, &m_drawn, &reason);
    m_status->setText(!reason.isEmpty() ? reason : m_problem.isEmpty() ? tr("%n glyph(s), %1 rows", nullptr, int(m_font.glyphs.size())).arg(m_drawn.lineHeight()) : m_problem);
    m_set->setFont(m_drawn);
    m_set->setInverted(m_form->inverted());
    QImage line = FontPainter::render(m_form->sampleText(), m_drawn);
    line = line.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).convertToFormat(QImage::Format_RGB32);
    line.setColorCount(0);
    for (int y = 0; y < line.height(); ++y)
        for (int x = 0; x < line.width(); ++x)
            line.setPixel(x, y, (qGray(line.pixel(x, y)) < 128) != m_form->inverted() ? Lit : Unlit);
    const int scale = qBound(1, 600 / qMax(line.width(), 1), 4);
    m_sample->setPixmap(QPixmap::fromImage(line.scaled(line.size() * scale)));
    showGlyph(m_set->chosen());
    if (m_useInTextTool->isChecked())
        emit textToolFontChosen(m_drawn);
}

void FontToolWindow::showGlyph(char32_t code)
{
    const Glyph *glyph = m_font.find(code);
    m_glyphName->setText(glyph ? CharacterList::name(code) : QString());
    if (glyph)
        m_editor->setGlyph(*glyph, m_font.ascent, m_font.descent);
}

void FontToolWindow::glyphEdited(const Glyph &glyph)
{
    m_edits.insert(glyph.code, glyph);
    m_font.put(glyph);
    const char32_t chosen = glyph.code;
    refresh();
    m_set->choose(chosen);
}

bool FontToolWindow::exportTo(const QString &path, QString *reason)
{
    FontExportChoice choice;
    QByteArray content;
    return m_form->choice(&choice, reason) && FontExport::content(m_font, choice, &content, reason)
        && ArrayFiles::save(path, content, reason);
}

void FontToolWindow::exportChosen()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export Font"), QString(),
                                                      tr("C source (*.h *.c);;Assembler (*.asm);;Binary (*.bin);;BDF (*.bdf)"));
    QString reason;
    if (!path.isEmpty() && !exportTo(path, &reason))
        m_status->setText(tr("Cannot export: %1").arg(reason));
    else if (!path.isEmpty())
        m_status->setText(tr("Exported to %1").arg(path));
}

void FontToolWindow::textToolToggled(bool on)
{
    emit textToolFontChosen(on ? m_drawn : BitmapFont());
}
