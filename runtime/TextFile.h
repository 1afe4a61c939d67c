#pragma once
// Text files in the CP949 code page, the encoding of every file the program
// keeps. Reading never fails; writing never loses a character silently and
// never leaves a half-written file behind.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace Cp949 {

// Undecodable bytes become replacement characters; never fails.
QString decode(const QByteArray& bytes);
// Encodes text that is known to be representable (see unencodable()).
QByteArray encode(const QString& text);
// The characters of text that CP949 cannot hold, each listed once, in order.
QString unencodable(const QString& text);
// The Korean message that refuses a write of such characters.
QString unencodableMessage(const QString& characters, const QString& path);

} // namespace Cp949

namespace TextFile {

enum class ErrorKind {
    UnableToWrite, // settings-form files: "Unable to write to %s"
    CannotCreate,  // log and pledge: "Cannot create file "%s". %s"
};

// Whole file as raw bytes; an empty array when it is missing or unreadable.
QByteArray readBytes(const QString& path, bool* exists = nullptr);
// How many files this process has opened for reading: lets tests prove
// that the once-a-second clock leaves the disk alone.
qint64 readCount();

// Replaces the file through a temporary file in the same folder and an
// atomic rename: after any failure the previous file is intact. Throws
// EFileError with the message of the given kind.
void saveBytes(const QString& path, const QByteArray& bytes, ErrorKind kind);

// What a save calls to force the new content to the disk before the rename:
// fsync(2), answering 0 or -1 with errno set. Tests replace it to watch which
// file is synced and when, or to make the sync fail; an empty one restores fsync.
using SyncFunction = std::function<int(int fd)>;
void SetSyncFunction(SyncFunction sync);

// Lines of a CP949 file; a line ends at CR, LF or CR LF.
QStringList readLines(const QString& path);
// Each line followed by CR LF. Throws EFileError, also for characters that
// CP949 cannot hold; the file then keeps its previous content.
void writeLines(const QString& path, const QStringList& lines, ErrorKind kind);
// The whole text, as it stands (no line end added).
QString readText(const QString& path);
void writeText(const QString& path, const QString& text, ErrorKind kind);

// Splits text at CR, LF or CR LF.
QStringList splitLines(const QString& text);

} // namespace TextFile
