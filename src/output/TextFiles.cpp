#include "output/TextFiles.h"

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
    text = QString::fromLatin1(bytes);
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
