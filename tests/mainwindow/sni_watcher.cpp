// A stand-in for the tray host of KDE, GNOME's AppIndicator extension and
// the Wayland panels: it owns the StatusNotifierWatcher name on the session
// bus, says a host is there, and prints one line for every item that
// registers ("ITEM <service> <path>") or goes ("GONE <service>"). It prints
// "READY" once it owns the name and ends when its standard input closes.
//
//   sni_watcher            watcher and host on the bus of the environment

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
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
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit Watcher(QDBusConnection bus) : m_bus(bus) {
        m_owners.setConnection(bus);
        m_owners.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
        connect(&m_owners, &QDBusServiceWatcher::serviceUnregistered, this,
                [this](const QString& service) {
                    for (qsizetype i = m_items.size() - 1; i >= 0; --i)
                        if (m_items[i].startsWith(service + QLatin1Char('/'))) {
                            const QString item = m_items.takeAt(i);
                            emit StatusNotifierItemUnregistered(item);
                        }
                    m_owners.removeWatchedService(service);
                    say(QStringLiteral("GONE ") + service);
                });
    }

    QStringList items() const { return m_items; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public slots:
    void RegisterStatusNotifierItem(const QString& serviceOrPath) {
        // Qt sends its connection's name; others send an object path.
        QString service = serviceOrPath;
        QString path = QStringLiteral("/StatusNotifierItem");
        if (serviceOrPath.startsWith(QLatin1Char('/'))) {
            service = message().service();
            path = serviceOrPath;
        }
        const QString item = service + path;
        if (!m_items.contains(item))
            m_items << item;
        m_owners.addWatchedService(service);
        say(QStringLiteral("ITEM %1 %2").arg(service, path));
        emit StatusNotifierItemRegistered(item);
    }
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierItemUnregistered(const QString& item);
    void StatusNotifierHostRegistered();

private:
    QDBusConnection m_bus;
    QDBusServiceWatcher m_owners;
    QStringList m_items;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        say(QStringLiteral("NO BUS"));
        return 1;
    }
    Watcher watcher(bus);
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
