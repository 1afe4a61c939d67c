#include "runtime/InstanceGuard.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

InstanceGuard::InstanceGuard(const QString& name, const QString& folder) {
    const QString dir = folder.isEmpty() ? defaultFolder() : folder;
    m_path = QDir(dir).filePath(name + QStringLiteral(".lock"));
}

InstanceGuard::~InstanceGuard() = default; // QLockFile releases the lock

QString InstanceGuard::defaultFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    return dir;
}

InstanceGuard::Result InstanceGuard::acquire() {
    if (m_lock && m_lock->isLocked())
        return Result::Acquired;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_path);
    // A running instance may hold the lock for months: never treat it as
    // stale by age. A lock whose process has died is still taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Result::Acquired;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        return Result::AlreadyExists;
    default:
        return Result::Failed;
    }
}
