#include "platform/Mutex.h"

namespace PlatformMutex {

Named Acquire(const QString&, void** handle) {
    *handle = nullptr;
    return Named::Unsupported;
}

void Release(void*) {}

} // namespace PlatformMutex
