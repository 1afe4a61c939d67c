#pragma once
// Text files in the CP949 code page, the encoding of every file the program
// keeps. Reading never fails; writing never loses a character silently and
// never leaves a half-written file behind.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>

namespace Cp949 {

// Undecodable bytes become replacement characters; never fails.
QString decode(const QByteArray& bytes);
// Encodes text that is known to be representable (see unencodable()).
QByteArray encode(const QString& text);
// The characters of text that CP949 cannot hold, each listed once, in order.
QString unencodable(const QString& text);
// The Korean message that refuses a write of such characters.
QString unencodableMessage(const QString& characters, const QString& path);
// Whether every byte pairs up as the code page's single- and double-byte
// characters do (a lead byte of 0x81 to 0xFE followed by a trail byte of its
// range); a lone lead byte, 0x80 or 0xFF makes the bytes ill-formed.
bool isWellFormed(QByteArrayView bytes);

} // namespace Cp949

namespace TextFile {

enum class ErrorKind {
    UnableToWrite, // settings-form files: "Unable to write to %s"
    CannotCreate,  // log and pledge: "Cannot create file "%s". %s"
};

// Files edited by hand on Linux are mostly UTF-8. A file is read as UTF-8
// when it starts with the UTF-8 byte-order mark, or when its bytes are not
// well-formed CP949 but are well-formed UTF-8; as CP949 otherwise. Writes
// always store CP949.
enum class Encoding { Cp949, Utf8 };
Encoding detect(QByteArrayView bytes, qsizetype* bomSize = nullptr);
// The text of a file's bytes, read by the encoding detect() finds; the
// byte-order mark is not part of the text.
QString decode(QByteArrayView bytes);
bool isWellFormedUtf8(QByteArrayView bytes);

// Only regular files are read, and none larger than any record could grow
// (128 MiB): a FIFO would block the program, a link to a device never end.
// Whole file as raw bytes; an empty array when it is missing or unreadable.
QByteArray readBytes(const QString& path, bool* exists = nullptr);
// The bytes a rewrite of the file starts from: empty when the file is
// missing. A file that is there but cannot be read whole (a directory, FIFO
// or device in its place, no permission, a read error) throws EFileError of
// the given kind, since a rewrite from nothing would destroy what it holds.
QByteArray readForUpdate(const QString& path, ErrorKind kind);
// How many files this process has opened for reading: lets tests prove
// that the once-a-second clock leaves the disk alone.
qint64 readCount();

// The replacement of a file, written in full and synced to the disk in a
// temporary file beside it, not yet in place. Several of them let a change
// that spans files be written out before any file is replaced. A failure
// throws EFileError with the message of the given kind and leaves nothing
// behind; a replacement that is never committed is removed again.
class PendingSave {
public:
    PendingSave(const QString& path, const QByteArray& bytes, ErrorKind kind);
    ~PendingSave();
    PendingSave(const PendingSave&) = delete;
    PendingSave& operator=(const PendingSave&) = delete;

    // Puts the new content in place by an atomic rename and syncs the folder,
    // so that the rename itself survives a power loss.
    void commit();
    // Puts several in place as one change. Once all are written, a journal
    // that names them is put in the folder first; from then on the change
    // is decided: a process killed part-way leaves it for
    // finishInterruptedChange() to complete. A rename that fails ends the
    // change where it stands and throws; the saves committed before it stay
    // committed (see isCommitted()), for the caller to put back.
    static void commitTogether(const QString& folder, std::initializer_list<PendingSave*> saves);
    bool isCommitted() const { return m_committed; }
    QString temporaryPath() const { return m_temp; }

private:
    [[noreturn]] void fail(const QString& reason);

    QString m_path;   // as the caller named it, for messages
    QString m_target; // the file actually replaced (a link's target)
    QString m_temp;
    ErrorKind m_kind;
    bool m_done = false;
    bool m_committed = false;
};

// Replaces the file through a PendingSave: after any failure the previous
// file is intact. Throws EFileError with the message of the given kind.
void saveBytes(const QString& path, const QByteArray& bytes, ErrorKind kind);

// What a save calls, in place of the platform's own sync, to force the new
// content to the disk before the rename: 0 when done, -1 with errno set.
// Tests put one in to watch which file is synced and when, or to make the
// sync fail; an empty one restores the platform's.
using SyncFunction = std::function<int(int fd)>;
void SetSyncFunction(SyncFunction sync);

// No file a save writes grows past `bytes` (negative: no limit), as under
// the size limit that Unix sets a process and Windows has not: tests make a
// disk that fills up with it there.
void SetSizeLimit(qint64 bytes);

// Completes a change of several files (PendingSave::commitTogether) that a
// killed process left in the folder; only while no other process can be
// saving there, and before removeLeftovers(). Answers false when it could
// not, and then the temporary files must stay for a later try.
bool finishInterruptedChange(const QString& folder);

// Called at every step of a save that a kill could interrupt: after the
// temporary file is made, written, synced, renamed, and the folder synced.
// The crash test aims its kills with it; an empty one removes it.
void SetStepHook(std::function<void()> hook);

// Whether a file name is one of the temporary files that saves make
// ("<file name>.~tarvell.<six letters or digits>"), left behind only when
// the process died during a save.
bool isLeftover(const QString& fileName);
// Removes such leftovers from a folder; only while no other process can be
// saving there. Answers how many were removed.
int removeLeftovers(const QString& folder);

// Lines of a file; a line ends at CR, LF or CR LF. Each line is decoded on
// its own (see detect()), so a log that an editor saved as UTF-8 and the
// program then continued in CP949 reads right throughout.
QStringList readLines(const QString& path);
// Each line followed by CR LF. Throws EFileError, also for characters that
// CP949 cannot hold; the file then keeps its previous content.
void writeLines(const QString& path, const QStringList& lines, ErrorKind kind);
// The whole text, as it stands (no line end added).
QString readText(const QString& path);
void writeText(const QString& path, const QString& text, ErrorKind kind);
// CP949 bytes of text; throws EFileError naming the characters it cannot hold.
QByteArray checkedEncode(const QString& path, const QString& text);

// Splits text at CR, LF or CR LF.
QStringList splitLines(const QString& text);

} // namespace TextFile
