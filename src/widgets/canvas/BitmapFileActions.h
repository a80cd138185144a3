#pragma once

#include "logic/canvas/ImportSettings.h"
#include "logic/convert/MatrixLayout.h"

#include <QImage>
#include <QObject>

#include <optional>

struct AppState;
class FileAndFontPrompts;
class QWidget;

// What a Load, an import or a paste brought, for the canvas panel to show.
struct PictureLoad
{
    // Refused: the file was turned down before anything changed (an array file).
    enum class Outcome { Loaded, Cancelled, Failed, Refused };

    Outcome outcome = Outcome::Cancelled;
    QImage picture; // LCD-size, black and white
    QString dump;   // the walked bytes for the output window
    QString report; // what the window says it did
    bool placed = false; // through the import dialog: placed and scaled to the LCD, no file walk
    // From an array file: the layout its bytes were read in. The picture
    // then has the array's size, which the LCD takes.
    std::optional<MatrixLayout> layout = std::nullopt;
};

// "Load", "Import", "Paste Picture" and "Save" of the Graphic frame: the
// shared file dialog, the import dialog and the message boxes around the
// widget-free loader and writers. Loads fill hexGrid; the panel puts the
// picture on the canvas.
class BitmapFileActions : public QObject
{
    Q_OBJECT
public:
    BitmapFileActions(AppState &state, FileAndFontPrompts &dialog, QWidget *panel);

    // Asks for a picture file. A one-bit bitmap at the LCD size is walked
    // byte by byte; any other picture goes through the import dialog. An
    // array file (C source, XBM, Intel HEX, binary ...) goes through the
    // array dialog, which chooses the array, its size and its layout.
    PictureLoad load(bool inverted);
    // Asks for a picture file and always shows the import dialog (the
    // array dialog for an array file).
    PictureLoad importFile(bool inverted);
    // The clipboard's picture through the import dialog.
    PictureLoad importClipboard(bool inverted);
    // Asks for a file name and writes `picture` as its name says: .bmp a
    // one-bit bitmap, .png a PNG; any other name gets ".bmp" added.
    void save(const QImage &picture);

    const ImportSettings &importSettings() const { return m_import; }

private:
    PictureLoad loadFile(bool inverted, bool alwaysAsk);
    PictureLoad loadArray(const QString &path);
    PictureLoad imported(const QImage &source, const QString &name, bool inverted);
    PictureLoad failed(const QString &error, PictureLoad::Outcome outcome = PictureLoad::Outcome::Failed);
    QSize lcdSize() const;

    AppState &m_state;
    FileAndFontPrompts &m_dialog;
    QWidget *m_panel;
    ImportSettings m_import; // the dialog opens on the choices made last
};
