#include "widgets/canvas/BitmapFileActions.h"

#include "logic/core/AppState.h"
#include "widgets/ui/FileAndFontPrompts.h"
#include "widgets/ui/UserMessages.h"
#include "logic/canvas/BitmapLoader.h"
#include "widgets/canvas/ImportDialog.h"
#include "logic/canvas/LoadReport.h"
#include "logic/canvas/ImageFileDecoder.h"
#include "logic/canvas/PictureSaveFormat.h"

#include "logic/export/ArrayFileReader.h"
#include "logic/export/ArrayListing.h"
#include "widgets/decode/ArrayLoadDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

namespace {
FileAndFontPrompts::FilePrompt openPrompt()
{
    const QStringList arrays = ArrayFileReader::extensions();
    const QString arrayFilter = QStringLiteral("Arrays (*.%1)|*.%2|")
                                    .arg(arrays.join(QLatin1String(" *.")), arrays.join(QLatin1String(";*.")));
    return {QStringLiteral("LCD File to Open"),
            QStringLiteral("Image (*.bmp)|*.bmp|Images (*.bmp *.png *.gif *.jpg *.jpeg)|*.bmp;*.png;*.gif;*.jpg;*.jpeg|")
                + arrayFilter + QStringLiteral("All Files (*)|*"),
            QStringLiteral("bmp"), QString(), FileAndFontPrompts::FileKind::Picture};
}

FileAndFontPrompts::FilePrompt savePrompt()
{
    return {QStringLiteral("LCD File to Save"), QStringLiteral("Image (*.bmp)|*.bmp|PNG (*.png)|*.png"),
            QStringLiteral("bmp"), QString(), FileAndFontPrompts::FileKind::Picture};
}

QString cannotLoad(const QString &path, const QString &reason)
{
    return BitmapFileActions::tr("Cannot load %1: %2").arg(QDir::toNativeSeparators(path), reason);
}
} // namespace

BitmapFileActions::BitmapFileActions(AppState &state, FileAndFontPrompts &dialog, QWidget *panel)
    : QObject(panel), m_state(state), m_dialog(dialog), m_panel(panel)
{
}

QSize BitmapFileActions::lcdSize() const
{
    return QSize(m_state.lcdWidth, m_state.lcdHeight);
}

PictureLoad BitmapFileActions::failed(const QString &error, PictureLoad::Outcome outcome)
{
    UserMessages::inform(m_panel, tr("Error: ") + error);
    PictureLoad load;
    load.outcome = outcome;
    return load;
}

PictureLoad BitmapFileActions::load(bool inverted)
{
    return loadFile(inverted, false);
}

PictureLoad BitmapFileActions::importFile(bool inverted)
{
    return loadFile(inverted, true);
}

PictureLoad BitmapFileActions::loadFile(bool inverted, bool alwaysAsk)
{
    m_dialog.showOpen(openPrompt());
    const QString path = m_dialog.fileName;
    if (path.isEmpty())
        return PictureLoad();
    if (ArrayFileReader::isArrayFile(path))
        return loadArray(path);
    QByteArray data;
    QString error;
    if (!BitmapLoader::readFile(path, &data, &error))
        return failed(error);
    const QString name = QFileInfo(path).fileName();
    if (!alwaysAsk && BitmapLoader::isExactBitmap(data, lcdSize())) {
        const BitmapLoadResult result = BitmapLoader::loadData(data, lcdSize(), inverted, m_state.hexGrid);
        if (!result.ok())
            return failed(cannotLoad(path, result.error));
        return {PictureLoad::Outcome::Loaded, result.picture, result.dump, LoadReport::exact(name, lcdSize())};
    }
    const QImage source = ImageFileDecoder::decode(data, &error);
    if (source.isNull())
        return failed(cannotLoad(path, error));
    return imported(source, name, inverted);
}

PictureLoad BitmapFileActions::loadArray(const QString &path)
{
    QByteArray data;
    QString error;
    if (!BitmapLoader::readFile(path, &data, &error))
        return failed(error, PictureLoad::Outcome::Refused);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ArrayFileReader::Result arrays = ArrayFileReader::read(data, ArrayFileReader::isRaw(path));
    QApplication::restoreOverrideCursor();
    if (!arrays.ok())
        return failed(cannotLoad(path, arrays.error), PictureLoad::Outcome::Refused);
    if (!ArrayListing::holdsPicture(arrays))
        return failed(cannotLoad(path, tr("it holds no array of %1 bytes or more, the fewest a picture takes")
                                           .arg(ArrayListing::FewestPictureBytes)),
                      PictureLoad::Outcome::Refused);
    const QString name = QFileInfo(path).fileName();
    const std::optional<ArrayLoadDialog::Choice> choice = ArrayLoadDialog::ask(m_panel, arrays, name);
    if (!choice)
        return PictureLoad();
    PictureLoad load;
    load.outcome = PictureLoad::Outcome::Loaded;
    load.picture = choice->picture;
    load.report = tr("%1 of %2 read as %3x%4, %5")
                      .arg(choice->arrayName.isEmpty() ? tr("The bytes") : choice->arrayName, name)
                      .arg(choice->picture.width())
                      .arg(choice->picture.height())
                      .arg(choice->layout.description());
    load.placed = true;
    load.layout = choice->layout;
    return load;
}

PictureLoad BitmapFileActions::importClipboard(bool inverted)
{
    const QImage source = QGuiApplication::clipboard()->image();
    if (source.isNull())
        return failed(tr("The clipboard holds no picture"));
    return imported(source, tr("The clipboard picture"), inverted);
}

PictureLoad BitmapFileActions::imported(const QImage &source, const QString &name, bool inverted)
{
    QImage picture;
    if (!ImportDialog::ask(m_panel, source, lcdSize(), name, m_import, &picture))
        return PictureLoad();
    const BitmapLoadResult result = BitmapLoader::loadPicture(picture, inverted, m_state.hexGrid);
    if (!result.ok())
        return failed(result.error);
    return {PictureLoad::Outcome::Loaded, result.picture, result.dump,
            LoadReport::placed(name, source.size(), lcdSize(), m_import), true};
}

void BitmapFileActions::save(const QImage &picture)
{
    m_dialog.showSave(savePrompt());
    if (m_dialog.fileName.isEmpty())
        return;
    const PictureSaveFormat::Target target = PictureSaveFormat::targetFor(m_dialog.fileName);
    const QByteArray bytes = PictureSaveFormat::encode(picture, target.format);
    QSaveFile file(target.path);
    // A writable file in a directory we may not create files in is still overwritten.
    file.setDirectWriteFallback(true);
    if (!bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return;
    UserMessages::inform(m_panel, tr("Error: Cannot save %1: %2")
                                      .arg(QDir::toNativeSeparators(target.path), file.errorString()));
}
