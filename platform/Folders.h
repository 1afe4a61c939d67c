#pragma once
// Where the operating system keeps things for the records folder: the
// program's own path as the system gives it, the user's data folder, folders
// whose names are no text, and whether a process still lives.

#include <QByteArray>
#include <QString>

namespace PlatformFolders {

// The running program's path in the system's own bytes (Qt's text of it
// loses every byte that is no UTF-8); empty where the system does not say.
QByteArray ExecutablePath();
// A path that reaches the folder named by these bytes, also when they are
// no text in the locale's encoding.
QString Reachable(const QByteArray& folder);
// The folder below which each user's program data lives (the user's
// "~/.local/share" by the XDG rules, %LOCALAPPDATA% on Windows); empty when
// the user has none that is safe to use.
QString UserDataBase();
// Whether a process of this number still runs (for another user too).
bool ProcessAlive(qint64 pid);

} // namespace PlatformFolders
