#pragma once
// Where the program meets the desktop it runs on: which tray can show its
// icon at this moment, and what the windowing platform can and cannot tell
// about windows. On Windows the notification area is always there.
//
// Trays come in two kinds. KDE Plasma, GNOME with the AppIndicator
// extension and the Wayland panels show items through the D-Bus
// StatusNotifierItem protocol: a watcher service on the session bus takes
// the items, a host (the panel) shows them. Older X11 panels (trayer,
// stalonetray, many window managers' own) embed icon windows through
// XEmbed. Qt picks one of the two once per process, when the first tray
// icon is made: on X11 the D-Bus tray only when a host is registered then,
// on every other platform always. Login autostart often starts the program
// before the panel, so the icon is made only once some tray is there.

#include <QMargins>
#include <QObject>
#include <QSize>
#include <QString>

class QDBusServiceWatcher;
class QTimer;
class QWindow;

class TvxTrayHost : public QObject {
    Q_OBJECT
public:
    explicit TvxTrayHost(QObject* parent = nullptr);

    // A StatusNotifierItem watcher with its host is on the session bus.
    bool StatusNotifierHost() const { return m_sniHost; }
    // An XEmbed tray manages the X11 screen; asked anew on every call.
    bool XEmbedTray() const;

    // Whether a tray icon made now would be shown somewhere. Outside X11 Qt
    // registers its D-Bus item whenever a watcher comes, so the icon can be
    // made at once.
    bool MayMakeIcon() const;
    // Tells which kind Qt chose for the icon just made.
    void IconMade();
    // Whether the icon made is shown by a tray now.
    bool IconShown() const;

signals:
    // A tray came or went.
    void Changed();

private slots:
    // Asks the watcher whether its host is there.
    void AskWatcher();

private:
    void SetStatusNotifierHost(bool present);
    void PollXEmbed();

    bool m_x11 = false;
    bool m_sniHost = false;
    bool m_iconMade = false;
    bool m_iconOverDBus = false;
    bool m_xembedSeen = false;
    QDBusServiceWatcher* m_watcher = nullptr;
    QTimer* m_xembedPoll = nullptr;
};

namespace Shell {

// The platform the windows live on ("xcb", "wayland", "windows", ...); a
// test's stand-in may pretend another one.
QString Platform();

// Wayland gives a client no global positions: Qt reports small made-up
// ones, which are not worth storing.
bool PositionsKnown();
// Nor does it tell a client that its window was minimised.
bool MinimiseReported();

// The window manager's frame around a window as far as it is known, in
// logical pixels; null while unknown. Until the manager has taken the window
// over there is no frame yet, and Qt may report one of negative thickness.
QMargins FrameOf(const QWindow* window);

// The window manager's frame around a window, in the pixels the program's
// layout is drawn in. A window manager draws its frame in device pixels,
// whatever the scale factor; counted in logical pixels it shrinks as the
// scale grows, and a window sized to a fixed outer size would grow by the
// difference. Counting the frame as it is counted at scale 1 keeps the
// layout's geometry at every scale.
QSize FrameForLayout(const QMargins& logicalFrame, qreal devicePixelRatio);

} // namespace Shell
