#include "platform/Files.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PlatformFiles {

bool SyncFile(QFile& file) {
    return file.flush() && ::fsync(file.handle()) == 0;
}

void SyncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool PutInPlace(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

Read ReadRegular(const QString& path, qint64 maxBytes, QByteArray& out, QString& reason) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(native.constData(), &st) != 0) {
        const int e = errno;
        // A dangling link is there, and a rewrite would replace the link.
        if ((e == ENOENT || e == ENOTDIR) && ::lstat(native.constData(), &st) != 0)
            return Read::Missing;
        reason = QString::fromLocal8Bit(std::strerror(e));
        return Read::Refused;
    }
    const QString notRegular = QStringLiteral("Not a regular file");
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    if (!S_ISREG(st.st_mode)) {
        reason = notRegular;
        return Read::Refused;
    }
    // Not blocking, should a FIFO have taken the file's place since the look.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return Read::Refused;
    }
    Read outcome = Read::Done;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        reason = notRegular;
        outcome = Read::Refused;
    } else if (st.st_size > maxBytes) {
        reason = tooLarge;
        outcome = Read::Refused;
    } else {
        // One byte more than the size, to see the end of a file that grows.
        QByteArray data(qsizetype(st.st_size) + 1, Qt::Uninitialized);
        qsizetype done = 0;
        for (;;) {
            if (done == data.size()) {
                if (data.size() > maxBytes) {
                    reason = tooLarge;
                    outcome = Read::Refused;
                    break;
                }
                data.resize(std::min<qsizetype>(data.size() * 2, maxBytes + 1));
            }
            const ssize_t n = ::read(fd, data.data() + done, size_t(data.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                reason = QString::fromLocal8Bit(std::strerror(errno));
                outcome = Read::Refused;
                break;
            }
            if (n == 0)
                break;
            done += n;
        }
        if (outcome == Read::Done) {
            data.truncate(done);
            out = std::move(data);
        }
    }
    ::close(fd);
    return outcome;
}

Holder RemoveIfUnheld(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Holder::Unknown;
    Holder holder = Holder::Alive;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        holder = ::unlink(native.constData()) == 0 ? Holder::None : Holder::Unknown;
    ::close(fd);
    return holder;
}

} // namespace PlatformFiles
