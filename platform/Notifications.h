#pragma once
// A short message to the user from a program that rests in the tray.

#include <QString>

class QSystemTrayIcon;

namespace PlatformNotify {

// Shows the message the desktop's way: its notification service on Linux,
// the tray icon's balloon on Windows. Where the desktop has no way, nothing
// is shown (a window of our own popping up over the user's work would be
// worse than no word at all) and the answer is false. A test's stand-in
// takes the message instead.
bool Send(const QString& summary, const QString& body);
// The icon whose balloon carries the messages where the tray is the way.
void SetTrayIcon(QSystemTrayIcon* icon);

} // namespace PlatformNotify
