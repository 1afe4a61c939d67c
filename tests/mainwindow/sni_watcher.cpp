// A stand-in for the tray host of KDE, GNOME's AppIndicator extension and
// the Wayland panels: it owns the StatusNotifierWatcher name on the session
// bus, says a host is there, and prints one line for every item that
// registers ("ITEM <service> <path>"). It prints "READY" once it owns the
// name and ends when its standard input closes.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QSocketNotifier>
#include <QStringList>
#include <cstdio>
#include <unistd.h>

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

} // namespace

class Watcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER m_items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public slots:
    void RegisterStatusNotifierItem(const QString& serviceOrPath) {
        // Qt sends its connection's name; others send an object path.
        const bool path = serviceOrPath.startsWith(QLatin1Char('/'));
        const QString service = path ? message().service() : serviceOrPath;
        const QString object = path ? serviceOrPath : QStringLiteral("/StatusNotifierItem");
        m_items << service + object;
        say(QStringLiteral("ITEM %1 %2").arg(service, object));
        emit StatusNotifierItemRegistered(service + object);
    }
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierHostRegistered();

private:
    QStringList m_items;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        say(QStringLiteral("NO BUS"));
        return 1;
    }
    Watcher watcher;
    bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                           QDBusConnection::ExportAllProperties);
    if (!bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        say(QStringLiteral("TAKEN"));
        return 1;
    }
    // A host that comes after the watcher announces itself; this one is both.
    emit watcher.StatusNotifierHostRegistered();
    say(QStringLiteral("READY"));
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            QCoreApplication::quit();
    });
    return app.exec();
}

#include "sni_watcher.moc"
