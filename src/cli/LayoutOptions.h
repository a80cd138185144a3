#pragma once

#include "logic/convert/MatrixLayout.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineParser;

// --profile NAME, or --bit-order msb|lsb and --scan pages|columns: the
// byte layout on the command lines of convert and decode.
namespace LayoutOptions {

QList<QCommandLineOption> options();

// The layout the options give for the packing that --packing chose (or its
// default); a profile brings its own packing, which --packing, when
// `packingGiven`, must not contradict. False with a usage error.
bool parse(const QCommandLineParser &parser, bool horizontal, bool packingGiven, MatrixLayout *layout,
           QString *error);

// The options that choose `layout`: its profile's first name when one has
// it, else --packing, --bit-order and (vertical) --scan.
QStringList arguments(const MatrixLayout &layout);

} // namespace LayoutOptions
