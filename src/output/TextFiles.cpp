#include "output/TextFiles.h"

#include "core/BoundedRead.h"
#include "output/Latin1Text.h"

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
    text = QString::fromLatin1(read.data);
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toLatin1()) < 0 || !file.commit()) {
        setReason(reason, QStringLiteral("%1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace TextFiles
