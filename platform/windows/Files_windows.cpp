#include "platform/Files.h"

#include <QFile>
#include <QFileInfo>

#include <windows.h>

namespace PlatformFiles {

bool SyncFile(QFile& file) {
    if (!file.flush())
        return false;
    // Qt keeps the file's own handle to itself; a second handle for writing
    // flushes the same file's buffers to the disk.
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(file.fileName().utf16()), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const bool done = FlushFileBuffers(h) != 0;
    CloseHandle(h);
    return done;
}

void SyncFolder(const QString&) {
    // NTFS journals a rename with the file's own metadata; there is no folder
    // to flush.
}

bool PutInPlace(const QString& from, const QString& to) {
    // Write-through: the call returns once the move is on the disk.
    return MoveFileExW(reinterpret_cast<const wchar_t*>(from.utf16()),
                       reinterpret_cast<const wchar_t*>(to.utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

namespace {
QString systemReason(const QFile& f) {
    const QString reason = f.errorString();
    return reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
}
} // namespace

Read ReadRegular(const QString& path, qint64 maxBytes, QByteArray& out, QString& reason) {
    QFile f(path);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return Read::Missing;
    if (!info.isFile() || info.size() > maxBytes || !f.open(QIODevice::ReadOnly)) {
        reason = systemReason(f);
        return Read::Refused;
    }
    out = f.read(maxBytes + 1);
    if (f.error() != QFileDevice::NoError || out.size() > maxBytes) {
        out.clear();
        reason = systemReason(f);
        return Read::Refused;
    }
    return Read::Done;
}

Holder RemoveIfUnheld(const QString& path) {
    // A live holder keeps its lock file open without sharing delete: the
    // removal fails while it lives.
    return QFile::remove(path) ? Holder::None : Holder::Alive;
}

} // namespace PlatformFiles
