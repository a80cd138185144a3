#include "gui/HelpWindow.h"
#include "widgets/ui/ControlNames.h"

#include "widgets/ui/ControlFactory.h"
#include "logic/output/TransmitDelay.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(ControlNames::helpWindow);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Tavrel Help"));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QString(ControlNames::helpText));
    text->setAccessibleName(tr("Help text"));
    text->setReadOnly(true);
    text->setTabChangesFocus(true);
    // The box shows lines; CR LF stays in helpText() for callers that copy it.
    text->setPlainText(helpText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    layout->addWidget(text);
    auto *close = Controls::button(this, ControlNames::helpCloseButton, tr("&Close"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(640, 420);
}

QString HelpWindow::contactAddress()
{
    return QStringLiteral("tavrel-toolbox@users.noreply.github.com");
}

QString HelpWindow::helpText()
{
    const QStringList lines = {
        QStringLiteral("Some Brief Beta Instructions"),
        QStringLiteral("1) When sending an image to the LCD: Clear the 'Format' fields, but not the 'Wait Char'!"),
        QStringLiteral("2) The default Xmit delay of %1ms is used when sending directly to the LCD - adjust as needed.")
            .arg(TransmitDelay::defaultLcdMs),
        QStringLiteral("3) The xmit delay when sending to an external eeprom is much higher - around 200ms seems to work best."),
        QStringLiteral("4) Avoid setting the PIC Delay from 10ms to a higher value, which would then require extremely long xmit delays"),
        QStringLiteral("5) The image box can load BMP format 128x64 bit B/W images. Hint: MS Paint (TM) works fine"),
        QStringLiteral("6) The 'Open' in the top menu is to load already formatted text into the Transmit Window (not the editable window)"),
        QStringLiteral("7) The menu 'Exit' does exactly that, without any prompts!"),
        QStringLiteral("8) The Header, Footer, Delimiter and Format are used only when you want to generate code to be used in an application"),
        QStringLiteral("9) There is no handshake in the xmit - it just pumps out the data, regardless of any serial connection, so make sure that the PIC is ready to receive data before you transmit it!"),
        QStringLiteral("10)The Transmit Window can be used to send commands to the PIC"),
        QStringLiteral("11)The 'Byte Matrix' should be left at 'vertical' for the KS0108 LCD's"),
        QString(),
        QStringLiteral("What else"),
        QStringLiteral("- LCD Size: eight sizes, or Custom up to 1024x1024 with the display type the PIC is told."),
        QStringLiteral("- Byte Matrix: controller profiles (KS0108, SSD1306, T6963C, ...) or your own bit and scan order."),
        QStringLiteral("- Graphic: lines, rectangles, ellipses, fill, text in any font, Undo/Redo, Import of any picture (placed, scaled, dithered), Paste Picture."),
        QStringLiteral("- Preview: the picture the output text draws, marking in red what differs from the canvas."),
        QStringLiteral("- Export: the bytes as C, XBM, binary, Intel HEX or assembler files."),
        QStringLiteral("- Device: any serial device (by-id names listed, hot-plug followed) or a typed path; Virtual LCD tries a send without the board."),
        QStringLiteral("- Wait for PIC: each block waits for the PIC's ready byte instead of Xmit Delay (firmware/ answers it)."),
        QStringLiteral("- Terminal: hex view, timestamps and a log file; settings are kept between runs (Reset settings forgets them)."),
        QString(),
        QStringLiteral("There are still many 'to-do's to wrap up."),
        QStringLiteral("Any comments and or suggestions are welcome! - ") + contactAddress(),
    };
    return lines.join(QStringLiteral("\r\n"));
}
