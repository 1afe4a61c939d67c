#include "platform/Folders.h"

#include <QFile>
#include <QHash>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace PlatformFolders {

QByteArray ExecutablePath() {
    QByteArray link(4096, Qt::Uninitialized);
    const ssize_t n = ::readlink("/proc/self/exe", link.data(), size_t(link.size()));
    return n > 0 && n < link.size() ? link.left(n) : QByteArray();
}

QString Reachable(const QByteArray& folder) {
    const QString decoded = QFile::decodeName(folder);
    if (QFile::encodeName(decoded) == folder)
        return decoded;
    // Kept open for the life of the process: the path below leads through it.
    static QHash<QByteArray, QString> opened;
    if (const auto it = opened.constFind(folder); it != opened.constEnd())
        return *it;
    const int fd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);
        opened.insert(folder, path);
        return path;
    }
    return decoded;
}

QString UserDataBase() {
    const QByteArray xdg = qgetenv("XDG_DATA_HOME");
    if (xdg.startsWith('/'))
        return Reachable(xdg);
    // Without a home (or with a relative one) records would belong to no
    // one, or to the current folder.
    const QByteArray home = qgetenv("HOME");
    if (!home.startsWith('/'))
        return QString();
    return Reachable(home) + QStringLiteral("/.local/share");
}

bool ProcessAlive(qint64 pid) {
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace PlatformFolders
