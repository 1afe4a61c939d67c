#include "platform/Files.h"

#include <QFile>
#include <QFileInfo>

#include <io.h>
#include <windows.h>

namespace PlatformFiles {

int SyncHandle(int handle) {
    const auto h = reinterpret_cast<HANDLE>(_get_osfhandle(handle));
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    return FlushFileBuffers(h) ? 0 : -1;
}

void SyncFolder(const QString&) {
    // NTFS journals a rename with the file's own metadata; there is no folder
    // to flush.
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
