#include "output/TextFiles.h"

#include "output/Latin1Text.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace TextFiles {

namespace {
void setReason(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
}

// UTF-8 when the bytes are valid UTF-8 (as editors write today), else
// Latin-1, where every byte is a character.
QString decoded(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// Devices and pipes cannot be replaced by a renamed copy: written in place.
bool writeInPlace(const QString &path, const QByteArray &bytes, QString *reason)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()) {
        file.close();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    setReason(reason, QStringLiteral("%1: %2").arg(path, file.errorString()));
    return false;
}
} // namespace

LoadResult load(const QString &path, QString &text, QString *reason)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        setReason(reason, QCoreApplication::translate("TextFiles", "%1 does not exist.").arg(path));
        return LoadResult::Missing;
    }
    if (info.size() > maxLoadBytes) {
        setReason(reason, QCoreApplication::translate("TextFiles", "%1 is %2 bytes long; at most %3 bytes can be loaded.")
                              .arg(path)
                              .arg(info.size())
                              .arg(maxLoadBytes));
        return LoadResult::TooLarge;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setReason(reason, file.errorString());
        return LoadResult::Unreadable;
    }
    // The size is checked again on the bytes themselves: the file may have grown.
    const QByteArray bytes = file.read(maxLoadBytes + 1);
    if (bytes.size() > maxLoadBytes) {
        setReason(reason, QCoreApplication::translate("TextFiles", "%1 is longer than %2 bytes.").arg(path).arg(maxLoadBytes));
        return LoadResult::TooLarge;
    }
    if (file.error() != QFileDevice::NoError) {
        setReason(reason, file.errorString());
        return LoadResult::Unreadable;
    }
    text = decoded(bytes);
    return LoadResult::Loaded;
}

bool save(const QString &path, const QString &text, QString *reason)
{
    const qsizetype outside = Latin1Text::firstOutside(text);
    if (outside >= 0) {
        setReason(reason, QCoreApplication::translate("TextFiles", "the character %1 has no Latin-1 byte.")
                              .arg(Latin1Text::describe(text, outside)));
        return false;
    }
    const QByteArray bytes = text.toLatin1();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return writeInPlace(path, bytes, reason);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // No copy can be made beside a writable file (a folder that takes no
        // new files): the file itself is overwritten.
        if (info.exists() && info.isWritable())
            return writeInPlace(path, bytes, reason);
        setReason(reason, QStringLiteral("%1: %2").arg(path, file.errorString()));
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        setReason(reason, QStringLiteral("%1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace TextFiles
