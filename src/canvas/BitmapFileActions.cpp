#include "canvas/BitmapFileActions.h"

#include "core/AppState.h"
#include "ui/CommonDialog.h"
#include "ui/UserMessages.h"
#include "canvas/BitmapLoader.h"
#include "canvas/MonoBmpWriter.h"
#include "canvas/PixelCanvas.h"

#include <QCheckBox>
#include <QDir>
#include <QSaveFile>

BitmapFileActions::BitmapFileActions(AppState &state, CommonDialog &dialog, PixelCanvas *canvas, QCheckBox *inverted,
                                     QWidget *panel)
    : QObject(panel), m_state(state), m_dialog(dialog), m_canvas(canvas), m_inverted(inverted), m_panel(panel)
{
}

void BitmapFileActions::fload()
{
    CommonDialog *files = &m_dialog; // shared: settings of its last use stay
    files->showOpen();
    if (files->fileName.isEmpty()) {
        emit dumpShown(QString());
        m_inverted->setEnabled(false);
        return;
    }
    const BitmapLoadResult result = BitmapLoader::loadFile(
        files->fileName, QSize(m_state.lcdWidth, m_state.lcdHeight), m_inverted->isChecked(), m_state.hexGrid);
    if (!result.ok()) {
        // Nothing was read into hexGrid or the canvas; "Inverted" stays as it was.
        UserMessages::inform(m_panel, tr("Error: ") + result.error);
        emit dumpShown(QString());
        return;
    }
    m_canvas->setImage(result.picture);
    // After setImage, whose change signal clears it: the canvas now shows the file.
    m_state.canvasShowsLoadedBitmap = true;
    emit dumpShown(result.dump);
    m_inverted->setEnabled(false);
}

void BitmapFileActions::fsave()
{
    CommonDialog *files = &m_dialog; // shared: settings of its last use stay
    const QByteArray bitmap = MonoBmpWriter::encode(m_canvas->image());
    files->showSave();
    if (files->fileName.isEmpty())
        return;
    QSaveFile file(files->fileName);
    // A writable file in a directory we may not create files in is still overwritten.
    file.setDirectWriteFallback(true);
    if (file.open(QIODevice::WriteOnly) && file.write(bitmap) == bitmap.size() && file.commit())
        return;
    UserMessages::inform(m_panel, tr("Error: Cannot save %1: %2")
                                      .arg(QDir::toNativeSeparators(files->fileName), file.errorString()));
}
