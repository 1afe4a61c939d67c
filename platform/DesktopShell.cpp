#include "platform/DesktopShell.h"

#include "platform/Platform.h"

#include <QGuiApplication>
#include <QWindow>
#include <cmath>

namespace Shell {

QString Platform() {
    if (const TvxPlatformStandIn* standIn = PlatformStandIn::Current();
        standIn && !standIn->WindowSystem.isEmpty())
        return standIn->WindowSystem;
    return QGuiApplication::platformName();
}

bool PositionsKnown() {
    return !Platform().startsWith(QLatin1String("wayland"));
}

bool MinimiseReported() {
    return !Platform().startsWith(QLatin1String("wayland"));
}

QMargins FrameOf(const QWindow* window) {
    if (!window)
        return {};
    const QMargins m = window->frameMargins();
    if (m.left() < 0 || m.top() < 0 || m.right() < 0 || m.bottom() < 0)
        return {};
    return m;
}

QSize FrameForLayout(const QMargins& logicalFrame, qreal devicePixelRatio) {
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    return QSize(int(std::lround((logicalFrame.left() + logicalFrame.right()) * dpr)),
                 int(std::lround((logicalFrame.top() + logicalFrame.bottom()) * dpr)));
}

} // namespace Shell
