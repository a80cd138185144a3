#include "FirmwareFixture.h"

#include "ProgramRun.h"
#include "logic/canvas/MonoBmpWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace FirmwareFixture {

QString codFile()
{
    const QString cod = qEnvironmentVariable("TAVREL_FIRMWARE_COD");
    if (cod.isEmpty() || !QFileInfo::exists(cod) || QStandardPaths::findExecutable("gpsim").isEmpty())
        return QString();
    return cod;
}

QByteArray stream(const QImage &picture, const QStringList &options, const QString &dir)
{
    const QString bmp = QDir(dir).filePath(QStringLiteral("picture-%1x%2.bmp").arg(picture.width()).arg(picture.height()));
    QFile file(bmp);
    if (!file.open(QIODevice::WriteOnly) || file.write(MonoBmpWriter::encode(picture)) <= 0)
        return QByteArray();
    file.close();
    const QString size = QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height());
    const ProgramRun converted = runTavrel(QStringList{"convert", bmp, "--size", size, "--stream"} + options);
    return converted.exitCode == 0 ? converted.out.trimmed() : QByteArray();
}

QByteArray headerOf(const QByteArray &stream)
{
    return stream.left(stream.indexOf('*'));
}

} // namespace FirmwareFixture
