// The tray as KDE Plasma, GNOME's AppIndicator extension and the Wayland
// panels show it: a StatusNotifierItem with its menu over D-Bus, here taken
// by a watcher of the test's own on a session bus of its own, on an X11
// display without any XEmbed tray. The test runs itself under xvfb-run and
// dbus-run-session; without them every case skips.

#include "core/ProjectInfo.h"
#include "mainwindow/Application.h"
#include "mainwindow/ModifyDateTime.h"
#include "mainwindow/main.h"
#include "platform/DesktopShell.h"
#include "platform/Notifications.h"
#include "runtime/Desktop.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/mainwindow/MainWindowBench.h"
#include "widgets/ErrorBox.h"
#include "widgets/vxImgBtn.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>
#include <csignal>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

using DialogDriver::click;

using TestSupport::Part;

namespace {

const TDateTime kNow = EncodeDateTime(2026, 12, 8, 12, 43, 15);
constexpr int kWait = 60000;

// Runs the event loop until something ends it; the guard ends it with 7.
int runLoop(std::function<void()> start) {
    QTimer::singleShot(0, qApp, std::move(start));
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(kWait);
    return QCoreApplication::exec();
}

// Lets every event queued so far be handled.
void settle() {
    bool done = false;
    QTimer::singleShot(0, qApp, [&] { done = true; });
    QTRY_VERIFY_WITH_TIMEOUT(done, kWait);
}

// The menu entries of a dbusmenu layout by caption, with "&" for the "_"
// the protocol marks the access key with.
void collectIds(const QDBusArgument& arg, QMap<QString, int>& ids) {
    int id = 0;
    QVariantMap properties;
    arg.beginStructure();
    arg >> id >> properties;
    if (QString label = properties.value(QStringLiteral("label")).toString(); !label.isEmpty())
        ids[label.replace(u'_', u'&')] = id;
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        collectIds(qvariant_cast<QDBusArgument>(child.variant()), ids);
    }
    arg.endArray();
    arg.endStructure();
}

// The desktop's notification service, as far as the program speaks to it.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList heard; // "summary|body"
public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int) {
        heard << summary + u'|' + body;
        return uint(heard.size());
    }
};

} // namespace

class TestTrayDBus : public QObject, private MainWindowBench {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    // First: Qt settles the kind of tray at the first icon of the process.
    void lateHostGetsTheIcon();
    void menuUnderDialogOnlyRaisesIt_data();
    void menuUnderDialogOnlyRaisesIt();
    void quitUnderDialogsEndsCleanly_data();
    void quitUnderDialogsEndsCleanly();
    void keyDismissedBoxLeavesNormalState_data();
    void keyDismissedBoxLeavesNormalState();
    void lateXEmbedTrayIsAnnounced();
    void notificationsOnlyWhereAServiceTakesThem();

private:
    TfrmMain& load();
    void startWatcher();
    void stopWatcher();
    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& args);
    QDBusPendingCall clickEntry(const QString& caption);

    QProcess m_watcher;
    QStringList m_items; // item services, as the watcher saw them register
    QString m_menuPath;
};

void TestTrayDBus::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        !QDBusConnection::sessionBus().isConnected())
        QSKIP("needs an X11 display and a session bus (xvfb-run and dbus-run-session)");
    connect(&m_watcher, &QProcess::readyReadStandardOutput, this, [this] {
        while (m_watcher.canReadLine()) {
            const QStringList words = QString::fromUtf8(m_watcher.readLine()).split(u' ');
            if (words.value(0).trimmed() == QLatin1String("ITEM"))
                m_items << words.value(1);
        }
    });
    static_cast<TApplication*>(qApp)->InstallTerminationHandler();
}

void TestTrayDBus::init() {
    SetUpBench(kNow);
    m_prj->Ini().WriteDateTime(Keys::Date, Keys::Start, EncodeDateTime(2026, 9, 1, 8, 0, 0));
    m_items.clear();
}

void TestTrayDBus::cleanup() {
    TearDownBench();
    TvxModalDialog::SetSessionEnded(false);
}

void TestTrayDBus::cleanupTestCase() {
    stopWatcher();
}

void TestTrayDBus::startWatcher() {
    if (m_watcher.state() != QProcess::NotRunning)
        return;
    m_watcher.start(QStringLiteral(SNI_WATCHER), {});
    QVERIFY(m_watcher.waitForStarted(kWait));
    QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(
                                 QStringLiteral("org.kde.StatusNotifierWatcher")),
                             kWait);
}

void TestTrayDBus::stopWatcher() {
    if (m_watcher.state() == QProcess::NotRunning)
        return;
    m_watcher.closeWriteChannel();
    QVERIFY(m_watcher.waitForFinished(kWait));
}

// The window, shown, with the tray that the host has at that moment.
TfrmMain& TestTrayDBus::load() {
    MakeWindow();
    m_platform.TrayShown = -1; // the real tray host
    m_main->LoadState();
    m_main->show();
    if (!QTest::qWaitForWindowExposed(m_main.get(), kWait))
        qWarning("main window not exposed");
    return *m_main;
}

// A call from the panel's side to the program's item, waited for.
QDBusMessage TestTrayDBus::call(const QString& path, const QString& interface,
                                const QString& method, const QVariantList& args) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(m_items.value(m_items.size() - 1), path, interface, method);
    message.setArguments(args);
    // The item is served by this very process: only an asynchronous call
    // lets the event loop answer it.
    QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(message);
    if (!QTest::qWaitFor([&] { return pending.isFinished(); }, kWait))
        qWarning() << "no answer to" << method;
    return pending.reply();
}

// A click on a menu entry as the panel sends it; the answer is not waited for.
QDBusPendingCall TestTrayDBus::clickEntry(const QString& caption) {
    if (!QTest::qWaitFor([&] { return !m_items.isEmpty(); }, kWait))
        qWarning("no item registered");
    const QString item = QStringLiteral("org.kde.StatusNotifierItem");
    const QDBusMessage menu = call(QStringLiteral("/StatusNotifierItem"),
                                   QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("Get"), {item, QStringLiteral("Menu")});
    const QString path = qvariant_cast<QDBusVariant>(menu.arguments().value(0))
                             .variant()
                             .value<QDBusObjectPath>()
                             .path();
    const QString dbusmenu = QStringLiteral("com.canonical.dbusmenu");
    const QDBusMessage layout =
        call(path, dbusmenu, QStringLiteral("GetLayout"), {0, -1, QStringList()});
    QMap<QString, int> ids;
    collectIds(qvariant_cast<QDBusArgument>(layout.arguments().value(1)), ids);
    if (!ids.contains(caption))
        qWarning() << "no entry" << caption << "in" << ids.keys();
    QDBusMessage event = QDBusMessage::createMethodCall(m_items.constLast(), path, dbusmenu,
                                                        QStringLiteral("Event"));
    event.setArguments({ids.value(caption, -1), QStringLiteral("clicked"),
                        QVariant::fromValue(QDBusVariant(0)), 0u});
    return QDBusConnection::sessionBus().asyncCall(event);
}

// Started before the panel, the program registers its item once the watcher
// comes, and the close box follows the tray: it ends the program while no
// tray is there, hides the window once one is, and a tray that goes away
// gives the hidden window back.
void TestTrayDBus::lateHostGetsTheIcon() {
    stopWatcher();
    {
        TfrmMain& first = load();
        QVERIFY(!first.TrayUsable());
        QCOMPARE(runLoop([&] { first.close(); }), 0);
        QVERIFY(!first.isVisible());
    }
    TfrmMain& w = load(); // started again, still before the panel
    QVERIFY(!w.findChild<QSystemTrayIcon*>(QStringLiteral("tray")));
    startWatcher();
    QTRY_VERIFY_WITH_TIMEOUT(!m_items.isEmpty(), kWait);
    QVERIFY(w.findChild<QSystemTrayIcon*>(QStringLiteral("tray")) && w.TrayUsable());
    w.close();
    QVERIFY(!w.isVisible() && w.InTray());

    stopWatcher();
    QTRY_VERIFY_WITH_TIMEOUT(w.isVisible() && !w.InTray(), kWait);
    startWatcher();
}

// While a dialog is up, every entry but quit only brings the dialog to the
// front: no second dialog, no window hidden, no page opened, no setting changed.
void TestTrayDBus::menuUnderDialogOnlyRaisesIt_data() {
    QTest::addColumn<QString>("entry");
    for (const char* entry : {"(&C) 내가 핀 담배값 계산", "(&G) 시민 등급 보기", "(&M) 서약서 보기",
                              "(&A) 달력 보기", "(&S) Tarvell 보기", "(&H) Tarvell 홈페이지"})
        QTest::newRow(entry) << QString::fromUtf8(entry);
}

void TestTrayDBus::menuUnderDialogOnlyRaisesIt() {
    QFETCH(QString, entry);
    startWatcher();
    int pagesOpened = 0;
    Desktop::SetOpenUrlHandler([&](const QString&) { return ++pagesOpened > 0; });
    TfrmMain& w = load();
    const QByteArray before = m_dir->read("plzNoSmoking.ini");
    bool alone = false, mainShown = false;
    DialogDriver::Script script(kWait);
    script.on<TvxModalDialog>([&](TvxModalDialog* d) {
        // A dialog piled on this one is counted and closed at once.
        bool piled = false;
        QTimer intruders;
        intruders.setInterval(20);
        connect(&intruders, &QTimer::timeout, [&] {
            auto* top = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (top && top != d) {
                piled = true;
                top->done(2);
            }
        });
        intruders.start();
        QDBusPendingCall pending = clickEntry(entry);
        QTRY_VERIFY_WITH_TIMEOUT(pending.isFinished(), kWait);
        settle();
        intruders.stop();
        alone = !piled && QApplication::activeModalWidget() == d && d->isVisible();
        mainShown = w.isVisible() && !w.InTray();
        d->done(2);
    });
    script.start();
    Part<QAction>(w, "mnShowGrade")->trigger();
    QVERIFY(script.finished() && !script.timedOut());
    QVERIFY(alone);
    QVERIFY(mainShown);
    QCOMPARE(pagesOpened, 0);
    QVERIFY(Part<QAction>(w, "mnShowCalendar")->isChecked());
    QCOMPARE(m_dir->read("plzNoSmoking.ini"), before);
    Desktop::SetOpenUrlHandler({});
}

// Quit from the tray under one or two dialogs, a dialog without caption
// buttons among them: every dialog ends as cancelled, the position is saved,
// the loop ends and nothing else is written.
void TestTrayDBus::quitUnderDialogsEndsCleanly_data() {
    QTest::addColumn<QString>("opener");
    QTest::newRow("grade list") << "mnShowGrade";
    QTest::newRow("pledge, no caption buttons") << "mnToMe";
    QTest::newRow("start date and its Confirm") << "btnModifyStart";
}

void TestTrayDBus::quitUnderDialogsEndsCleanly() {
    QFETCH(QString, opener);
    startWatcher();
    TfrmMain& w = load();
    w.move(130, 90);
    QTRY_COMPARE_WITH_TIMEOUT(w.pos(), QPoint(130, 90), kWait);
    QList<QPointer<QDialog>> seen;
    DialogDriver::Script script(kWait);
    const bool stacked = opener == QLatin1String("btnModifyStart");
    if (stacked)
        script.on<TfrmModifyDateTime>([&](TfrmModifyDateTime* d) {
            seen << d;
            d->pckDate->setSelectedDate(QDate(2026, 12, 1));
            click(d->vxGradiButton1);
        });
    script.then([](QWidget* d) { return qobject_cast<QDialog*>(d) != nullptr; },
                [&](QWidget* d) {
                    seen << qobject_cast<QDialog*>(d);
                    clickEntry(QStringLiteral("(&X) 프로그램 종료"));
                });
    script.start();
    const int code = runLoop([&] {
        if (opener == QLatin1String("mnShowGrade"))
            Part<QAction>(w, "mnShowGrade")->trigger();
        else if (opener == QLatin1String("mnToMe"))
            Part<QAction>(w, "mnToMe")->trigger();
        else
            QTest::mouseClick(Part<TvxImageButton>(w, "btnModifyStart"), Qt::LeftButton, {},
                              QPoint(8, 8));
    });
    QCOMPARE(code, 0);
    QVERIFY(script.finished() && !script.timedOut());
    QCOMPARE(seen.size(), stacked ? 2 : 1);
    QVERIFY(!w.isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Left, -1), 130);
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Top, -1), 90);
    QCOMPARE(FormatDateTime(m_prj->Ini().ReadDateTime(Keys::Date, Keys::Start, 0)),
             QStringLiteral("2026-09-01 08:00:00"));
}

// A box dismissed by a key sent to its window leaves the program as before:
// the tray menu's commands open their dialogs, the same box comes again, and
// a termination request while it is up ends the program with the position saved.
void TestTrayDBus::keyDismissedBoxLeavesNormalState_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("Information of the craving chain") << "Information";
    QTest::newRow("Confirm of the start date") << "Confirm";
    QTest::newRow("error box") << "error";
}

void TestTrayDBus::keyDismissedBoxLeavesNormalState() {
    QFETCH(QString, box);
    startWatcher();
    TfrmMain& w = load();
    w.move(150, 60);
    QTRY_COMPARE_WITH_TIMEOUT(w.pos(), QPoint(150, 60), kWait);
    DialogDriver::Script script(kWait);
    // The dialogs on the way to the box, answered so that the box comes.
    auto wayToBox = [&] {
        if (box == QLatin1String("Information"))
            for (int i = 0; i < 4; ++i)
                script.on<TvxModalDialog>([](TvxModalDialog* d) { d->done(2); });
        else if (box == QLatin1String("Confirm"))
            script.on<TfrmModifyDateTime>([](TfrmModifyDateTime* d) {
                d->pckDate->setSelectedDate(QDate(2026, 12, 1));
                click(d->vxGradiButton1);
            });
    };
    auto open = [&] {
        if (box == QLatin1String("Information"))
            click(Part<TvxGradiButton>(w, "btnHelp"));
        else if (box == QLatin1String("Confirm"))
            QTest::mouseClick(Part<TvxImageButton>(w, "btnModifyStart"), Qt::LeftButton, {},
                              QPoint(8, 8));
        else
            ShowErrorBox(QStringLiteral("쓰기 실패"), &w);
    };
    int boxes = 0;
    bool gradesOpened = false;
    wayToBox();
    script.on<QMessageBox>([&](QMessageBox* b) {
        ++boxes;
        QTest::keyClick(b->windowHandle(), Qt::Key_Escape);
        QTimer::singleShot(0, &w, [&] { clickEntry(QStringLiteral("(&G) 시민 등급 보기")); });
    });
    script.on<TvxModalDialog>([&](TvxModalDialog* d) {
        gradesOpened =
            QString::fromLatin1(d->metaObject()->className()) == QLatin1String("TfrmShowGrade");
        d->done(2);
        QTimer::singleShot(0, &w, open);
    });
    wayToBox();
    script.on<QMessageBox>([&](QMessageBox*) {
        ++boxes;
        std::raise(SIGTERM);
    });
    script.start();
    QCOMPARE(runLoop(open), 0);
    QVERIFY(!script.timedOut());
    QVERIFY(gradesOpened);
    QCOMPARE(boxes, 2);
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Left, -1), 150);
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Top, -1), 60);
}

int main(int argc, char** argv) {
    // The tray needs a session bus and an X11 display: the test runs itself
    // again under both, or skips where either tool is missing.
    if (!qEnvironmentVariableIsSet("TARVELL_TRAY_SESSION")) {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
        const QString session = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
        if (!xvfb.isEmpty() && !session.isEmpty()) {
            qputenv("TARVELL_TRAY_SESSION", "1");
            qputenv("QT_QPA_PLATFORM", "xcb");
            const QByteArray x = xvfb.toLocal8Bit(), s = session.toLocal8Bit();
            char a[] = "-a", screenFlag[] = "-s", screen[] = "-screen 0 1280x800x24",
                 dashes[] = "--";
            std::vector<char*> args = {const_cast<char*>(x.constData()), a,     screenFlag, screen,
                                       const_cast<char*>(s.constData()), dashes};
            for (int i = 0; i < argc; ++i)
                args.push_back(argv[i]);
            args.push_back(nullptr);
            ::execv(x.constData(), args.data());
        }
    }
    TApplication app(argc, argv);
    TestTrayDBus test;
    const int result = QTest::qExec(&test, argc, argv);
    std::signal(SIGTERM, SIG_DFL);
    return result;
}

// An older panel (trayer, a window manager's own) announces nothing to a
// program without an icon: one that starts later is found by looking.
void TestTrayDBus::lateXEmbedTrayIsAnnounced() {
    stopWatcher();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    QVERIFY(x11 && x11->connection());
    xcb_connection_t* c = x11->connection();
    TvxTrayHost host;
    QVERIFY(!host.MayMakeIcon());
    QSignalSpy changed(&host, &TvxTrayHost::Changed);

    const QByteArray name = "_NET_SYSTEM_TRAY_S0"; // the virtual display has one screen
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.constData()), nullptr);
    QVERIFY(atom);
    const xcb_window_t tray = xcb_generate_id(c);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, tray, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(c, tray, atom->atom, XCB_CURRENT_TIME);
    free(atom);
    xcb_flush(c);
    const auto gone = qScopeGuard([&] {
        xcb_destroy_window(c, tray);
        xcb_flush(c);
    });
    QTRY_VERIFY_WITH_TIMEOUT(changed.count() > 0, kWait);
    QVERIFY(host.MayMakeIcon());
}

// A rise in rank seen from the tray goes to the desktop's notification
// service; where none runs, nothing is sent and the caller learns so.
void TestTrayDBus::notificationsOnlyWhereAServiceTakesThem() {
    m_platform.Notify = {};
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(service).value());
    QVERIFY(!PlatformNotify::Send(QStringLiteral("시민 등급"), QStringLiteral("없음")));

    FakeNotifications fake;
    QDBusConnection own =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("notifications"));
    const auto gone = qScopeGuard([&] {
        own.unregisterService(service);
        QDBusConnection::disconnectFromBus(QStringLiteral("notifications"));
    });
    QVERIFY(own.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &fake,
                               QDBusConnection::ExportAllSlots));
    QVERIFY(own.registerService(service));
    QVERIFY(PlatformNotify::Send(QStringLiteral("시민 등급"), QStringLiteral("금연 일주일")));
    QTRY_COMPARE_WITH_TIMEOUT(fake.heard, QStringList{QStringLiteral("시민 등급|금연 일주일")},
                              kWait);
}

#include "tst_traydbus.moc"
