#pragma once
// Where the program keeps its records. A copy started from a folder that the
// user may write keeps them beside itself, as it always has (the portable
// copy). An installed program keeps them in the user's own data folder, so a
// system-wide install works for every user and never writes into the system.

#include <QByteArray>
#include <QString>

namespace RecordsFolder {

struct Choice {
    QString folder;              // the records folder, with a trailing '/'
    QString installedDataFolder; // the shipped data (holiday files), with a trailing '/'
    QString error;               // for the user when no records folder could be made
    QString notice;              // for the user once, when records were moved for good
    bool ok() const { return error.isEmpty(); }
};

// A folder as the paths of the records are built on it: with '/' as the
// separator and a trailing '/'.
QString WithSeparator(const QString& folder);

// A folder as the system names it, in bytes, as a path that every file
// operation of the program can take. A name that is not valid UTF-8 cannot
// pass through text unchanged; such a folder is opened once and reached
// through its descriptor for the life of the process.
QString FolderFromNative(const QByteArray& folder);
// The folder of an executable, from the path the system gives for it.
QString ExecutableFolderOf(const QByteArray& executablePath);

// The folder an installed program ships its data in, found from the
// executable's folder (<prefix>/bin -> <prefix>/share/tarvell).
QString InstalledDataFolder(const QString& executableFolder);
// An executable whose prefix holds the shipped data folder is an installed one.
bool IsInstalled(const QString& executableFolder);
// The user's own data folder for the records: "Tarvell" in the folder the
// platform keeps each user's program data in; empty when the user has none
// that is safe to use (no home, or one given relative to the current folder).
QString UserDataFolder();
// True when files can be created in the folder and replaced through a
// rename, the way every record is written. Leaves nothing behind, unless it
// is killed: see RemoveDeadProbes.
bool CanReplaceFilesIn(const QString& folder);
// Removes what CanReplaceFilesIn left in the folder when a start-up was
// killed during it; the files of a process still alive stay. Answers how
// many were removed.
int RemoveDeadProbes(const QString& folder);

// The decision: the executable's folder for a portable copy that may write
// there; otherwise the user's data folder, created when missing. Records
// beside an executable that cannot write there are never passed over: they
// are copied into a user's data folder that holds no settings file yet
// (and the choice carries a notice), or, when that cannot be done, the
// choice carries a message that says where they are. When no folder can be
// made either, the choice carries one message for the user.
Choice Choose(const QString& executableFolder, const QString& userDataFolder);
// The decision for the running program; made once, by the settings object.
Choice ForThisProgram();

// The message when the records folder cannot be made; folder empty: no home.
QString CannotMakeFolderMessage(const QString& folder);

} // namespace RecordsFolder
