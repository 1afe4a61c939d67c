// Every command of the main window within reach: the tray menu, the small
// buttons beside the values, the start-date correction, and how the program
// ends and comes back when a dialog is up.

#include "core/ProjectInfo.h"
#include "dialogs/CalcDebt.h"
#include "dialogs/NonEffect.h"
#include "dialogs/ShowGrade.h"
#include "dialogs/ShowLog.h"
#include "dialogs/ToMe.h"
#include "mainwindow/Application.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/ModifyDateTime.h"
#include "mainwindow/main.h"
#include "resources/Pictures.h"
#include "runtime/Desktop.h"
#include "runtime/TextFile.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"
#include "widgets/VxPnl.h"
#include "widgets/vxBtnImgs.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxImgBtn.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <csignal>
#include <memory>

using DialogDriver::click;
using TestSupport::FrozenClock;
using TestSupport::TempProgramFolder;

namespace {

const TDateTime kNow = EncodeDateTime(2026, 12, 8, 12, 43, 15);
const QRgb kWindowColour = qRgb(0xF4, 0xF2, 0xEA);

void clickImage(TvxImageButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
}

// Counts the mouse presses a window receives.
class PressCounter : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// Runs the event loop until something ends it or the guard does.
int runLoop(std::function<void()> start, int guardMs, int guardCode) {
    QTimer::singleShot(0, qApp, std::move(start));
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [guardCode] { QCoreApplication::exit(guardCode); });
    guard.start(guardMs);
    return QCoreApplication::exec();
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void trayMenuItems();
    void everyCommandReachesItsWindow_data();
    void everyCommandReachesItsWindow();
    void homePageFromMenuAndButton();
    void showHideAndQuitFromMenu();
    void imageButtonsBesideTheirRows();
    void triangleImageSet_data();
    void triangleImageSet();

    void correctionConfirmsAndStores();
    void correctionUnchangedStoresOldMomentCutToSecond();
    void correctionCancelWritesNothing_data();
    void correctionCancelWritesNothing();
    void correctionMovesClockOnlyWithoutRestart_data();
    void correctionMovesClockOnlyWithoutRestart();

    void closingWithoutTrayEndsProgram_data();
    void closingWithoutTrayEndsProgram();
    void sessionEndSavesPosition_data();
    void sessionEndSavesPosition();
    void buttonCornersShowWindowColour_data();
    void buttonCornersShowWindowColour();
    void dateTimePanelCoversInnerBevel();
    void trayClickBringsOpenDialog();

private:
    TfrmMain& load(bool show = false);
    QByteArray ini() const { return m_dir->read("plzNoSmoking.ini"); }
    // Drives the correction dialog: date and time, then "수 정" or another way out.
    void modify(QDate date, QTime time, QMessageBox::StandardButton answer,
                DialogDriver::Script& script);

    std::unique_ptr<TempProgramFolder> m_dir;
    std::unique_ptr<FrozenClock> m_clock;
    std::unique_ptr<TvxPrjInfo> m_prj;
    std::unique_ptr<TvxAnniversary> m_cursor;
    std::unique_ptr<TfrmImagesRes> m_images;
    std::unique_ptr<TfrmMain> m_main;
};

void TestCommands::init() {
    m_dir = std::make_unique<TempProgramFolder>();
    m_clock = std::make_unique<FrozenClock>(kNow);
    m_prj = std::make_unique<TvxPrjInfo>(m_dir->path());
    m_cursor = std::make_unique<TvxAnniversary>(m_dir->path());
    m_images = std::make_unique<TfrmImagesRes>();
    m_prj->Ini().WriteDateTime(Keys::Date, Keys::Start, EncodeDateTime(2026, 9, 1, 8, 0, 0));
}

void TestCommands::cleanup() {
    m_main.reset();
    m_images.reset();
    m_cursor.reset();
    m_prj.reset();
    m_clock.reset();
    m_dir.reset();
    Desktop::SetOpenUrlHandler({});
}

TfrmMain& TestCommands::load(bool show) {
    m_main = std::make_unique<TfrmMain>(*m_prj, *m_cursor, m_images.get());
    m_main->SetTrayAvailableForTesting(1);
    m_main->LoadState();
    if (show) {
        m_main->show();
        if (!QTest::qWaitForWindowExposed(m_main.get()))
            qWarning("main window not exposed");
    }
    return *m_main;
}

// ------------------------------------------------------------- tray menu

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
    const QList<QAction*> actions = w.popTray->actions();
    QCOMPARE(actions.size(), 9);
    const QList<QIcon> icons = MenuIcons();
    for (int i = 0; i < 9; ++i) {
        QAction* a = actions[i];
        const Item& e = expected[i];
        if (!*e.caption) {
            QVERIFY(a->isSeparator());
            continue;
        }
        QCOMPARE(a->text(), QString::fromUtf8(e.caption));
        QCOMPARE(a->data().toInt(), e.tag);
        QCOMPARE(a->icon().isNull(), e.icon < 0);
        if (e.icon >= 0)
            QCOMPARE(a->icon().pixmap(16, 16).toImage(), icons[e.icon].pixmap(16, 16).toImage());
    }
    QVERIFY(w.mnShowCalendar->isCheckable());
    QVERIFY(w.mnShowCalendar->isChecked());
    QCOMPARE(w.tray->contextMenu(), w.popTray);
    QCOMPARE(w.popTray->font().pixelSize(), 12);
}

// Each menu item and small button opens its own window, owned by the main
// window and modal to it only.
void TestCommands::everyCommandReachesItsWindow_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("(&C)") << "mnCalcDebt"
                          << "TfrmCalcDebt"
                          << "지금까지 피운 담배값은....?";
    QTest::newRow("(&G)") << "mnShowGrade"
                          << "TfrmShowGrade"
                          << "Tarvell의 신분 등급 소개";
    QTest::newRow("(&M)") << "mnToMe"
                          << "TfrmToMe"
                          << "금연 서약서";
    QTest::newRow("beside the grade") << "vxImageButton2"
                                      << "TfrmShowGrade"
                                      << "Tarvell의 신분 등급 소개";
    QTest::newRow("beside 금연 시작") << "btnModifyStart"
                                      << "TfrmModifyDateTime"
                                      << "날짜 수정";
    QTest::newRow("beside 실패 횟수") << "vxImageButton1"
                                      << "TfrmShowLog"
                                      << "이력 관리";
    QTest::newRow("beside 소비 금액") << "vxImageButton4"
                                      << "TfrmCalcDebt"
                                      << "지금까지 피운 담배값은....?";
    QTest::newRow("beside 금연 효과") << "vxImageButton3"
                                      << "TfrmNonEffect"
                                      << "금연 효과";
}

void TestCommands::everyCommandReachesItsWindow() {
    QFETCH(QString, command);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    TfrmMain& w = load(true);
    const QByteArray before = ini();
    QString opened, title;
    QWidget* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    QMenu* menuDuring = w.popTray;
    DialogDriver::Script script;
    script.then([](QWidget* d) { return qobject_cast<QDialog*>(d) != nullptr; },
                [&](QWidget* d) {
                    opened = QString::fromLatin1(d->metaObject()->className());
                    title = d->windowTitle();
                    parent = d->parentWidget();
                    modality = d->windowModality();
                    menuDuring = w.tray->contextMenu();
                    qobject_cast<QDialog*>(d)->done(2);
                });
    script.start();
    if (command.startsWith(QLatin1String("mn"))) {
        const QMap<QString, QAction*> items = {
            {"mnCalcDebt", w.mnCalcDebt}, {"mnShowGrade", w.mnShowGrade}, {"mnToMe", w.mnToMe}};
        QAction* action = items.value(command);
        QVERIFY(action && w.popTray->actions().contains(action));
        action->trigger();
    } else {
        const QMap<QString, TvxImageButton*> buttons = {{"vxImageButton1", w.vxImageButton1},
                                                        {"vxImageButton2", w.vxImageButton2},
                                                        {"vxImageButton3", w.vxImageButton3},
                                                        {"vxImageButton4", w.vxImageButton4},
                                                        {"btnModifyStart", w.btnModifyStart}};
        TvxImageButton* button = buttons.value(command);
        QVERIFY(button);
        clickImage(button);
    }
    QVERIFY(script.finished());
    QCOMPARE(opened, window);
    QCOMPARE(title, caption);
    QCOMPARE(parent, &w);
    QCOMPARE(modality, Qt::WindowModal);
    // The tray menu is withheld while the dialog is up, and back after it.
    QCOMPARE(menuDuring, nullptr);
    QCOMPARE(w.tray->contextMenu(), w.popTray);
    QVERIFY(w.isVisible());
    QCOMPARE(ini(), before);
}

void TestCommands::homePageFromMenuAndButton() {
    QStringList opened;
    Desktop::SetOpenUrlHandler([&](const QString& url) {
        opened << url;
        return true;
    });
    TfrmMain& w = load(true);
    w.mnTvlBoard->trigger();
    click(w.btnVisitToHome);
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[0].startsWith(QLatin1String("https://")));
    QCOMPARE(opened[1], opened[0]);
}

void TestCommands::showHideAndQuitFromMenu() {
    TfrmMain& w = load(true);
    w.mnShowTvl->trigger();
    QVERIFY(!w.isVisible());
    w.mnShowTvl->trigger();
    QVERIFY(w.isVisible());
    w.move(140, 70);
    QVERIFY(!m_prj->Ini().ValueExists(Keys::Prog, Keys::Left));
    w.mnClose->trigger();
    QVERIFY(!w.isVisible());
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Left, -1), w.x());
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Top, -1), w.y());
}

// Five 18 × 18 buttons, all drawing from the question-button set.
void TestCommands::imageButtonsBesideTheirRows() {
    TfrmMain& w = load();
    QCOMPARE(w.btnModifyStart->geometry(), QRect(183, 97, 18, 18));
    const QList<QPair<TvxImageButton*, QLabel*>> rows = {
        {w.btnModifyStart, w.labStart},
        {w.vxImageButton1, w.labCountRetry},
        {w.vxImageButton4, w.labDebt},
    };
    for (TvxImageButton* b : {w.vxImageButton1, w.vxImageButton2, w.vxImageButton3,
                              w.vxImageButton4, w.btnModifyStart}) {
        QCOMPARE(b->size(), QSize(18, 18));
        QCOMPARE(b->ButtonImages(), w.vxButtonImages2);
        QVERIFY(b->text().isEmpty());
        // Right of the values, inside the left column.
        QVERIFY(b->x() > w.labStart->geometry().right());
        QVERIFY(b->geometry().right() < 203);
    }
    for (const auto& [button, value] : rows)
        QVERIFY(qAbs(button->geometry().center().y() - value->geometry().center().y()) <= 3);
    // The blue button lights up when pressed and under the pointer; disabled
    // it shows the pressed picture.
    const TvxButtonImages* set = w.vxButtonImages2;
    QVERIFY(set->PicDisabled().isNull());
    auto brightness = [](const QPixmap& p) {
        const QImage img = p.toImage();
        qint64 sum = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                sum += qAlpha(img.pixel(x, y)) > 200 ? qGray(img.pixel(x, y)) : 0;
        return sum;
    };
    QCOMPARE(set->PicUp().size(), QSize(16, 16));
    QVERIFY(brightness(set->PicDown()) > brightness(set->PicUp()));
    QVERIFY(brightness(set->PicEntered()) > brightness(set->PicUp()));
    QCOMPARE(set->Picture(2).toImage(), set->PicDown().toImage());
    const QImage up = set->PicUp().toImage();
    const QColor centre = up.pixelColor(3, 8); // left of the question mark
    QVERIFY(centre.blue() > centre.red() + 60);
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
    const QImage img =
        w.vxButtonImages1->Picture(state).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(img.size(), QSize(16, 16));
    for (int y = 0; y < 16; ++y) {
        int width = 0;
        for (int x = 0; x < 16; ++x)
            if (qAlpha(img.pixel(x, y)) == 255) {
                QCOMPARE(img.pixel(x, y) | 0xFF000000u, colour);
                ++width;
            }
        const int row = y - firstRow;
        QCOMPARE(width, row >= 0 && row < 4 ? 7 - 2 * row : 0);
    }
}

// --------------------------------------------------- start-date correction

void TestCommands::modify(QDate date, QTime time, QMessageBox::StandardButton answer,
                          DialogDriver::Script& script) {
    script.on<TfrmModifyDateTime>([date, time](TfrmModifyDateTime* d) {
        if (date.isValid())
            d->pckDate->setSelectedDate(date);
        if (time.isValid())
            d->pckTime->setTime(time);
        // Enter and Esc close nothing: neither button is default or cancel.
        QTest::keyClick(d, Qt::Key_Escape);
        QTest::keyClick(d, Qt::Key_Return);
        QVERIFY(d->isVisible());
        click(d->vxGradiButton1);
    });
    script.answer(answer);
}

void TestCommands::correctionConfirmsAndStores() {
    TfrmMain& w = load(true);
    QDate preDate;
    QTime preTime;
    DialogDriver::Script script;
    script.on<TfrmModifyDateTime>([&](TfrmModifyDateTime* d) {
        preDate = d->pckDate->selectedDate();
        preTime = d->pckTime->time();
        QCOMPARE(d->size(), QSize(387, 199));
        QCOMPARE(d->vxGradiButton1->Caption(), QStringLiteral("수 정"));
        QCOMPARE(d->vxGradiButton2->Caption(), QStringLiteral("취 소"));
        QCOMPARE(d->pckDate->geometry(), QRect(12, 40, 162, 143));
        QCOMPARE(d->pckTime->geometry(), QRect(190, 42, 186, 20));
        d->pckDate->setSelectedDate(QDate(2026, 12, 1));
        d->pckTime->setTime(QTime(8, 30, 0));
        click(d->vxGradiButton1);
    });
    script.answer(QMessageBox::Ok);
    script.start();
    clickImage(w.btnModifyStart);
    QVERIFY(script.finished());
    QCOMPARE(preDate, QDate(2026, 9, 1));
    QCOMPARE(preTime, QTime(8, 0, 0));
    QCOMPARE(script.messages.size(), 1);
    QCOMPARE(script.messages[0].title, QStringLiteral("Confirm"));
    QCOMPARE(script.messages[0].text,
             QStringLiteral("금연 결심 일자를 2026-12-01 08:30:00 으로 바꿉니다."));
    QCOMPARE(script.messages[0].icon, QMessageBox::Question);
    QCOMPARE(script.messages[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(m_prj->Ini().ReadDateTime(Keys::Date, Keys::Start, 0),
             EncodeDateTime(2026, 12, 1, 8, 30, 0));
    QCOMPARE(w.labStart->text(), QStringLiteral("2026-12-01 08:30:00"));
    // Seven days, 4:13:15 before now: the clock and the rank follow at once
    // (down from 후작, which is silent).
    QCOMPARE(w.FElapsed, 7u * 86400u + 4u * 3600u + 13u * 60u + 15u);
    QCOMPARE(w.labGrade->text(), QStringLiteral("기사"));
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Personal, Keys::Grade, -1), 3);
}

void TestCommands::correctionUnchangedStoresOldMomentCutToSecond() {
    // No Start yet: the dialog starts from now, whose fraction of a second
    // is dropped on the way back.
    m_prj->Ini().DeleteKey(Keys::Date, Keys::Start);
    m_clock->set(kNow + 0.678 / 86400);
    TfrmMain& w = load(true);
    DialogDriver::Script script;
    modify(QDate(), QTime(), QMessageBox::Ok, script);
    script.start();
    clickImage(w.btnModifyStart);
    QVERIFY(script.finished());
    QCOMPARE(script.messages.size(), 1);
    QCOMPARE(script.messages[0].text,
             QStringLiteral("금연 결심 일자를 2026-12-08 12:43:15 으로 바꿉니다."));
    QCOMPARE(m_prj->Ini().ReadDateTime(Keys::Date, Keys::Start, 0), kNow);
}

void TestCommands::correctionCancelWritesNothing_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("취 소") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Cancel in the confirmation") << 2;
}

void TestCommands::correctionCancelWritesNothing() {
    QFETCH(int, how);
    TfrmMain& w = load(true);
    const QByteArray before = ini();
    DialogDriver::Script script;
    if (how == 2) {
        modify(QDate(2026, 12, 1), QTime(8, 30, 0), QMessageBox::Cancel, script);
    } else {
        script.on<TfrmModifyDateTime>([how](TfrmModifyDateTime* d) {
            d->pckDate->setSelectedDate(QDate(2026, 12, 1));
            if (how == 0)
                click(d->vxGradiButton2);
            else
                d->close();
        });
    }
    script.start();
    clickImage(w.btnModifyStart);
    QVERIFY(script.finished());
    QVERIFY(!script.timedOut());
    QCOMPARE(script.messages.size(), how == 2 ? 1 : 0);
    QCOMPARE(ini(), before);
    QCOMPARE(w.labStart->text(), QStringLiteral("2026-09-01 08:00:00"));
}

// Before a relapse the correction moves the clock; after one the clock
// keeps counting from the relapse and only the start shown changes.
void TestCommands::correctionMovesClockOnlyWithoutRestart_data() {
    QTest::addColumn<bool>("relapsed");
    QTest::addColumn<uint>("elapsed");
    QTest::newRow("no relapse") << false << 7u * 86400u + 15195u;
    QTest::newRow("relapse on 2026-12-05") << true << 3u * 86400u + 45795u;
}

void TestCommands::correctionMovesClockOnlyWithoutRestart() {
    QFETCH(bool, relapsed);
    QFETCH(uint, elapsed);
    if (relapsed)
        m_prj->Ini().WriteDateTime(Keys::Date, Keys::Restart, EncodeDateTime(2026, 12, 5));
    TfrmMain& w = load(true);
    const QByteArray log = m_dir->read("plzNoSmoking.log");
    DialogDriver::Script script;
    modify(QDate(2026, 12, 1), QTime(8, 30, 0), QMessageBox::Ok, script);
    script.start();
    clickImage(w.btnModifyStart);
    QVERIFY(script.finished());
    QCOMPARE(w.labStart->text(), QStringLiteral("2026-12-01 08:30:00"));
    QCOMPARE(w.FElapsed, elapsed);
    QCOMPARE(m_prj->Ini().ValueExists(Keys::Date, Keys::Restart), relapsed);
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Personal, Keys::CountRetry, 0), 0);
    if (relapsed)
        QCOMPARE(m_dir->read("plzNoSmoking.log"), log);
}

// -------------------------------------------------------------------- faults

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
    TfrmMain& w = load(true);
    w.SetTrayAvailableForTesting(tray ? 1 : 0);
    const int result = runLoop([&] { w.close(); }, 1500, 7);
    QCOMPARE(result, tray ? 7 : 0);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.InTray(), tray);
}

// A logout or shutdown ends the loop without the quit command: the position
// is saved all the same, also while the window rests in the tray.
void TestCommands::sessionEndSavesPosition_data() {
    QTest::addColumn<bool>("signal");
    QTest::addColumn<bool>("inTray");
    QTest::newRow("termination request") << true << false;
    QTest::newRow("termination request, in the tray") << true << true;
    QTest::newRow("loop ended by the system") << false << false;
}

void TestCommands::sessionEndSavesPosition() {
    QFETCH(bool, signal);
    QFETCH(bool, inTray);
    static_cast<TApplication*>(qApp)->InstallTerminationHandler();
    TfrmMain& w = load(true);
    w.move(130, 90);
    const QPoint pos = w.pos();
    if (inTray)
        w.trayClick();
    QCOMPARE(w.isVisible(), !inTray);
    const int result = runLoop(
        [signal] {
            if (signal)
                std::raise(SIGTERM);
            else
                QCoreApplication::quit();
        },
        2000, 7);
    QCOMPARE(result, 0);
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Left, -1), pos.x());
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Top, -1), pos.y());
}

// Buttons show the window's own background where their face leaves it
// visible: the rounded corners of the gradient buttons and the rim of the
// image buttons.
void TestCommands::buttonCornersShowWindowColour_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("아~땡긴다!") << "btnHelp" << QPoint(0, 0);
    QTest::newRow("미안해...") << "btnSorry" << QPoint(0, 22);
    QTest::newRow("Tarvell") << "btnVisitToHome" << QPoint(77, 0);
    QTest::newRow("beside 금연 시작") << "btnModifyStart" << QPoint(17, 17);
    QTest::newRow("beside the grade") << "vxImageButton2" << QPoint(16, 3);
}

void TestCommands::buttonCornersShowWindowColour() {
    QFETCH(QString, button);
    QFETCH(QPoint, at);
    TfrmMain& w = load();
    QImage face;
    if (button == "btnHelp")
        face = w.btnHelp->Render();
    else if (button == "btnSorry")
        face = w.btnSorry->Render();
    else if (button == "btnVisitToHome")
        face = w.btnVisitToHome->Render();
    else if (button == "btnModifyStart")
        face = w.btnModifyStart->Render();
    else
        face = w.vxImageButton2->Render();
    QVERIFY(!face.isNull());
    QCOMPARE(face.pixel(at) | 0xFF000000u, kWindowColour);
}

// The light date-time panel is 196 wide along the bottom of the dark
// counter panel: no inner bevel of the dark panel shows beside it.
void TestCommands::dateTimePanelCoversInnerBevel() {
    TfrmMain& w = load();
    QCOMPARE(w.pnlDateTime->size(), QSize(196, 16));
    QCOMPARE(w.pnlDateTime->geometry().bottom(), w.vxPanel1->height() - 2);
    const QImage panel = w.vxPanel1->grab().toImage();
    const QList<QRgb> dark = {qRgb(0x63, 0x89, 0x8D), qRgb(0x50, 0x6E, 0x71),
                              qRgb(0x3D, 0x53, 0x55), qRgb(0x2A, 0x38, 0x39)};
    const QRect r = w.pnlDateTime->geometry();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x : {r.left(), r.right()})
            QVERIFY2(!dark.contains(panel.pixel(x, y) | 0xFF000000u),
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

// While a dialog is up, a click on the tray brings that dialog to the front
// instead of hiding the window it belongs to; other windows of the program
// (the tray icon is one) still take clicks.
void TestCommands::trayClickBringsOpenDialog() {
    TfrmMain& w = load(true);
    PressCounter probe;
    probe.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    probe.resize(40, 40);
    probe.show();
    QVERIFY(QTest::qWaitForWindowExposed(&probe));
    bool mainStayed = false;
    bool dialogUp = false;
    bool activeAfterClick = false;
    DialogDriver::Script script;
    script.on<TfrmShowGrade>([&](TfrmShowGrade* d) {
        // Through the window system, where a modal dialog blocks other windows.
        QTest::mouseClick(probe.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        w.trayClick();
        mainStayed = w.isVisible() && !w.InTray();
        dialogUp = d->isVisible();
        activeAfterClick = QApplication::activeModalWidget() == d;
        click(d->btnOK);
    });
    script.start();
    w.mnShowGrade->trigger();
    QVERIFY(script.finished());
    QCOMPARE(probe.presses, 1);
    QVERIFY(mainStayed);
    QVERIFY(dialogUp);
    QVERIFY(activeAfterClick);
    // With no dialog the tray click hides the window again.
    w.trayClick();
    QVERIFY(!w.isVisible());
}

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TestCommands test;
    const int result = QTest::qExec(&test, argc, argv);
    std::signal(SIGTERM, SIG_DFL);
    return result;
}

#include "tst_commands.moc"
