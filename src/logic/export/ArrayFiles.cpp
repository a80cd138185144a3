#include "logic/export/ArrayFiles.h"

#include "logic/core/BoundedRead.h"

#include <QFile>
#include <QSaveFile>

namespace ArrayFiles {

bool save(const QString &path, const QByteArray &content, QString *reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return true;
    *reason = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}

bool load(const QString &path, QByteArray *content, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    BoundedRead::Result read = BoundedRead::readAll(file, MostBytes);
    if (read.status != BoundedRead::Status::Complete) {
        *reason = QStringLiteral("cannot read %1: %2")
                      .arg(path, read.status == BoundedRead::Status::TooLarge ? BoundedRead::tooLargeReason(MostBytes)
                                                                              : read.systemReason);
        return false;
    }
    *content = std::move(read.data);
    return true;
}

} // namespace ArrayFiles
