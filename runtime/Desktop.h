#pragma once
// The few desktop services the non-GUI core needs: the shell's "open" of a
// web address and a warning message box. The GUI installs the real ones at
// start-up; until then (and in tests) they are quiet stand-ins.

#include <QString>
#include <functional>

namespace Desktop {

using OpenUrlHandler = std::function<bool(const QString& url)>;
using WarningHandler = std::function<void(const QString& title, const QString& text)>;

// Asks the desktop to open the address in the default browser; the result
// is only informative.
bool OpenUrl(const QString& url);
// A warning with a single OK button.
void ShowWarning(const QString& title, const QString& text);

// Install handlers; an empty function restores the stand-in.
void SetOpenUrlHandler(OpenUrlHandler handler);
void SetWarningHandler(WarningHandler handler);

} // namespace Desktop
