#pragma once

#include "logic/canvas/ImportSettings.h"

#include <QSize>
#include <QString>

// The words the window says after a Load, an import or a paste: how large
// the picture was and what became of it on the canvas.
namespace LoadReport {

// `name` is the file's name without its folder ("logo.bmp") or a word
// such as "The clipboard picture".
QString exact(const QString &name, QSize lcd);
QString placed(const QString &name, QSize source, QSize lcd, const ImportSettings &settings);

} // namespace LoadReport
