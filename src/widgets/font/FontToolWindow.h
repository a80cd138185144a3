#pragma once

#include "logic/font/BitmapFont.h"
#include "logic/font/FontSource.h"

#include <QHash>
#include <QWidget>

class FontSetView;
class FontToolForm;
class GlyphEditor;
class QCheckBox;
class QLabel;

// The Font tool: choose a source and the form, see the whole set and a
// sample line as the LCD shows them, edit glyphs pixel by pixel (the edits
// go into every export), export, and hand the font to the canvas's Text tool.
class FontToolWindow : public QWidget
{
    Q_OBJECT
public:
    explicit FontToolWindow(QWidget *parent = nullptr);

    FontToolForm *form() const { return m_form; }
    // The font as the firmware draws it from the chosen form.
    const BitmapFont &drawnFont() const { return m_drawn; }
    // Writes the chosen form and template; false with a reason naming the file.
    bool exportTo(const QString &path, QString *reason);

signals:
    // The font the Text tool stamps with; an empty font: back to the canvas's own.
    void textToolFontChosen(const BitmapFont &font);

private:
    void reload();
    void refresh();
    void showGlyph(char32_t code);
    void glyphEdited(const Glyph &glyph);
    void exportChosen();
    void textToolToggled(bool on);
    QWidget *buildPreview();
    QString sourceKey() const;

    FontToolForm *m_form;
    FontSetView *m_set;
    GlyphEditor *m_editor;
    QLabel *m_sample;
    QLabel *m_status;
    QLabel *m_glyphName;
    QCheckBox *m_useInTextTool;
    BitmapFont m_font;  // loaded, with the edits in place
    BitmapFont m_drawn; // what the firmware draws
    QHash<char32_t, Glyph> m_edits;
    QString m_editedSource;
    QString m_problem;
};
