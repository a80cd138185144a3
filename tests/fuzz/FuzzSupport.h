#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target needs: libFuzzer and the replay call the targets
// from a main of their own, so the first input creates the application that
// Qt Gui and Widgets need, headless.
namespace FuzzSupport {

void ensureApplication();

// The input as bytes (a deep copy: the target may keep or change it).
QByteArray bytes(const uint8_t *data, size_t size);

// Ends the process with `what` on standard error when a promise is broken:
// libFuzzer and the replay both count that as a crash.
void check(bool holds, const char *what);

} // namespace FuzzSupport
