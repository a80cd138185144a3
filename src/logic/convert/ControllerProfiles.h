#pragma once

#include "logic/convert/MatrixLayout.h"

#include <QList>
#include <QString>
#include <QStringList>

// Named layouts: the controllers (and file formats) that take the same
// bytes share one profile.
struct ControllerProfile
{
    QStringList names; // command-line names, lower case
    QString caption;   // as the window lists it
    MatrixLayout layout;
};

namespace ControllerProfiles {

// Vertical profiles first, each packing's usual layout first among its own.
const QList<ControllerProfile> &all();
// Those of one packing, in the order of all().
QList<ControllerProfile> forPacking(bool horizontal);
// By any of its names, case ignored; nullptr when none has it.
const ControllerProfile *byName(const QString &name);
// The first profile with exactly this layout; nullptr for one no profile has.
const ControllerProfile *byLayout(const MatrixLayout &layout);
// Every name, for help texts.
QStringList names();

} // namespace ControllerProfiles
