#include "platform/DesktopShell.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QTimer>

#if TARVELL_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

// The screen number of the X display, as DISPLAY names it (":0.1" is screen 1).
int x11ScreenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype colon = display.lastIndexOf(':');
    const qsizetype dot = display.lastIndexOf('.');
    return colon >= 0 && dot > colon ? display.mid(dot + 1).toInt() : 0;
}

} // namespace

TvxTrayHost::TvxTrayHost(QObject* parent)
    : QObject(parent), m_x11(Shell::Platform() == QLatin1String("xcb")) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        m_watcher = new QDBusServiceWatcher(kWatcherService, bus,
                                            QDBusServiceWatcher::WatchForRegistration |
                                                QDBusServiceWatcher::WatchForUnregistration,
                                            this);
        connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &TvxTrayHost::AskWatcher);
        connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
                [this] { SetStatusNotifierHost(false); });
        // A panel that starts after the watcher (Plasma after kded) registers
        // its host later; the watcher announces it.
        bus.connect(kWatcherService, kWatcherPath, kWatcherService,
                    QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(AskWatcher()));
        AskWatcher();
    }
    m_xembedSeen = XEmbedTray();
    if (m_x11) {
        // Nothing announces an XEmbed tray to a program that has no icon yet:
        // look now and then until the icon is made.
        m_xembedPoll = new QTimer(this);
        m_xembedPoll->setInterval(2000);
        connect(m_xembedPoll, &QTimer::timeout, this, &TvxTrayHost::PollXEmbed);
        if (!MayMakeIcon())
            m_xembedPoll->start();
    }
}

void TvxTrayHost::AskWatcher() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.interface() || !bus.interface()->isServiceRegistered(kWatcherService)) {
        SetStatusNotifierHost(false);
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    // The watcher is another process; a hung one must not hang the program.
    const QDBusMessage reply = bus.call(get, QDBus::Block, 3000);
    const bool host =
        reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
        qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
    SetStatusNotifierHost(host);
}

void TvxTrayHost::SetStatusNotifierHost(bool present) {
    if (m_sniHost == present)
        return;
    m_sniHost = present;
    emit Changed();
}

void TvxTrayHost::PollXEmbed() {
    const bool seen = XEmbedTray();
    if (seen == m_xembedSeen)
        return;
    m_xembedSeen = seen;
    emit Changed();
}

bool TvxTrayHost::XEmbedTray() const {
    if (!m_x11)
        return false;
#if TARVELL_HAVE_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return false;
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(x11ScreenNumber());
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.constData()), nullptr);
    if (!atom)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
    const bool managed = owner && owner->owner != XCB_NONE;
    free(owner);
    free(atom);
    return managed;
#else
    // Without a way to ask, assume the tray is there, as X11 desktops have one.
    return true;
#endif
}

bool TvxTrayHost::MayMakeIcon() const {
    return !m_x11 || m_sniHost || XEmbedTray();
}

void TvxTrayHost::IconMade() {
    m_iconMade = true;
    m_iconOverDBus = !m_x11 || m_sniHost;
    if (m_xembedPoll)
        m_xembedPoll->stop();
}

bool TvxTrayHost::IconShown() const {
    if (!m_iconMade)
        return false;
    return m_iconOverDBus ? m_sniHost : XEmbedTray();
}
