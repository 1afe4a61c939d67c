// Every command of the main window within reach: the tray menu, the small
// buttons beside the values, the start-date correction, and how the program
// ends and comes back when a dialog is up.

#include "core/ProjectInfo.h"
#include "mainwindow/Application.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/ModifyDateTime.h"
#include "mainwindow/main.h"
#include "platform/DesktopShell.h"
#include "resources/Pictures.h"
#include "runtime/Desktop.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/mainwindow/MainWindowBench.h"
#include "tests/support/TestSupport.h"
#include "widgets/ErrorBox.h"
#include "widgets/VxPnl.h"
#include "widgets/vxBtnImgs.h"
#include "widgets/vxImgBtn.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QWindow>
#include <csignal>
#include <memory>

using DialogDriver::click;

using TestSupport::Part;

namespace {

const TDateTime kNow = EncodeDateTime(2026, 12, 8, 12, 43, 15);

// Counts the mouse presses a window receives.
class PressCounter : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

constexpr int kWait = 60000;

// Runs the event loop until something ends it, or a guard of a generous
// minute ends it with guardCode. With `settled`, a loop still running once
// the start has been handled ends with guardCode at once.
int runLoop(std::function<void()> start, int guardCode, bool settled = false) {
    QTimer::singleShot(0, qApp, [start = std::move(start), guardCode, settled] {
        start();
        if (settled)
            QTimer::singleShot(0, qApp, [guardCode] { QCoreApplication::exit(guardCode); });
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [guardCode] { QCoreApplication::exit(guardCode); });
    guard.start(kWait);
    return QCoreApplication::exec();
}

} // namespace

class TestCommands : public QObject, private MainWindowBench {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void trayMenuItems();
    void everyCommandReachesItsWindow_data();
    void everyCommandReachesItsWindow();
    void commandsWithoutWindows();
    void imageButtons();
    void triangleImageSet_data();
    void triangleImageSet();

    void correction_data();
    void correction();

    void closingWithoutTrayEndsProgram_data();
    void closingWithoutTrayEndsProgram();
    void sessionEndSavesPosition_data();
    void sessionEndSavesPosition();
    void buttonCornersShowWindowColour();
    void dateTimePanelCoversInnerBevel();
    void trayClickBringsOpenDialog();
    void dialogMinimiseKeepsProgramInView_data();
    void dialogMinimiseKeepsProgramInView();
    void positionsKeptWhereUnknown_data();
    void positionsKeptWhereUnknown();
    void oneActivationRestoresUnreportedMinimise();

private:
    TfrmMain& load();
    void run(TfrmMain& w, const QString& command);
};

void TestCommands::init() {
    SetUpBench(kNow);
    m_prj->Ini().WriteDateTime(Keys::Date, Keys::Start, EncodeDateTime(2026, 9, 1, 8, 0, 0));
}

void TestCommands::cleanup() {
    TearDownBench();
    Desktop::SetOpenUrlHandler({});
    TvxModalDialog::SetSessionEnded(false); // a termination request ends it for good
}

TfrmMain& TestCommands::load() {
    MakeWindow().LoadState();
    m_main->show();
    if (!QTest::qWaitForWindowExposed(m_main.get(), 60000))
        qWarning("main window not exposed");
    return *m_main;
}

// A menu item by its field name, or a small button clicked with the mouse.
void TestCommands::run(TfrmMain& w, const QString& command) {
    const QMap<QString, QAction*> items = {{"mnCalcDebt", Part<QAction>(w, "mnCalcDebt")},
                                           {"mnShowGrade", Part<QAction>(w, "mnShowGrade")},
                                           {"mnToMe", Part<QAction>(w, "mnToMe")}};
    const QMap<QString, TvxImageButton*> buttons = {
        {"vxImageButton1", Part<TvxImageButton>(w, "vxImageButton1")},
        {"vxImageButton2", Part<TvxImageButton>(w, "vxImageButton2")},
        {"vxImageButton3", Part<TvxImageButton>(w, "vxImageButton3")},
        {"vxImageButton4", Part<TvxImageButton>(w, "vxImageButton4")},
        {"btnModifyStart", Part<TvxImageButton>(w, "btnModifyStart")}};
    if (QAction* action = items.value(command))
        action->trigger();
    else
        QTest::mouseClick(buttons.value(command), Qt::LeftButton, {}, QPoint(8, 8));
}

void TestCommands::trayMenuItems() {
    struct Item {
        const char* caption; // empty: a separator
        int tag;
        int icon; // -1: none
    };
    const Item expected[] = {
        {"(&C) 내가 핀 담배값 계산", 1, 0}, {"(&G) 시민 등급 보기", 2, 1},
        {"(&M) 서약서 보기", 3, 2},         {"", 0, -1},
        {"(&A) 달력 보기", 0, -1},          {"(&S) Tarvell 보기", 4, 3},
        {"(&H) Tarvell 홈페이지", 5, 5},    {"", 0, -1},
        {"(&X) 프로그램 종료", 6, -1},
    };
    TfrmMain& w = load();
    const QList<QAction*> actions = Part<QMenu>(w, "popTray")->actions();
    QCOMPARE(actions.size(), 9);
    const QList<QIcon> icons = MenuIcons();
    for (int i = 0; i < 9; ++i) {
        const Item& e = expected[i];
        QCOMPARE(actions[i]->isSeparator(), !*e.caption);
        if (!*e.caption)
            continue;
        QCOMPARE(actions[i]->text(), QString::fromUtf8(e.caption));
        QCOMPARE(actions[i]->data().toInt(), e.tag);
        QCOMPARE(actions[i]->icon().isNull(), e.icon < 0);
        if (e.icon >= 0)
            QCOMPARE(actions[i]->icon().pixmap(16, 16).toImage(),
                     icons[e.icon].pixmap(16, 16).toImage());
    }
    QVERIFY(Part<QAction>(w, "mnShowCalendar")->isCheckable() &&
            Part<QAction>(w, "mnShowCalendar")->isChecked());
    QCOMPARE(Part<QSystemTrayIcon>(w, "tray")->contextMenu(), Part<QMenu>(w, "popTray"));
}

// Each menu item and small button opens its own window, owned by the main
// window and modal to it only; the tray menu's entries only bring it to the
// front meanwhile.
void TestCommands::everyCommandReachesItsWindow_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    const char* rows[][3] = {
        {"(&C)", "mnCalcDebt", "TfrmCalcDebt"},
        {"(&G)", "mnShowGrade", "TfrmShowGrade"},
        {"(&M)", "mnToMe", "TfrmToMe"},
        {"beside the grade", "vxImageButton2", "TfrmShowGrade"},
        {"beside 금연 시작", "btnModifyStart", "TfrmModifyDateTime"},
        {"beside 실패 횟수", "vxImageButton1", "TfrmShowLog"},
        {"beside 소비 금액", "vxImageButton4", "TfrmCalcDebt"},
        {"beside 금연 효과", "vxImageButton3", "TfrmNonEffect"},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << r[1] << r[2];
}

void TestCommands::everyCommandReachesItsWindow() {
    QFETCH(QString, command);
    QFETCH(QString, window);
    TfrmMain& w = load();
    const QByteArray before = m_dir->read("plzNoSmoking.ini");
    QString opened;
    bool ownedAndWindowModal = false;
    bool menuInert = false;
    const int width = w.width();
    DialogDriver::Script script;
    script.then([](QWidget* d) { return qobject_cast<QDialog*>(d) != nullptr; },
                [&](QWidget* d) {
                    opened = QString::fromLatin1(d->metaObject()->className());
                    ownedAndWindowModal =
                        d->parentWidget() == &w && d->windowModality() == Qt::WindowModal;
                    Part<QAction>(w, "mnToMe")->trigger();
                    Part<QAction>(w, "mnShowCalendar")->trigger();
                    menuInert = QApplication::activeModalWidget() == d &&
                                Part<QAction>(w, "mnShowCalendar")->isChecked() &&
                                w.width() == width;
                    qobject_cast<QDialog*>(d)->done(2);
                });
    script.start();
    run(w, command);
    QVERIFY(script.finished());
    QCOMPARE(opened, window);
    QVERIFY(ownedAndWindowModal);
    QVERIFY(menuInert);
    QCOMPARE(Part<QSystemTrayIcon>(w, "tray")->contextMenu(), Part<QMenu>(w, "popTray"));
    QCOMPARE(m_dir->read("plzNoSmoking.ini"), before);
}

// Show and hide, the home page from the menu and from "Tarvell", and quit.
void TestCommands::commandsWithoutWindows() {
    QStringList opened;
    Desktop::SetOpenUrlHandler([&](const QString& url) {
        opened << url;
        return true;
    });
    TfrmMain& w = load();
    Part<QAction>(w, "mnShowTvl")->trigger();
    QVERIFY(!w.isVisible());
    Part<QAction>(w, "mnShowTvl")->trigger();
    QVERIFY(w.isVisible());
    // A second start brings the window out of the tray, and leaves it shown.
    Part<QAction>(w, "mnShowTvl")->trigger();
    w.BringToFront();
    QVERIFY(w.isVisible());
    w.BringToFront();
    QVERIFY(w.isVisible());
    Part<QAction>(w, "mnTvlBoard")->trigger();
    click(Part<TvxGradiButton>(w, "btnVisitToHome"));
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[0].startsWith(QLatin1String("https://")) && opened[1] == opened[0]);
    // An opener that fails leaves the window free and tells the address.
    Desktop::SetOpenUrlHandler([](const QString&) { return false; });
    Desktop::SetOpenFailedHandler(&TApplication::ShowOpenFailure);
    Part<QAction>(w, "mnTvlBoard")->trigger();
    Desktop::SetOpenFailedHandler({});
    QMessageBox* box = nullptr;
    const auto openFailedBox = [&box] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("openFailedBox"))
                box = qobject_cast<QMessageBox*>(top);
        return box;
    };
    QTRY_VERIFY_WITH_TIMEOUT(openFailedBox(), 60000);
    QVERIFY(box->isVisible() && box->text().contains(opened[0]));
    box->done(QMessageBox::Ok);
    w.move(140, 70);
    Part<QAction>(w, "mnClose")->trigger();
    QVERIFY(!w.isVisible());
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Left, -1), w.x());
}

// Five 18 × 18 buttons right of the values, drawing from the blue question
// set, which lights up when pressed or under the pointer and has no
// disabled picture of its own.
void TestCommands::imageButtons() {
    TfrmMain& w = load();
    QCOMPARE(Part<TvxImageButton>(w, "btnModifyStart")->geometry(), QRect(183, 97, 18, 18));
    for (TvxImageButton* b :
         {Part<TvxImageButton>(w, "vxImageButton1"), Part<TvxImageButton>(w, "vxImageButton2"),
          Part<TvxImageButton>(w, "vxImageButton3"), Part<TvxImageButton>(w, "vxImageButton4"),
          Part<TvxImageButton>(w, "btnModifyStart")}) {
        QCOMPARE(b->size(), QSize(18, 18));
        QCOMPARE(b->ButtonImages(), Part<TvxButtonImages>(w, "vxButtonImages2"));
        QVERIFY(b->x() > Part<QLabel>(w, "labStart")->geometry().right() &&
                b->geometry().right() < 203);
    }
    const TvxButtonImages* set = Part<TvxButtonImages>(w, "vxButtonImages2");
    const QColor up = set->PicUp().toImage().pixelColor(3, 8); // beside the question mark
    QVERIFY(up.blue() > up.red() + 60);
    for (const QPixmap& lit : {set->PicDown(), set->PicEntered()})
        QVERIFY(qGray(lit.toImage().pixel(3, 8)) > qGray(up.rgb()));
    QVERIFY(set->PicDisabled().isNull());
}

// The unused set: a black triangle pointing down, 7 pixels wide, in rows
// 10 to 13; one row lower when pressed, one higher under the pointer, grey
// #606060 when disabled.
void TestCommands::triangleImageSet_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("normal") << 0 << 10 << qRgb(0, 0, 0);
    QTest::newRow("pressed") << 1 << 11 << qRgb(0, 0, 0);
    QTest::newRow("disabled") << 2 << 10 << qRgb(0x60, 0x60, 0x60);
    QTest::newRow("mouse over") << 3 << 9 << qRgb(0, 0, 0);
}

void TestCommands::triangleImageSet() {
    QFETCH(int, state);
    QFETCH(int, firstRow);
    QFETCH(QRgb, colour);
    TfrmMain& w = load();
    const QImage img = Part<TvxButtonImages>(w, "vxButtonImages1")
                           ->Picture(state)
                           .toImage()
                           .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(img.size(), QSize(16, 16));
    for (int y = 0; y < 16; ++y) {
        int width = 0;
        for (int x = 0; x < 16; ++x)
            if (qAlpha(img.pixel(x, y)) == 255 && (img.pixel(x, y) | 0xFF000000u) == colour)
                ++width;
        const int row = y - firstRow;
        QCOMPARE(width, row >= 0 && row < 4 ? 7 - 2 * row : 0);
    }
}

// The start-date correction: preset to the stored moment (or now, cut to
// the second), the exact confirmation, the stored moment, and nothing
// written on any way out but OK. The clock follows only without a relapse.
void TestCommands::correction_data() {
    QTest::addColumn<bool>("noStart");
    QTest::addColumn<bool>("relapsed");
    QTest::addColumn<QDateTime>("chosen"); // invalid: left as preset
    QTest::addColumn<int>("exit"); // 0 수 정 + OK, 1 수 정 + Cancel, 2 취 소, 3 close box
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("start");
    QTest::addColumn<uint>("elapsed");
    const QDateTime dec1(QDate(2026, 12, 1), QTime(8, 30, 0));
    const QString text = QStringLiteral("금연 결심 일자를 2026-12-01 08:30:00 으로 바꿉니다.");
    const QString sep1 = QStringLiteral("2026-09-01 08:00:00");
    const uint sinceSep1 = 98u * 86400u + 4u * 3600u + 43u * 60u + 15u;
    QTest::newRow("2026-12-01 08:30:00")
        << false << false << dec1 << 0 << text << "2026-12-01 08:30:00" << 7u * 86400u + 15195u;
    QTest::newRow("after a relapse only the start changes")
        << false << true << dec1 << 0 << text << "2026-12-01 08:30:00" << 3u * 86400u + 45795u;
    QTest::newRow("unchanged: now, cut to the second")
        << true << false << QDateTime() << 0
        << QStringLiteral("금연 결심 일자를 2026-12-08 12:43:15 으로 바꿉니다.")
        << "2026-12-08 12:43:15" << 0u;
    QTest::newRow("Cancel in the confirmation")
        << false << false << dec1 << 1 << text << sep1 << sinceSep1;
    QTest::newRow("취 소") << false << false << dec1 << 2 << QString() << sep1 << sinceSep1;
    QTest::newRow("close box") << false << false << dec1 << 3 << QString() << sep1 << sinceSep1;
}

void TestCommands::correction() {
    QFETCH(bool, noStart);
    QFETCH(bool, relapsed);
    QFETCH(QDateTime, chosen);
    QFETCH(int, exit);
    QFETCH(QString, confirm);
    QFETCH(QString, start);
    QFETCH(uint, elapsed);
    if (noStart) {
        m_prj->Ini().DeleteKey(Keys::Date, Keys::Start);
        m_clock->set(kNow + 0.678 / 86400);
    }
    if (relapsed)
        m_prj->Ini().WriteDateTime(Keys::Date, Keys::Restart, EncodeDateTime(2026, 12, 5));
    TfrmMain& w = load();
    const QByteArray before = m_dir->read("plzNoSmoking.ini");
    QDateTime preset;
    DialogDriver::Script script;
    script.on<TfrmModifyDateTime>([&](TfrmModifyDateTime* d) {
        preset = QDateTime(d->pckDate->selectedDate(), d->pckTime->time());
        if (chosen.isValid()) {
            d->pckDate->setSelectedDate(chosen.date());
            d->pckTime->setTime(chosen.time());
        }
        // Enter and Esc close nothing: neither button is default or cancel.
        QTest::keyClick(d, Qt::Key_Escape);
        QTest::keyClick(d, Qt::Key_Return);
        QVERIFY(d->isVisible());
        if (exit <= 1)
            click(d->vxGradiButton1);
        else if (exit == 2)
            click(d->vxGradiButton2);
        else
            d->close();
    });
    if (exit <= 1)
        script.answer(exit == 0 ? QMessageBox::Ok : QMessageBox::Cancel);
    script.start();
    QTest::mouseClick(Part<TvxImageButton>(w, "btnModifyStart"), Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(script.finished() && !script.timedOut());
    QCOMPARE(preset, noStart ? QDateTime(QDate(2026, 12, 8), QTime(12, 43, 15))
                             : QDateTime(QDate(2026, 9, 1), QTime(8, 0, 0)));
    QCOMPARE(script.messages.size(), confirm.isEmpty() ? 0 : 1);
    if (!confirm.isEmpty()) {
        QCOMPARE(script.messages[0].title, QStringLiteral("Confirm"));
        QCOMPARE(script.messages[0].text, confirm);
        QCOMPARE(script.messages[0].icon, QMessageBox::Question);
        QCOMPARE(script.messages[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    }
    if (exit != 0)
        QCOMPARE(m_dir->read("plzNoSmoking.ini"), before);
    else
        QCOMPARE(FormatDateTime(m_prj->Ini().ReadDateTime(Keys::Date, Keys::Start, 0)), start);
    QCOMPARE(Part<QLabel>(w, "labStart")->text(), start);
    QCOMPARE(w.Progress().Elapsed(), relapsed ? 3u * 86400u + 45795u : elapsed);
    QCOMPARE(m_prj->Ini().ValueExists(Keys::Date, Keys::Restart), relapsed);
}

// ------------------------------------------------------------------ faults

// Without a tray, closing the window must end the program: a process left
// running with no window would refuse the next start. With a tray the close
// box only hides it.
void TestCommands::closingWithoutTrayEndsProgram_data() {
    QTest::addColumn<bool>("tray");
    QTest::newRow("no tray: the program ends") << false;
    QTest::newRow("tray: the program lives on") << true;
}

void TestCommands::closingWithoutTrayEndsProgram() {
    QFETCH(bool, tray);
    qApp->setQuitOnLastWindowClosed(false);
    TfrmMain& w = load();
    m_platform.TrayShown = tray ? 1 : 0;
    QCOMPARE(runLoop([&] { w.close(); }, 7, tray), tray ? 7 : 0);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.InTray(), tray);
}

// A logout or shutdown ends the loop without the quit command: the position
// is saved all the same, also while the window rests in the tray.
void TestCommands::sessionEndSavesPosition_data() {
    QTest::addColumn<bool>("signal");
    QTest::addColumn<bool>("inTray");
#ifndef Q_OS_WIN // there the request is the session's end, a message to a real window
    QTest::newRow("termination request") << true << false;
    QTest::newRow("termination request, in the tray") << true << true;
#endif
    QTest::newRow("loop ended by the system") << false << false;
}

void TestCommands::sessionEndSavesPosition() {
    QFETCH(bool, signal);
    QFETCH(bool, inTray);
    static_cast<TApplication*>(qApp)->InstallTerminationHandler();
    TfrmMain& w = load();
    w.move(130, 90);
    const QPoint pos = w.pos();
    if (inTray)
        w.trayClick();
    QCOMPARE(w.isVisible(), !inTray);
    QCOMPARE(
        runLoop([signal] { signal ? void(std::raise(SIGTERM)) : QCoreApplication::quit(); }, 7), 0);
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Left, -1), pos.x());
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Top, -1), pos.y());
}

// Buttons show the window's own #F4F2EA where their face leaves it visible:
// the rounded corners of the gradient buttons, the rim of the image buttons.
void TestCommands::buttonCornersShowWindowColour() {
    TfrmMain& w = load();
    const QList<QPair<QImage, QPoint>> faces = {
        {Part<TvxGradiButton>(w, "btnHelp")->Render(), {0, 0}},
        {Part<TvxGradiButton>(w, "btnSorry")->Render(), {0, 22}},
        {Part<TvxGradiButton>(w, "btnVisitToHome")->Render(), {77, 0}},
        {Part<TvxImageButton>(w, "btnModifyStart")->Render(), {17, 17}},
        {Part<TvxImageButton>(w, "vxImageButton2")->Render(), {16, 3}},
    };
    for (const auto& [face, at] : faces)
        QCOMPARE(face.pixel(at) | 0xFF000000u, qRgb(0xF4, 0xF2, 0xEA));
}

// The light date-time strip is 196 wide along the bottom of the dark counter
// panel: no inner bevel of the dark panel shows beside it.
void TestCommands::dateTimePanelCoversInnerBevel() {
    TfrmMain& w = load();
    QCOMPARE(Part<TvxPanel>(w, "pnlDateTime")->size(), QSize(196, 16));
    QCOMPARE(Part<TvxPanel>(w, "pnlDateTime")->geometry().bottom(),
             Part<TvxPanel>(w, "vxPanel1")->height() - 2);
    const QImage panel = Part<TvxPanel>(w, "vxPanel1")->grab().toImage();
    const QList<QRgb> dark = {qRgb(0x63, 0x89, 0x8D), qRgb(0x50, 0x6E, 0x71),
                              qRgb(0x3D, 0x53, 0x55), qRgb(0x2A, 0x38, 0x39)};
    const QRect r = Part<TvxPanel>(w, "pnlDateTime")->geometry();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x : {r.left(), r.right()})
            QVERIFY(!dark.contains(panel.pixel(x, y) | 0xFF000000u));
}

// While a dialog is up, a click on the tray brings that dialog to the front
// instead of hiding the window it belongs to; other windows of the program
// (the tray icon is one) still take clicks.
void TestCommands::trayClickBringsOpenDialog() {
    TfrmMain& w = load();
    PressCounter probe;
    probe.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    probe.resize(40, 40);
    probe.show();
    QVERIFY(QTest::qWaitForWindowExposed(&probe, 60000));
    bool mainStayed = false, dialogInFront = false;
    DialogDriver::Script script;
    script.on<TvxModalDialog>([&](TvxModalDialog* d) {
        // Through the window system, where a modal dialog blocks other windows.
        QTest::mouseClick(probe.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        w.trayClick();
        mainStayed = w.isVisible() && !w.InTray();
        dialogInFront = d->isVisible() && QApplication::activeModalWidget() == d;
        d->done(2);
    });
    script.start();
    Part<QAction>(w, "mnShowGrade")->trigger();
    QVERIFY(script.finished());
    QCOMPARE(probe.presses, 1);
    QVERIFY(mainStayed && dialogInFront);
    w.trayClick(); // no dialog: the click hides the window again
    QVERIFY(!w.isVisible());
}

// A window manager that iconifies a dialog iconifies its owner with it, or
// offers minimise on the standard boxes: whatever was minimised comes back
// while the dialog waits, and the window is not sent to the tray.
void TestCommands::dialogMinimiseKeepsProgramInView_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("grade list") << "grade list";
    QTest::newRow("Information of the craving chain") << "Information";
    QTest::newRow("Confirm of the start date") << "Confirm";
    QTest::newRow("error box") << "error";
}

void TestCommands::dialogMinimiseKeepsProgramInView() {
    QFETCH(QString, box);
    TfrmMain& w = load();
    bool inView = false;
    DialogDriver::Script script;
    if (box == QLatin1String("Information"))
        for (int i = 0; i < 4; ++i)
            script.on<TvxModalDialog>([](TvxModalDialog* d) { d->done(2); });
    if (box == QLatin1String("Confirm"))
        script.on<TfrmModifyDateTime>([](TfrmModifyDateTime* d) {
            d->pckDate->setSelectedDate(QDate(2026, 12, 1));
            click(d->vxGradiButton1);
        });
    script.then([](QWidget* d) { return qobject_cast<QDialog*>(d) != nullptr; },
                [&](QWidget* d) {
                    // The box alone, then the box with its owner.
                    d->setWindowState(d->windowState() | Qt::WindowMinimized);
                    inView = QTest::qWaitFor([&] { return !d->isMinimized(); }, kWait);
                    d->setWindowState(d->windowState() | Qt::WindowMinimized);
                    w.setWindowState(w.windowState() | Qt::WindowMinimized);
                    inView = inView && QTest::qWaitFor(
                                           [&] {
                                               return !d->isMinimized() && !w.isMinimized() &&
                                                      w.isVisible() && !w.InTray();
                                           },
                                           kWait);
                    qobject_cast<QDialog*>(d)->done(2);
                });
    script.start();
    if (box == QLatin1String("grade list"))
        Part<QAction>(w, "mnShowGrade")->trigger();
    else if (box == QLatin1String("Information"))
        click(Part<TvxGradiButton>(w, "btnHelp"));
    else if (box == QLatin1String("Confirm"))
        QTest::mouseClick(Part<TvxImageButton>(w, "btnModifyStart"), Qt::LeftButton, {},
                          QPoint(8, 8));
    else
        ShowErrorBox(QStringLiteral("쓰기 실패"), &w);
    QVERIFY(script.finished() && !script.timedOut());
    QVERIFY(inView);
    QVERIFY(w.isVisible() && !w.InTray());
}

// Wayland tells a client no positions: the quit command keeps the stored
// Left and Top instead of the made-up ones Qt reports there.
void TestCommands::positionsKeptWhereUnknown_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("X11 stores where the window is") << "xcb" << 5 << 5;
    QTest::newRow("Wayland keeps what was stored") << "wayland" << 140 << 70;
}

void TestCommands::positionsKeptWhereUnknown() {
    QFETCH(QString, platform);
    QFETCH(int, left);
    QFETCH(int, top);
    m_prj->Ini().WriteInteger(Keys::Prog, Keys::Left, 140);
    m_prj->Ini().WriteInteger(Keys::Prog, Keys::Top, 70);
    m_platform.WindowSystem = platform;
    TfrmMain& w = load();
    w.move(5, 5);
    Part<QAction>(w, "mnClose")->trigger();
    QVERIFY(!w.isVisible());
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Left, -1), left);
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Top, -1), top);
}

// Wayland does not tell a client that its window was minimised: a window
// that is shown but not in front comes back with one tray activation; one
// in front goes to the tray.
void TestCommands::oneActivationRestoresUnreportedMinimise() {
    m_platform.WindowSystem = QStringLiteral("wayland");
    TfrmMain& w = load();
    QWidget other;
    other.resize(40, 40);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other, kWait));
    // Raising alone would leave a minimised window where it is: it is mapped anew.
    QSignalSpy mapped(w.windowHandle(), &QWindow::visibleChanged);
    w.trayClick();
    QVERIFY(w.isVisible() && !w.InTray());
    QCOMPARE(mapped.count(), 2);
    QCOMPARE(mapped.first().first().toBool(), false);
    QVERIFY(QTest::qWaitForWindowActive(&w, kWait));
    w.trayClick();
    QVERIFY(!w.isVisible() && w.InTray());
}

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TestCommands test;
    const int result = QTest::qExec(&test, argc, argv);
    std::signal(SIGTERM, SIG_DFL);
    return result;
}

#include "tst_commands.moc"
