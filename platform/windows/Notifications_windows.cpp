#include "platform/Notifications.h"

#include "platform/Platform.h"

#include <QPointer>
#include <QSystemTrayIcon>

namespace {
QPointer<QSystemTrayIcon> g_icon;
} // namespace

namespace PlatformNotify {

bool Send(const QString& summary, const QString& body) {
    if (const TvxPlatformStandIn* standIn = PlatformStandIn::Current(); standIn && standIn->Notify)
        return standIn->Notify(summary, body);
    if (!g_icon || !g_icon->isVisible())
        return false;
    g_icon->showMessage(summary, body, QSystemTrayIcon::Information);
    return true;
}

void SetTrayIcon(QSystemTrayIcon* icon) {
    g_icon = icon;
}

} // namespace PlatformNotify
