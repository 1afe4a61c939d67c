#pragma once
// The system's own mark of a running program: a named mutex, created with
// initial ownership, whose "already exists" tells of another copy. Where
// the system has none that fits (Linux), a lock file serves instead.

#include <QString>

namespace PlatformMutex {

enum class Named {
    Unsupported,   // no named mutex here: use the lock file
    Acquired,      // held until Release or the end of the process
    AlreadyExists, // another process made it first
    Failed,        // it could not be made
};
Named Acquire(const QString& name, void** handle);
void Release(void* handle);

} // namespace PlatformMutex
