#pragma once
// What the records need of the operating system's files beyond Qt: data
// that is on the disk before a rename makes it the file, renames that
// survive a power cut, reading nothing but regular files, and telling a
// lock that nobody holds from one that a live process keeps.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace PlatformFiles {

// Puts what was written to the open file on the disk; false when the
// system could not.
bool SyncFile(QFile& file);
// Makes the renames inside the folder survive a power cut, where the file
// system keeps them in the folder's own data. A folder that cannot be
// synced is let be.
void SyncFolder(const QString& folder);

// Puts `from` in the place of `to` in one step, whether `to` exists or not:
// whoever looks sees the old file or the new one, never neither.
bool PutInPlace(const QString& from, const QString& to);

enum class Read {
    Done,    // `out` holds the whole file
    Missing, // nothing there (a dangling link counts as there)
    Refused, // not a regular file, larger than `maxBytes`, or unreadable: `reason` says
};
// Reads a regular file whole without ever blocking on a FIFO or a device.
Read ReadRegular(const QString& path, qint64 maxBytes, QByteArray& out, QString& reason);

enum class Holder {
    Alive,   // a live process holds the lock
    None,    // nobody held it, and it has been removed
    Unknown, // it could not be told, or not removed
};
// A lock file whose content names no holder (a power cut can leave it
// empty): a live holder keeps it locked, so taking the lock proves there is
// none; then the file is removed while held.
Holder RemoveIfUnheld(const QString& path);

} // namespace PlatformFiles
