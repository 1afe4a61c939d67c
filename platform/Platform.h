#pragma once
// The one seam through which a test replaces what the platform would say or
// do: which windowing system the windows live on, whether a tray shows the
// icon, and where a notification goes. Everything left unset is the real
// platform's.

#include <QString>
#include <functional>

struct TvxPlatformStandIn {
    // "xcb", "wayland", "offscreen"...; empty: the real one.
    QString WindowSystem;
    // -1: ask the real tray; 0 or 1: no tray, or one that shows the icon.
    int TrayShown = -1;
    // Where a notification goes instead of the desktop's service; true when
    // it was taken.
    std::function<bool(const QString& summary, const QString& body)> Notify;
};

namespace PlatformStandIn {

// The stand-in in force, or null for the real platform. The caller keeps it
// alive until it is replaced.
const TvxPlatformStandIn* Current();
void Set(const TvxPlatformStandIn* standIn);

} // namespace PlatformStandIn
