#include "platform/Mutex.h"

#include <windows.h>

namespace PlatformMutex {

Named Acquire(const QString& name, void** handle) {
    *handle = nullptr;
    HANDLE mutex = CreateMutexW(nullptr, TRUE, reinterpret_cast<const wchar_t*>(name.utf16()));
    if (!mutex)
        return Named::Failed;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return Named::AlreadyExists;
    }
    *handle = mutex;
    return Named::Acquired;
}

void Release(void* handle) {
    if (!handle)
        return;
    ReleaseMutex(static_cast<HANDLE>(handle));
    CloseHandle(static_cast<HANDLE>(handle));
}

} // namespace PlatformMutex
