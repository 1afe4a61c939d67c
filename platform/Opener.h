#pragma once
// The desktop's own way to open an address in the user's browser.

#include <QString>
#include <functional>

namespace PlatformShell {

// Hands the address to the desktop without waiting for the browser; true
// once that was done. `failed` runs later, in the event loop, should the
// desktop's opener report that it could not open it.
bool OpenAddress(const QString& url, std::function<void()> failed);

} // namespace PlatformShell
