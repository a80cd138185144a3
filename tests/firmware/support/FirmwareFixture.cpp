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

QByteArray blockStream(char type, int blockChars, int address, int delayMs, const QByteArray &bytes)
{
    QByteArray stream = QStringLiteral("%1%2%3%4*")
                            .arg(QLatin1Char(type))
                            .arg(blockChars, 2, 16, QLatin1Char('0'))
                            .arg(address, 4, 16, QLatin1Char('0'))
                            .arg("0" + QString::number(delayMs, 16))
                            .toLatin1();
    const QByteArray digits = bytes.toHex();
    for (int at = 0; at < digits.size(); at += blockChars)
        stream += ']' + digits.mid(at, blockChars);
    return stream;
}

} // namespace FirmwareFixture
