#pragma once
// The per-user mark of a running instance. The lock file lives in the
// user's runtime folder (not a world-writable shared one) and names the
// process that holds it, so a crashed instance never leaves it stale; nor
// does a power cut that leaves it empty or garbled: a lock with no live
// holder is taken over, whatever it holds.

#include <QString>
#include <functional>
#include <memory>

class QFileSystemWatcher;
class QLockFile;

class InstanceGuard {
public:
    enum class Result {
        Acquired,      // this is the only instance; the mark is held until destruction
        AlreadyExists, // another live process holds the mark
        Failed,        // the mark could not be made at all
        Unusable,      // something that is no lock file (a folder) is in its place
    };

    // folder: where the lock lives; empty means the per-user runtime folder.
    explicit InstanceGuard(const QString& name, const QString& folder = QString());
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    Result acquire();
    QString lockPath() const { return m_path; }

    // A second copy asks the one that holds the mark to come to the front
    // (as a launcher expects of a single-instance program); false when the
    // request could not be left.
    bool requestActivation() const;
    // The holder hears of such requests, in its event loop, from now on.
    void watchActivation(std::function<void()> onRequest);

    static QString defaultFolder();

private:
    QString m_path;
    QString activationPath() const;

    QString m_name;
    bool m_perUser = false; // the mark of a running copy, not a lock beside the records
    void* m_mutex = nullptr;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
};
