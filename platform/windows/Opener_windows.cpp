#include "platform/Opener.h"

#include <windows.h>

#include <shellapi.h>

namespace PlatformShell {

bool OpenAddress(const QString& url, std::function<void()>) {
    // The shell's "open" starts the default browser and answers at once;
    // anything above 32 means it was handed over.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(url.utf16()), nullptr,
                      nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace PlatformShell
