#pragma once

#include <functional>

// Runs the event loop as the program does until `done` holds or the time is
// up, and says whether it holds; QTRY_ and qWait sleep 10 ms at a time and
// would stretch every pause of a send.
bool spinUntil(const std::function<bool()> &done, int timeoutMs = 10000);
