#pragma once
// The few desktop services the non-GUI core needs: the shell's "open" of a
// web address and a warning message box. The GUI installs the real ones at
// start-up; until then (and in tests) they are quiet stand-ins.

#include <QString>
#include <functional>

namespace Desktop {

using OpenUrlHandler = std::function<bool(const QString& url)>;
using WarningHandler = std::function<void(const QString& title, const QString& text)>;
using OpenFailedHandler = std::function<void(const QString& url)>;

// Asks the desktop to open the address in the default browser, without
// waiting for the browser. An opener that cannot start answers false; that,
// and an opener that reports a failure later, reaches the open-failed
// handler, so the user learns the address all the same.
bool OpenUrl(const QString& url);
// The platform's own opener ("xdg-open" on Linux desktops): true once it is
// started; its failure, now or when it ends, is reported as above.
bool OpenWithShell(const QString& url);
void ReportOpenFailure(const QString& url);
// A warning with a single OK button.
void ShowWarning(const QString& title, const QString& text);

// Install handlers; an empty function restores the stand-in.
void SetOpenUrlHandler(OpenUrlHandler handler);
void SetWarningHandler(WarningHandler handler);
void SetOpenFailedHandler(OpenFailedHandler handler);

} // namespace Desktop
