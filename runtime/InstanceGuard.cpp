#include "runtime/InstanceGuard.h"

#include "platform/Files.h"
#include "platform/Mutex.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdlib>

InstanceGuard::InstanceGuard(const QString& name, const QString& folder)
    : m_name(name), m_perUser(folder.isEmpty()) {
    const QString dir = folder.isEmpty() ? defaultFolder() : folder;
    m_path = QDir(dir).filePath(name + QStringLiteral(".lock"));
}

InstanceGuard::~InstanceGuard() {
    // QLockFile releases its lock itself.
    PlatformMutex::Release(m_mutex);
}

// Beside the mark, in the same per-user folder: only this user's copies
// can ask, and a request never reaches another user's program.
QString InstanceGuard::activationPath() const {
    QString path = m_path;
    path.chop(int(qstrlen(".lock")));
    return path + QStringLiteral(".activate");
}

bool InstanceGuard::requestActivation() const {
    // Written in place, not replaced: the holder watches this very file.
    QDir().mkpath(QFileInfo(activationPath()).absolutePath());
    QFile file(activationPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray stamp = QByteArray::number(QDateTime::currentMSecsSinceEpoch());
    return file.write(stamp) == stamp.size();
}

void InstanceGuard::watchActivation(std::function<void()> onRequest) {
    const QString path = activationPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.exists() && !file.open(QIODevice::WriteOnly))
        return;
    file.close();
    m_watcher = std::make_unique<QFileSystemWatcher>(QStringList{path});
    QFileSystemWatcher* watcher = m_watcher.get();
    QObject::connect(watcher, &QFileSystemWatcher::fileChanged, watcher,
                     [watcher, path, onRequest = std::move(onRequest)] {
                         // A cleaned runtime folder took the file away: that
                         // is no request, but the next one needs a file.
                         if (!QFileInfo::exists(path)) {
                             QFile again(path);
                             if (again.open(QIODevice::WriteOnly))
                                 watcher->addPath(path);
                             return;
                         }
                         if (!watcher->files().contains(path))
                             watcher->addPath(path);
                         onRequest();
                     });
}

QString InstanceGuard::defaultFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    return dir;
}

namespace {

// A copy that is creating its lock has the file for a moment before it
// writes its number into it; a lock younger than this is left alone.
constexpr qint64 kCreationGraceMs = 5000;

} // namespace

InstanceGuard::Result InstanceGuard::acquire() {
    if (m_mutex || (m_lock && m_lock->isLocked()))
        return Result::Acquired;
    // The running copy's mark is the system's named mutex where there is one.
    if (m_perUser) {
        switch (PlatformMutex::Acquire(m_name, &m_mutex)) {
        case PlatformMutex::Named::Acquired:
            return Result::Acquired;
        case PlatformMutex::Named::AlreadyExists:
            return Result::AlreadyExists;
        case PlatformMutex::Named::Failed:
            return Result::Failed;
        case PlatformMutex::Named::Unsupported:
            break;
        }
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_lock = std::make_unique<QLockFile>(m_path);
        // A running instance may hold the lock for months: never treat it as
        // stale by age. A lock whose process has died is still taken over.
        m_lock->setStaleLockTime(0);
        if (m_lock->tryLock(0))
            return Result::Acquired;
        if (m_lock->error() != QLockFile::LockFailedError)
            return Result::Failed;

        // Something is in the lock's place that QLockFile would not take.
        const QFileInfo info(m_path);
        if (info.isSymLink() || !info.isFile())
            return Result::Unusable;
        qint64 pid = 0;
        QString host;
        QString app;
        // A readable lock is QLockFile's to judge: it found its holder alive.
        // Unless the holder it names is this very process, which holds no
        // lock yet: a dead copy's number given to this one anew, as process
        // numbers start again after a restart of the system.
        const bool readable = m_lock->getLockInfo(&pid, &host, &app);
        if (readable && pid != QCoreApplication::applicationPid())
            return Result::AlreadyExists;
        const QDateTime modified = info.lastModified();
        if (!readable &&
            std::abs(modified.msecsTo(QDateTime::currentDateTime())) < kCreationGraceMs)
            return Result::AlreadyExists;
        switch (PlatformFiles::RemoveIfUnheld(m_path)) {
        case PlatformFiles::Holder::Alive:
            return Result::AlreadyExists;
        case PlatformFiles::Holder::Unknown:
            return Result::Unusable;
        case PlatformFiles::Holder::None:
            break; // taken over on the next round
        }
    }
    return Result::AlreadyExists;
}
