#include "widgets/canvas/TextStampControls.h"

#include "widgets/canvas/CanvasHistory.h"
#include "widgets/canvas/DrawingTools.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/FileAndFontPrompts.h"
#include "widgets/ui/ControlNames.h"

#include <QApplication>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TextStampControls::TextStampControls(PixelCanvas *canvas, DrawingTools *tools, CanvasHistory *history,
                                     FileAndFontPrompts &dialog, QGridLayout *grid, int row, QObject *parent)
    : QObject(parent), m_canvas(canvas), m_tools(tools), m_history(history), m_dialog(dialog)
{
    QWidget *box = grid->parentWidget();
    m_text = Controls::lineEdit(box, ControlNames::stampTextBox, QString(), tr("Text to stamp"));
    m_text->setToolTip(tr("Enter stamps the text; the Text tool places it with a click"));
    grid->addWidget(m_text, row, 0, 1, 2);
    m_font = Controls::button(box, ControlNames::textFontButton, tr("Font"));
    m_stamp = Controls::button(box, ControlNames::stampTextButton, tr("Text"));
    grid->addWidget(m_font, row + 1, 0);
    grid->addWidget(m_stamp, row + 1, 1);
    m_fontInUse = Controls::valueLabel(box, ControlNames::fontInUseLabel, QString(), tr("Font in use"));
    grid->addWidget(m_fontInUse, row + 2, 0, 1, 2);
    connect(m_font, &QPushButton::clicked, this, &TextStampControls::fontClicked);
    connect(m_stamp, &QPushButton::clicked, this, &TextStampControls::stampClicked);
    connect(m_text, &QLineEdit::returnPressed, this, &TextStampControls::stampClicked);
    connect(m_text, &QLineEdit::textChanged, m_tools, &DrawingTools::setText);
    // The text shows where it would land while it is typed.
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { m_tools->setTextPreviewWanted(now == m_text); });
    showFontInUse();
}

QList<QWidget *> TextStampControls::controls() const
{
    return {m_text, m_font, m_stamp};
}

void TextStampControls::setFont(const QFont &font)
{
    m_canvas->setStampFont(font);
    showFontInUse();
    m_tools->refreshPreview();
}

void TextStampControls::fontClicked()
{
    m_dialog.flags = 3; // screen and printer fonts
    // The dialog opens on the font in use.
    const QFont current = m_canvas->stampFont();
    m_dialog.fontName = QFontInfo(current).family();
    m_dialog.fontSize = current.pointSizeF();
    m_dialog.fontBold = current.bold();
    m_dialog.fontItalic = current.italic();
    if (!m_dialog.showFont())
        return;
    QFont font(m_dialog.fontName);
    if (m_dialog.fontSize > 0)
        font.setPointSizeF(m_dialog.fontSize);
    font.setBold(m_dialog.fontBold);
    font.setItalic(m_dialog.fontItalic);
    setFont(font);
    emit fontChosen();
}

void TextStampControls::showFontInUse()
{
    const QFont font = m_canvas->stampFont();
    QString text = tr("%1 %2 pt").arg(QFontInfo(font).family()).arg(font.pointSizeF());
    if (font.bold())
        text += tr(", bold");
    if (font.italic())
        text += tr(", italic");
    m_fontInUse->setText(text);
}

void TextStampControls::stampClicked()
{
    m_history->perform([this] { m_canvas->stampText(m_text->text()); });
    m_tools->textStamped();
}
