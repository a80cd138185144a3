#include "logic/output/TextFiles.h"

#include "logic/core/BoundedRead.h"
#include "logic/output/Latin1Text.h"
#include "logic/output/TextDecoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace TextFiles {

namespace {
void setReason(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setReason(reason, file.errorString());
        return LoadResult::Unreadable;
    }
    // Counted as read: a device or FIFO says 0 for its size, /dev/zero never ends.
    const BoundedRead::Result read = BoundedRead::readAll(file, maxLoadBytes);
    if (read.status == BoundedRead::Status::TooLarge) {
        setReason(reason, QCoreApplication::translate("TextFiles", "%1 is %2.")
                              .arg(path, BoundedRead::tooLargeReason(maxLoadBytes)));
        return LoadResult::TooLarge;
    }
    if (read.status == BoundedRead::Status::Failed) {
        setReason(reason, read.systemReason);
        return LoadResult::Unreadable;
    }
    text = TextDecoding::fromBytes(read.data);
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
