#include "logic/canvas/LoadReport.h"

#include "logic/canvas/ImportPipeline.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("LoadReport", text);
}

QString size(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

} // namespace

namespace LoadReport {

QString exact(const QString &name, QSize lcd)
{
    return tr("%1 is %2, loaded byte for byte").arg(name, size(lcd));
}

QString placed(const QString &name, QSize source, QSize lcd, const ImportSettings &settings)
{
    using Placement = ImportSettings::Placement;
    const QString is = tr("%1 is %2; ").arg(name, size(source));
    const QSize turned = settings.rotation % 180 ? source.transposed() : source;
    const QSize landed = ImportPipeline::placement(turned, lcd, settings.placement).size();
    switch (settings.placement) {
    case Placement::Crop:
        if (turned.width() > lcd.width() || turned.height() > lcd.height())
            return is + tr("the canvas shows its top-left %1").arg(size(turned.boundedTo(lcd)));
        return is + tr("it stands at the top-left of the %1 canvas").arg(size(lcd));
    case Placement::Center:
        return is + tr("centred on the %1 canvas").arg(size(lcd));
    case Placement::Fit:
        return is + tr("scaled to %1 to fit the %2 canvas").arg(size(landed), size(lcd));
    case Placement::Fill:
        return is + tr("scaled to %1 to fill the %2 canvas, the overflow cut off").arg(size(landed), size(lcd));
    case Placement::Stretch:
        return is + tr("stretched to %1").arg(size(lcd));
    }
    return is;
}

} // namespace LoadReport
