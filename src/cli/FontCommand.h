#pragma once

#include <QStringList>

// `tavrel font SOURCE --size PX --chars LIST --form table|proportional|gfx|bdf
// [--fixed WxH] [--profile NAME] [--template c|asm|bin] [--name NAME] [--out FILE]`:
// glyph arrays for firmware from an installed family or a font file.
// `tavrel font --render FILE --text TEXT --out PNG` draws a line with a
// generated font file; `tavrel font --list-fonts` lists installed families.
// Needs a QGuiApplication (the offscreen platform will do).
namespace FontCommand {

int run(const QStringList &arguments);

} // namespace FontCommand
