#include "calendar/HintGrid.h"
#include "core/Constants.h"
#include "core/ProjectInfo.h"
#include "dialogs/CalcDebt.h"
#include "mainwindow/Application.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/main.h"
#include "runtime/TextFile.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/mainwindow/MainWindowBench.h"
#include "tests/support/AccessibleTree.h"
#include "tests/support/TestSupport.h"
#include "widgets/ErrorBox.h"
#include "widgets/vxGag.h"
#include "widgets/vxImgBtn.h"

#include <QAction>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <climits>
#include <memory>

using TestSupport::Part;

namespace {
const TDateTime kNow = EncodeDateTime(2026, 12, 8, 12, 43, 15);

// Counts paint events of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};
} // namespace

class TestMainWindow : public QObject, private MainWindowBench {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void positionStoredOrCentred_data();
    void positionStoredOrCentred();
    void outerSizeIncludesFrame();
    void breakdownTexts_data();
    void breakdownTexts();
    void promotionAfterOneDay();
    void blinkAlternatesBlackAndRed();
    void milestoneRows_data();
    void milestoneRows();
    void tickLeavesDiskAndPaintAlone();
    void writeFailureReachesErrorBox();
    void closeBoxHidesQuitSaves();
    void trayRestsPerSecondTexts();
    void withoutTrayCloseBoxEnds();
    void calendarToggle();
    void calculatorFromTrayReloads();
    void relapseResetsEveryDisplay();
    void recordRowsShowTheRecord();
    void accessibleToScreenReadersAndKeyboard();
    void notifiesOnlyFromTheTray_data();
    void notifiesOnlyFromTheTray();
    void calendarKeyWrittenByHand_data();
    void calendarKeyWrittenByHand();

private:
    void write(const QString& section, const QString& key, int value);
    void writeDate(const QString& key, TDateTime value);
    TfrmMain& load();
    QByteArray log() const { return m_dir->read("plzNoSmoking.log"); }
    int gradeKey() const { return m_prj->Ini().ReadInteger(Keys::Personal, Keys::Grade, -1); }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            m_clock->advance(1);
            m_main->tmrCountTimer();
        }
    }
};

void TestMainWindow::init() {
    SetUpBench(kNow);
    writeDate(Keys::Start, kNow);
}

void TestMainWindow::cleanup() {
    TearDownBench();
    SetErrorBoxHandler({});
}

void TestMainWindow::write(const QString& section, const QString& key, int value) {
    m_prj->Ini().WriteInteger(section, key, value);
}

void TestMainWindow::writeDate(const QString& key, TDateTime value) {
    m_prj->Ini().WriteDateTime(Keys::Date, key, value);
}

TfrmMain& TestMainWindow::load() {
    TfrmMain& w = MakeWindow();
    w.LoadState();
    return w;
}

void TestMainWindow::positionStoredOrCentred_data() {
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("calendar");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<QPoint>("at"); // (-1, -1): centred
    const QPoint centred(-1, -1);
    // The test screen is 800 by 800.
    QTest::newRow("stored") << true << true << 5 << 21 << QPoint(5, 21);
    QTest::newRow("centred") << false << true << 0 << 0 << centred;
    QTest::newRow("centred on the full width even when narrow")
        << false << false << 0 << 0 << centred;
    // The caption must land on a screen; anything else is centred.
    QTest::newRow("largest left") << true << true << INT_MAX << 21 << centred;
    QTest::newRow("largest left and top") << true << true << INT_MAX << INT_MAX << centred;
    QTest::newRow("smallest left and top") << true << true << INT_MIN << INT_MIN << centred;
    QTest::newRow("5000") << true << true << 5000 << 100 << centred;
    QTest::newRow("-3000") << true << true << -3000 << 100 << centred;
    QTest::newRow("caption above the screen") << true << true << 37 << -40 << centred;
    // A caption within reach keeps the place, moved in to show the whole window.
    QTest::newRow("partly off the left edge") << true << true << -300 << 21 << QPoint(0, 21);
    QTest::newRow("partly off the right edge") << true << true << 37 << 21 << QPoint(9, 21);
    QTest::newRow("partly below the bottom") << true << true << 5 << 300 << QPoint(5, 280);
    QTest::newRow("narrow at the right edge") << true << false << 581 << 21 << QPoint(581, 21);
}

void TestMainWindow::positionStoredOrCentred() {
    QFETCH(bool, stored);
    QFETCH(bool, calendar);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(QPoint, at);
    if (stored) {
        write(Keys::Prog, Keys::Left, left);
        write(Keys::Prog, Keys::Top, top);
    }
    m_prj->Ini().WriteBool(Keys::Prog, Keys::ShowCalendar, calendar);
    TfrmMain& w = load();
    const QRect screen = w.screen()->geometry();
    QCOMPARE(screen.size(), QSize(800, 800));
    const QPoint expected =
        at != QPoint(-1, -1) ? at
                             : QPoint(screen.width() / 2 - 791 / 2, screen.height() / 2 - 520 / 2);
    QCOMPARE(w.pos(), expected);
    QCOMPARE(w.width() + (791 - 783), calendar ? 791 : 219);
    // Shown there, the window is whole: its caption on the screen.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w, 60000));
    QVERIFY(screen.intersects(w.frameGeometry()));
}

void TestMainWindow::outerSizeIncludesFrame() {
    TfrmMain& w = load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w, 60000));
    QTRY_COMPARE_WITH_TIMEOUT(w.frameGeometry().size(), QSize(791, 520), 60000);
    Part<QAction>(w, "mnShowCalendar")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(w.frameGeometry().size(), QSize(219, 520), 60000);
    // Edges cannot resize it.
    QCOMPARE(w.minimumSize(), w.maximumSize());
}

void TestMainWindow::breakdownTexts_data() {
    QTest::addColumn<uint>("seconds");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("counter");
    QTest::newRow("zero") << 0u << "0시간 0분 0초"
                          << "0";
    QTest::newRow("364 days") << 364u * 86400u << "12개월 4일 0시간 0분 0초"
                              << "31,449,600";
    QTest::newRow("365 days") << 365u * 86400u << "1년 0시간 0분 0초"
                              << "31,536,000";
    QTest::newRow("mixed") << 31536000u + 2u * 2592000u + 3u * 86400u + 309u
                           << "1년 2개월 3일 0시간 5분 9초"
                           << "36,979,509";
    QTest::newRow("largest count") << 4294967295u << "136년 2개월 10일 6시간 28분 15초"
                                   << "4,294,967,295";
}

void TestMainWindow::breakdownTexts() {
    QFETCH(uint, seconds);
    QFETCH(QString, text);
    QFETCH(QString, counter);
    TfrmMain& w = load();
    w.Progress().SetElapsed(seconds);
    QCOMPARE(Part<QLabel>(w, "labDateTime")->text(), text);
    QCOMPARE(FormatThousands(Part<TvxCounterImage>(w, "imgSec")->Count()), counter);
    // The counter bitmap: dark teal ground, white text ending near x = 150.
    const QImage img = Part<TvxCounterImage>(w, "imgSec")->Render();
    QCOMPARE(img.size(), QSize(174, 26));
    QCOMPARE(img.pixel(0, 0), 0xFF3D5553u);
    QCOMPARE(img.pixel(173, 25), 0xFF3D5553u);
    int rightmostWhite = -1, leftmostWhite = 999;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (img.pixel(x, y) == 0xFFFFFFFFu) {
                rightmostWhite = std::max(rightmostWhite, x);
                leftmostWhite = std::min(leftmostWhite, x);
            }
    QVERIFY2(rightmostWhite > 130 && rightmostWhite < 172,
             qPrintable(QString::number(rightmostWhite)));
    QVERIFY(leftmostWhite >= 150 - 10 * int(counter.size()));
}

void TestMainWindow::promotionAfterOneDay() {
    const TDateTime base = kNow - 1.0;
    writeDate(Keys::Start, base);
    TfrmMain& w = load();
    QCOMPARE(w.Progress().Elapsed(), 86400u);
    QCOMPARE(w.Progress().Grade(), 0);
    QCOMPARE(Part<QLabel>(w, "labGrade")->text(), QStringLiteral("천민"));
    QCOMPARE(Part<QLabel>(w, "labUpgrade")->text(), QStringLiteral("2026-12-08 12:43:15"));
    QVERIFY(!m_dir->exists("plzNoSmoking.log"));

    tick();
    QCOMPARE(w.Progress().Elapsed(), 86401u);
    QCOMPARE(w.Progress().Grade(), 1);
    QCOMPARE(Part<QLabel>(w, "labGrade")->text(), QStringLiteral("평민 (으)로 승급....!!"));
    QCOMPARE(log(),
             Cp949::encode(QStringLiteral("    승 급 :2026-12-08 12:43:16   평민...!!\r\n")));
    QCOMPARE(gradeKey(), 1);
    QCOMPARE(Part<QLabel>(w, "labUpgrade")->text(), QStringLiteral("2026-12-10 12:43:15"));
    QCOMPARE(Part<TvxGauge>(w, "gagGrade")->Max(), 259200);
    QVERIFY(w.Progress().GradeBlink());
    tick(10);
    QCOMPARE(log().count('\n'), 1); // once per rise
}

void TestMainWindow::blinkAlternatesBlackAndRed() {
    writeDate(Keys::Start, kNow - 86400.0 / 86400 - 4.0 / 86400);
    TfrmMain& w = load();
    QVERIFY(w.Progress().GradeBlink());
    QVERIFY(!w.GradeLabelColor().isValid()); // still the default text colour
    QList<QColor> colours;
    for (int i = 0; i < 4; ++i) {
        tick();
        colours << w.GradeLabelColor();
        QCOMPARE(Part<QLabel>(w, "labGrade")->palette().color(QPalette::WindowText),
                 colours.last());
    }
    QCOMPARE(colours, (QList<QColor>{Qt::black, Qt::red, Qt::black, Qt::red}));
}

void TestMainWindow::milestoneRows_data() {
    QTest::addColumn<uint>("seconds");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("max");
    QTest::newRow("0") << 0u << 0 << 0 << 0 << 1200;
    QTest::newRow("1199") << 1199u << 0 << 0 << 0 << 1200;
    QTest::newRow("1200") << 1200u << 0 << 1 << 1 << 28800;
    QTest::newRow("100 days") << 8640000u << 6 << 0 << 6 << 23328000;
    QTest::newRow("beyond the last") << 400000000u << 6 << 2 << 8 << 315360000;
}

void TestMainWindow::milestoneRows() {
    QFETCH(uint, seconds);
    QFETCH(int, first);
    QFETCH(int, slot);
    QFETCH(int, text);
    QFETCH(int, max);
    TfrmMain& w = load();
    w.Progress().SetElapsed(seconds);
    QCOMPARE(Part<QLabel>(w, "labCheckStr1")->text(), EffectTitles[size_t(first)]);
    QCOMPARE(Part<QLabel>(w, "labCheckStr2")->text(), EffectTitles[size_t(first + 1)]);
    QCOMPARE(Part<QLabel>(w, "labCheckStr3")->text(), EffectTitles[size_t(first + 2)]);
    QCOMPARE(w.Progress().MilestoneSlot(), slot);
    QString expected = EffectTexts[size_t(text)];
    expected.replace(u'\r', u'\n');
    QCOMPARE(Part<QLabel>(w, "labExp")->text(), expected);
    QCOMPARE(Part<TvxGauge>(w, "gag")->Max(), max);
    QCOMPARE(Part<TvxGauge>(w, "gag")->Value(), int(std::min<uint>(seconds, uint(max))));
    // The marked row shows the green dot, the others the empty mark.
    TvxPaintBox* boxes[] = {Part<TvxPaintBox>(w, "pntChecked1"),
                            Part<TvxPaintBox>(w, "pntChecked2"),
                            Part<TvxPaintBox>(w, "pntChecked3")};
    for (int i = 0; i < 3; ++i) {
        const QImage img = boxes[i]->grab().toImage();
        const QColor centre = img.pixelColor(8, 8);
        const bool green = centre.green() > centre.red() + 40;
        QCOMPARE(green, i == slot);
    }
}

void TestMainWindow::tickLeavesDiskAndPaintAlone() {
    TfrmMain& w = load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w, 60000));
    QCoreApplication::processEvents();
    PaintCounter countPaints(Part<QLabel>(w, "labCount"));
    PaintCounter gaugePaints(Part<TvxGauge>(w, "gagGrade"));
    const qint64 reads = TextFile::readCount();
    // The first cigarette of the default 6480 s is minutes away.
    for (int i = 0; i < 30; ++i) {
        tick();
        QCoreApplication::processEvents();
    }
    QCOMPARE(TextFile::readCount(), reads);
    QCOMPARE(countPaints.count, 0);
    QCOMPARE(gaugePaints.count, 0); // 30 s of 86,400 moves no pixel of the bar
    w.Progress().SetElapsed(6480);
    QCOMPARE(TextFile::readCount(), reads + 2); // price and spent amount
    QCOMPARE(Part<QLabel>(w, "labCount")->text(), QStringLiteral("1"));
}

void TestMainWindow::writeFailureReachesErrorBox() {
    QStringList shown;
    SetErrorBoxHandler([&](const QString& m) { shown << m; });
    writeDate(Keys::Start, kNow - 1.0);
    TfrmMain& w = load();
    {
        // The promotion's log line cannot be written.
        TestSupport::FileSizeLimit limit(4);
        QTimerEvent te(Part<QTimer>(w, "tmrCount")->timerId());
        m_clock->advance(1);
        QCoreApplication::sendEvent(Part<QTimer>(w, "tmrCount"), &te);
    }
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().startsWith(
                 QStringLiteral("Cannot create file \"%1\". ").arg(m_prj->LogFileName())),
             qPrintable(shown.first()));
    // The clock goes on.
    tick(3);
    QCOMPARE(w.Progress().Elapsed(), 86404u);
    QVERIFY(Part<QTimer>(w, "tmrCount")->isActive());
}

void TestMainWindow::closeBoxHidesQuitSaves() {
    TfrmMain& w = load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w, 60000));
    w.close();
    QVERIFY(!w.isVisible());
    QVERIFY(!m_prj->Ini().ValueExists(Keys::Prog, Keys::Left));
    w.trayClick();
    QVERIFY(w.isVisible());
    w.trayClick();
    QVERIFY(!w.isVisible());
    w.trayClick();
    w.move(120, 80);
    Part<QAction>(w, "mnClose")->trigger();
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Left, -1), w.x());
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Prog, Keys::Top, -1), w.y());
    QVERIFY(!w.isVisible());
}

void TestMainWindow::trayRestsPerSecondTexts() {
    writeDate(Keys::Start, kNow - 1.0 + 10.0 / 86400); // ten seconds before a promotion
    TfrmMain& w = load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w, 60000));
    w.trayClick();
    QVERIFY(w.InTray());
    // In the tray the clock sleeps until the promotion's second.
    QCOMPARE(w.Progress().SecondsToNextChange(), 11u);
    QCOMPARE(Part<QTimer>(w, "tmrCount")->interval(), 11000 + 20);
    const QString shownText = Part<QLabel>(w, "labDateTime")->text();
    const qint64 reads = TextFile::readCount();
    tick(12);
    // The texts rest, but the rank still follows the clock and is logged on time.
    QCOMPARE(Part<QLabel>(w, "labDateTime")->text(), shownText);
    QCOMPARE(w.Progress().Grade(), 1);
    QVERIFY(log().contains("2026-12-08 12:43:26"));
    // The promotion: the log (load, append, save) and key Grade, nothing else.
    QCOMPARE(TextFile::readCount(), reads + 2);
    w.trayClick();
    QVERIFY(!w.InTray());
    QCOMPARE(Part<QLabel>(w, "labDateTime")->text(), QStringLiteral("1일 0시간 0분 2초"));
    QCOMPARE(Part<QLabel>(w, "labNow")->text(), FormatDateTime(Clock::Now()));
    QCOMPARE(Part<TvxCounterImage>(w, "imgSec")->Count(), 86402u);
}

void TestMainWindow::withoutTrayCloseBoxEnds() {
    TfrmMain& w = load();
    m_platform.TrayShown = 0;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w, 60000));
    w.close();
    QVERIFY(!w.isVisible());
    QVERIFY(m_prj->Ini().ValueExists(Keys::Prog, Keys::Left)); // the real close path
}

void TestMainWindow::calendarToggle() {
    TfrmMain& w = load();
    QVERIFY(Part<QAction>(w, "mnShowCalendar")->isChecked());
    const int wide = w.width();
    Part<QAction>(w, "mnShowCalendar")->trigger();
    QCOMPARE(w.width(), wide - (791 - 219));
    QCOMPARE(m_prj->Ini().ReadString(Keys::Prog, Keys::ShowCalendar, {}), QStringLiteral("0"));
    const QPoint pos = w.pos();
    QCOMPARE(w.pos(), pos);
    // The next start opens narrow.
    m_main.reset();
    TfrmMain& again = load();
    QCOMPARE(again.width(), wide - (791 - 219));
    QVERIFY(!Part<QAction>(again, "mnShowCalendar")->isChecked());
}

void TestMainWindow::calculatorFromTrayReloads() {
    writeDate(Keys::Start, kNow - 2.0);
    TfrmMain& w = load();
    QCOMPARE(Part<QLabel>(w, "labDebt")->text(), QStringLiteral("0"));
    QCOMPARE(w.Progress().CigarettesPerDay(), 10u);
    DialogDriver::Script script;
    script.on<TfrmCalcDebt>([](TfrmCalcDebt* dlg) {
        QVERIFY(!dlg->IsFirstRunMode());
        DialogDriver::type(dlg->edtCount, "20");
        DialogDriver::type(dlg->edtPrice, "2500");
        DialogDriver::type(dlg->edtEtc, "0");
        DialogDriver::type(dlg->edtYear, "10");
        DialogDriver::type(dlg->edtYearGuess, "30");
        DialogDriver::click(dlg->btnOK);
    });
    script.start();
    Part<QAction>(w, "mnCalcDebt")->trigger();
    QVERIFY(script.finished());
    // The left column was rebuilt at once: new debt, 20 a day at 125 won.
    QCOMPARE(Part<QLabel>(w, "labDebt")->text(), QStringLiteral("9,125,000"));
    QCOMPARE(w.Progress().CigarettesPerDay(), 20u);
    QCOMPARE(Part<QLabel>(w, "labCount")->text(), QStringLiteral("2갑 0"));
    QCOMPARE(Part<QLabel>(w, "labToMoney")->text(), QStringLiteral("5,000"));
}

void TestMainWindow::relapseResetsEveryDisplay() {
    // 45 days in: 남작, blinking, the second group of milestones, savings.
    writeDate(Keys::Start, kNow - 45.0);
    write(Keys::Personal, Keys::Debt, 5000);
    TfrmMain& w = load();
    tick(3);
    QVERIFY(w.Progress().GradeBlink());
    const QByteArray promotionLog = log();
    m_prj->Restart();
    w.LoadState();
    QCOMPARE(w.Progress().Elapsed(), 0u);
    QCOMPARE(Part<TvxCounterImage>(w, "imgSec")->Count(), 0u);
    QCOMPARE(Part<QLabel>(w, "labDateTime")->text(), QStringLiteral("0시간 0분 0초"));
    QCOMPARE(Part<QLabel>(w, "labReStart")->text(), FormatDateTime(Clock::Now()));
    QCOMPARE(Part<QLabel>(w, "labCountRetry")->text(), QStringLiteral("1"));
    QCOMPARE(Part<QLabel>(w, "labGrade")->text(), QStringLiteral("천민"));
    QCOMPARE(gradeKey(), 0);
    QCOMPARE(Part<TvxGauge>(w, "gagGrade")->Max(), 86400);
    QCOMPARE(Part<TvxGauge>(w, "gagGrade")->Value(), 0);
    QCOMPARE(Part<QLabel>(w, "labCheckStr1")->text(), QStringLiteral("혈압,맥박,체온 정상"));
    QCOMPARE(w.Progress().MilestoneSlot(), 0);
    QCOMPARE(Part<TvxGauge>(w, "gag")->Max(), 1200);
    QCOMPARE(Part<TvxGauge>(w, "gag")->Value(), 0);
    QCOMPARE(Part<QLabel>(w, "labCount")->text(), QStringLiteral("0"));
    QCOMPARE(Part<QLabel>(w, "labToMoney")->text(), QStringLiteral("0"));
    QCOMPARE(Part<QLabel>(w, "labMargin")->text(), QStringLiteral("5,000"));
    // The fall is silent: the relapse line only, and the blinking stops.
    QCOMPARE(log(), promotionLog + Cp949::encode(QStringLiteral("다시 시작 :2026-12-08 "
                                                                "12:43:18\r\n")));
    QVERIFY(!w.Progress().GradeBlink());
    // Back to the window's text colour, whatever the blinking showed last.
    QVERIFY(!w.GradeLabelColor().isValid());
    QCOMPARE(Part<QLabel>(w, "labGrade")->palette().color(QPalette::WindowText),
             w.palette().color(QPalette::WindowText));
    tick(3);
    QVERIFY(!w.GradeLabelColor().isValid());
}

void TestMainWindow::recordRowsShowTheRecord() {
    write(Keys::Personal, Keys::CountRetry, 1234);
    write(Keys::Personal, Keys::Debt, 12345678);
    write(Keys::Personal, Keys::Every, 3240);
    writeDate(Keys::Restart, kNow - 1.0 / 24);
    TfrmMain& w = load();
    QCOMPARE(Part<QLabel>(w, "labStart")->text(), QStringLiteral("2026-12-08 12:43:15"));
    QCOMPARE(Part<QLabel>(w, "labReStart")->text(), QStringLiteral("2026-12-08 11:43:15"));
    QCOMPARE(Part<QLabel>(w, "labCountRetry")->text(), QStringLiteral("1,234"));
    QCOMPARE(Part<QLabel>(w, "labDebt")->text(), QStringLiteral("12,345,678"));
    w.Progress().SetElapsed(10000u * 86400u); // 200,000 cigarettes
    QCOMPARE(Part<QLabel>(w, "labCount")->text(), QStringLiteral("1,000보루 0"));
    QCOMPARE(Part<QLabel>(w, "labToMoney")->text(), QStringLiteral("20,000,000"));
    QCOMPARE(Part<QLabel>(w, "labMargin")->text(), QStringLiteral("-7,654,322"));
}

void TestMainWindow::accessibleToScreenReadersAndKeyboard() {
    writeDate(Keys::Start, kNow - 45.0);
    TfrmMain& w = load();
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w, 30000));
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&w);
    QCOMPARE(frame->role(), QAccessible::Window);
    QCOMPARE(frame->text(QAccessible::Name), QStringLiteral("Tarvell ver 4.14"));
    // Every control has a name, every button a press action, nothing drawn
    // goes undescribed (the counter and the calendar included).
    const QStringList problems = AccessibleTree::Problems(&w);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    // What a listener hears of the picture-only and arrow buttons: each
    // picture button by the window it opens.
    const QList<std::pair<QWidget*, QString>> heard = {
        {Part<QWidget>(w, "vxImageButton2"), "시민 등급 보기"},
        {Part<QWidget>(w, "btnModifyStart"), "금연 시작 날짜 수정"},
        {Part<QWidget>(w, "vxImageButton1"), "금연 기록 보기"},
        {Part<QWidget>(w, "vxImageButton4"), "내가 핀 담배값 계산"},
        {Part<QWidget>(w, "vxImageButton3"), "금연 효과 보기"},
        {Part<QWidget>(w, "btnBeforeMonth"), "이전 달, 11월"},
        {Part<QWidget>(w, "pntGrade"), "남작 등급 그림"},
        {Part<QWidget>(w, "imgSec"), "3,888,000 초"}};
    for (const auto& [widget, name] : heard)
        QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
    // The keyboard reaches every command button and the calendar, and passes
    // the captions that do nothing.
    Part<THintGrid>(w, "grdCa")->setFocus(Qt::TabFocusReason);
    const QList<QWidget*> cycle = AccessibleTree::TabCycle();
    for (QWidget* b : AccessibleTree::Buttons(&w)) {
        const bool command =
            b->x() < 203 || (b->y() < 29 && b != Part<TvxGradiButton>(w, "btnYear"));
        QCOMPARE(cycle.contains(b), command);
    }
    QVERIFY(cycle.contains(static_cast<QWidget*>(Part<THintGrid>(w, "grdCa"))));
}

void TestMainWindow::notifiesOnlyFromTheTray_data() {
    QTest::addColumn<double>("secondsIn");
    QTest::addColumn<bool>("inTray");
    QTest::addColumn<QStringList>("told"); // summary, body; empty: nothing shown
    QTest::newRow("promotion in the tray")
        << 86400.0 - 3 << true << QStringList{"시민 등급", "평민 (으)로 승급....!!"};
    QTest::newRow("promotion on screen") << 86400.0 - 3 << false << QStringList{};
    QTest::newRow("milestone in the tray")
        << 1200.0 - 3 << true
        << QStringList{"금연 효과", "혈압,맥박,체온 정상 달성! 다음 목표: 혈중 산소량 정상"};
    QTest::newRow("nothing new in the tray") << 2.0 * 86400 << true << QStringList{};
}

void TestMainWindow::notifiesOnlyFromTheTray() {
    QFETCH(double, secondsIn);
    QFETCH(bool, inTray);
    QFETCH(QStringList, told);
    writeDate(Keys::Start, kNow - secondsIn / 86400);
    TfrmMain& w = load();
    QStringList shown;
    m_platform.Notify = [&](const QString& summary, const QString& body) {
        shown << summary << body;
        return true;
    };
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w, 30000));
    if (inTray)
        w.trayClick();
    QCOMPARE(w.InTray(), inTray);
    tick(6);
    w.LoadState(); // a reload announces nothing again
    QCOMPARE(shown, told);
}

void TestMainWindow::calendarKeyWrittenByHand_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("shown");
    QTest::newRow("1") << "1" << true;
    QTest::newRow("2") << "2" << true;
    QTest::newRow("-1") << "-1" << true;
    QTest::newRow("0x10") << "0x10" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("0x0") << "0x0" << false;
    QTest::newRow("not a number: default") << "yes" << true;
}

void TestMainWindow::calendarKeyWrittenByHand() {
    QFETCH(QString, value);
    QFETCH(bool, shown);
    m_prj->Ini().WriteString(Keys::Prog, Keys::ShowCalendar, value);
    TfrmMain& w = load();
    QCOMPARE(Part<QAction>(w, "mnShowCalendar")->isChecked(), shown);
    QCOMPARE(w.width() + (791 - 783), shown ? 791 : 219);
}

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
