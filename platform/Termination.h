#pragma once
// A request to end the program from outside (the session ending, the system
// shutting down, Ctrl+C in a terminal) reaches the event loop like the quit
// command, so that what is saved on the way out is saved.

#include <functional>

class QObject;

namespace PlatformProcess {

// `ended` runs in the event loop of `context` at each such request. Safe to
// call more than once: only the first call installs anything.
void OnTermination(QObject* context, std::function<void()> ended);

} // namespace PlatformProcess
