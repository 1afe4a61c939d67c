#include "platform/Notifications.h"

#include "platform/Platform.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>

namespace PlatformNotify {

bool Send(const QString& summary, const QString& body) {
    if (const TvxPlatformStandIn* standIn = PlatformStandIn::Current(); standIn && standIn->Notify)
        return standIn->Notify(summary, body);
    // The freedesktop notification service, which every desktop with a D-Bus
    // tray runs.
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(service).value())
        return false;
    QDBusMessage notify =
        QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/Notifications"),
                                       service, QStringLiteral("Notify"));
    const QString appId = QStringLiteral("io.github.tarvell.Tarvell");
    notify << QStringLiteral("Tarvell") << uint(0) << appId << summary << body << QStringList()
           << QVariantMap{{QStringLiteral("desktop-entry"), appId}} << int(-1);
    return bus.send(notify);
}

void SetTrayIcon(QSystemTrayIcon*) {}

} // namespace PlatformNotify
